#pragma once
// The main window's timer (srTimer): every 120 ms it drains the change queue, and then either
// feeds a linked unit with the pending edits and a status request, polls the unit shown in the
// connect dialog once a second, or, stand-alone, shows the editor's own processing estimate.

#include <memory>

#include "core/scheduler.h"

namespace korvan {

class Editor;

class MainTimer {
 public:
  static constexpr int kFirstTickMs = 150;
  static constexpr int kIntervalMs = 120;
  static constexpr int kConnectDialogIntervalMs = 1000;
  // The stand-alone figure S (estimate + 4.5, truncated) the unit can carry, and the free
  // percentage shown as kProcessingBase - S.
  static constexpr int kProcessingBase = 56;
  static constexpr int kProcessingWarnAt = 58;

  MainTimer(Editor& editor, Scheduler& scheduler);

  void Tick();
  Timer& timer() { return *timer_; }

 private:
  void SetInterval(int ms);
  void StandAlone();

  Editor& editor_;
  std::unique_ptr<Timer> timer_;
  bool warned_ = false;  // the maximum-processing warning was shown for this crossing
};

}  // namespace korvan
