// korvan-tool: the editor's core from the command line.

#include <iostream>

#include "tool/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"korvan-tool: files, scales, edits and transfers of Korvan Remote"};
  app.require_subcommand(1);
  int rc = 0;
  korvan::tool::AddCatalogueCommand(app, rc);
  korvan::tool::AddEditCommand(app, rc);
  korvan::tool::AddFileCommand(app, rc);
  korvan::tool::AddFactoryCommand(app, rc);
  korvan::tool::AddFramesCommand(app, rc);
  korvan::tool::AddScaleCommand(app, rc);
  korvan::tool::AddResponseCommand(app, rc);
  korvan::tool::AddScanCommand(app, rc);
  korvan::tool::AddPullCommand(app, rc);
  korvan::tool::AddPushCommand(app, rc);
  korvan::tool::AddUpdateCommand(app, rc);
  korvan::tool::AddSendCommand(app, rc);
  korvan::tool::AddWatchCommand(app, rc);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // CLI11 gives 0 for --help; every other parse error is a usage error.
    return app.exit(e) == 0 ? 0 : 2;
  }
  return rc;
}
