#include "tool/live_session.h"

#include "link/live_exchange.h"
#include "tool/port_option.h"

namespace korvan::tool {
namespace {

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

void LiveUi::ShowErrorPopup(const std::string& name, const std::string& what,
                            const std::string& why) {
  ++popups;
  popupText = TrimRight(name) + " reports : " + what + " due to : " + why;
}

MsgResult LiveUi::MessageBox(const std::string& text, MsgIcon, MsgButtons buttons) {
  lastBox = text;
  return FirstButton(buttons);
}

LiveSession::LiveSession() {
  editor_ = std::make_unique<Editor>(
      ui_, loop_, LinkEnvironment{.ports = &ports_, .watcher = &loop_, .logFolder = ""});
  editor_->status().SetReportListener([this](const StatusReport&) { ++reports_; });
}

bool LiveSession::Link(const std::string& port, int device, std::string& error, int& exitCode) {
  const int number = ResolvePort(port, ports_, error);
  if (number == 0) {
    exitCode = 2;
    return false;
  }
  Discovery& discovery = editor_->discovery();
  discovery.view.portBox = {"COM " + std::to_string(number)};
  discovery.view.portSelection = 0;
  editor_->port().presentMask |= 1u << (number - 1);
  discovery.StartSearch();
  loop_.RunUntil([&] { return !discovery.SearchTimerRunning(); },
                 Discovery::kSearchTimeoutMs + 2000);
  int chosen = -1;
  for (size_t i = 0; i < discovery.found.size(); ++i) {
    const IdentityRecord& r = discovery.found[i].record;
    if (r.modelCode == 0) continue;
    if (device == 0 || r.deviceNumber == device - 1) {
      chosen = static_cast<int>(i);
      break;
    }
  }
  if (chosen < 0) {
    error = "no Korvan answered on " + port;
    if (device != 0) error += " as device " + std::to_string(device);
    exitCode = 1;
    return false;
  }
  discovery.Select(chosen);
  // Closing the connect dialog with "Stay Synchronized".
  if (!editor_->port().OpenPort()) {
    error = "cannot open " + port;
    exitCode = 1;
    return false;
  }
  if (editor_->RemoteMode() != kRemoteLinked) {
    editor_->SetRemoteMode(kRemoteLinked);
    editor_->sender().SendRemoteMode(0x40);
  }
  return true;
}

bool LiveSession::NextReport() {
  // A request already out may be answered by a report that says nothing about what came
  // after it: wait for that one, then for the answer to a new request.
  const int64_t first = reports_;
  const bool waiting = editor_->replyTimers().VuTimer().Running();
  if (!loop_.RunUntil([&] { return reports_ > first; }, kReportWaitMs)) return false;
  if (!waiting) return true;
  const int64_t second = reports_;
  return loop_.RunUntil([&] { return reports_ > second; }, kReportWaitMs);
}

bool LiveSession::Flush() {
  for (int round = 0; round < 64; ++round) {
    if (editor_->live().QueueEmpty() && editor_->model().QueueEmpty()) return NextReport();
    const int64_t before = reports_;
    if (!loop_.RunUntil([&] { return reports_ > before; }, kReportWaitMs)) return false;
  }
  return false;
}

}  // namespace korvan::tool
