#pragma once
// A scheduler whose clock moves only when told to: Advance(5000) runs every timer due in those
// 5 seconds, in time order, without any waiting.

#include <cstdint>

#include "core/scheduler.h"
#include "core/timer_set.h"

namespace korvan {

class ManualScheduler : public Scheduler {
 public:
  ManualScheduler();
  ManualScheduler(const ManualScheduler&) = delete;
  ManualScheduler& operator=(const ManualScheduler&) = delete;

  std::unique_ptr<Timer> CreateTimer(TimerKind kind, std::function<void()> onFire) override;
  int64_t NowMs() const override { return now_; }

  // Moves the clock forward by ms, firing due timers in order of their due time.
  void Advance(int64_t ms);
  // Moves to the next due time of any running timer (if one is due within limitMs) and fires it.
  bool RunNext(int64_t limitMs);

 private:
  void FireAt(TimerSet::Entry& t);

  int64_t now_ = 0;
  TimerSet timers_;
};

}  // namespace korvan
