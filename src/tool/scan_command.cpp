// korvan-tool scan: the connect dialog's search on one port; one line per unit that answered.

#include <iostream>
#include <optional>
#include <string>

#include "core/event_loop.h"
#include "core/ini_settings.h"
#include "editor/editor.h"
#include "link/posix_port.h"
#include "tool/commands.h"
#include "tool/port_option.h"

namespace korvan::tool {
namespace {

struct ScanOptions {
  std::string port;
  int device = 0;
  std::string settingsPath;
};

int RunScan(const ScanOptions& opt) {
  PosixPortSystem ports;
  std::string error;
  const int number = ResolvePort(opt.port, ports, error);
  if (number == 0) {
    std::cerr << "korvan-tool scan: " << error << '\n';
    return 2;
  }
  SilentUi ui;  // "Could not connect" is answered with Abort
  EventLoop loop;
  Editor editor(ui, loop, {.ports = &ports, .watcher = &loop, .logFolder = ""});
  Discovery& discovery = editor.discovery();
  std::optional<IniSettings> settings;
  if (!opt.settingsPath.empty()) {
    settings.emplace(opt.settingsPath);
    discovery.LoadLastUsed(*settings);
  }

  discovery.view.portBox = {"COM " + std::to_string(number)};
  discovery.view.portSelection = 0;
  editor.port().presentMask |= 1u << (number - 1);
  discovery.StartSearch();
  auto wanted = [&] {
    if (opt.device == 0) return false;
    for (const FoundEntry& e : discovery.found)
      if (e.record.modelCode != 0 && e.record.deviceNumber == opt.device - 1) return true;
    return false;
  };
  // The search ends with its time-out (or at once when the port cannot be opened); with
  // --device, as soon as that unit has answered.
  loop.RunUntil([&] { return !discovery.SearchTimerRunning() || wanted(); },
                Discovery::kSearchTimeoutMs + 2000);

  int printed = 0;
  for (const FoundEntry& e : discovery.found) {
    const IdentityRecord& r = e.record;
    if (r.modelCode == 0) continue;  // the stand-alone record of a search without answers
    if (opt.device != 0 && r.deviceNumber != opt.device - 1) continue;
    std::cout << "device\t" << r.deviceNumber + 1 << '\t' << r.name << '\t'
              << VersionText(r.modelCode) << '\t' << r.textId << '\n';
    ++printed;
  }
  if (settings) {
    discovery.SaveUnits(*settings);
    if (!settings->Flush())
      std::cerr << "korvan-tool scan: cannot write " << opt.settingsPath << '\n';
  }
  if (printed == 0) {
    std::cerr << "korvan-tool scan: no Korvan answered on " << opt.port;
    if (opt.device != 0) std::cerr << " as device " << opt.device;
    std::cerr << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

void AddScanCommand(CLI::App& app, int& rc) {
  auto opt = std::make_shared<ScanOptions>();
  CLI::App* cmd = app.add_subcommand("scan", "Search a port for Korvan units");
  cmd->add_option("--port", opt->port, "device path (/dev/ttyUSB0) or COMn")->required();
  cmd->add_option("--device", opt->device, "only this unit (1..16)")->check(CLI::Range(1, 16));
  cmd->add_option("--settings", opt->settingsPath,
                  "INI file with the last-used unit (read first, the found units written back)");
  cmd->callback([opt, &rc] { rc = RunScan(*opt); });
}

}  // namespace korvan::tool
