#pragma once
// Each korvan-tool command adds itself to the application here.

#include <CLI/CLI.hpp>

namespace korvan::tool {

// Each Add…Command registers a subcommand whose callback stores its exit status in rc
// (0 success, 1 failure, 2 usage error).
void AddCatalogueCommand(CLI::App& app, int& rc);
void AddEditCommand(CLI::App& app, int& rc);
void AddFileCommand(CLI::App& app, int& rc);
void AddFactoryCommand(CLI::App& app, int& rc);
void AddFramesCommand(CLI::App& app, int& rc);
void AddScaleCommand(CLI::App& app, int& rc);
void AddResponseCommand(CLI::App& app, int& rc);
void AddScanCommand(CLI::App& app, int& rc);
void AddPullCommand(CLI::App& app, int& rc);
void AddPushCommand(CLI::App& app, int& rc);
void AddUpdateCommand(CLI::App& app, int& rc);
void AddSendCommand(CLI::App& app, int& rc);
void AddWatchCommand(CLI::App& app, int& rc);

}  // namespace korvan::tool
