#pragma once
// An editor linked to one unit for the live commands (send, watch): the connect dialog's search
// on PORT, the unit chosen, "Stay Synchronized" on close, and the main timer left to feed the
// unit with edits and status requests.

#include <cstdint>
#include <memory>
#include <string>

#include "core/event_loop.h"
#include "core/ui.h"
#include "editor/editor.h"
#include "link/posix_port.h"

namespace korvan::tool {

// Keeps what the error popup and the message boxes showed, for the command to report.
class LiveUi : public SilentUi {
 public:
  void ShowErrorPopup(const std::string& name, const std::string& what,
                      const std::string& why) override;
  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;

  int popups = 0;
  std::string popupText;  // "NAME reports : WHAT due to : WHY"
  std::string lastBox;
};

class LiveSession {
 public:
  static constexpr int kReportWaitMs = 6000;

  LiveSession();

  // Searches PORT and links to unit device (1..16; 0: the first in name order). False with a
  // reason in error (usage: 2, no unit: 1 in exitCode).
  bool Link(const std::string& port, int device, std::string& error, int& exitCode);
  // Runs the loop until a status report arrives that was asked for after this call.
  bool NextReport();
  // Runs until every edit has left and the unit has answered the status request sent with the
  // last of them.
  bool Flush();

  Editor& editor() { return *editor_; }
  EventLoop& loop() { return loop_; }
  LiveUi& ui() { return ui_; }
  int64_t Reports() const { return reports_; }

 private:
  LiveUi ui_;
  EventLoop loop_;
  PosixPortSystem ports_;
  std::unique_ptr<Editor> editor_;
  int64_t reports_ = 0;
};

}  // namespace korvan::tool
