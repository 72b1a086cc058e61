// korvan-tool factory: the built-in factory bank as a bank file.

#include <iostream>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "tool/commands.h"
#include "tool/tool_ui.h"
#include "transfer/factory_bank.h"
#include "transfer/file_kind.h"

namespace korvan::tool {
namespace {

int RunFactory(const std::string& out) {
  ToolUi ui;
  ManualScheduler clock;
  Editor editor(ui, clock);
  Filer f(editor);
  f.fileType = kFileBank;
  f.fileName = out;
  const auto bank = FactoryBank();
  f.buffer.assign(bank.begin(), bank.end());
  f.size = static_cast<unsigned>(f.buffer.size());
  f.Store();
  if (f.error) {
    f.ReportError(true);
    std::cerr << ui.lastBox << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

void AddFactoryCommand(CLI::App& app, int& rc) {
  auto* cmd = app.add_subcommand("factory", "Writes the built-in factory bank as a bank file");
  static std::string out;
  cmd->add_option("-o", out, "Bank file to write (.kvn)")->required();
  cmd->callback([&rc] { rc = RunFactory(out); });
}

}  // namespace korvan::tool
