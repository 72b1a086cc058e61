#pragma once
// A scheduler whose clock moves only when told to: Advance(5000) runs every timer due in those
// 5 seconds, in time order, without any waiting.

#include <cstdint>
#include <vector>

#include "core/scheduler.h"

namespace korvan {

class ManualScheduler : public Scheduler {
 public:
  ManualScheduler();
  ~ManualScheduler() override;
  ManualScheduler(const ManualScheduler&) = delete;
  ManualScheduler& operator=(const ManualScheduler&) = delete;

  std::unique_ptr<Timer> CreateTimer(TimerKind kind, std::function<void()> onFire) override;
  int64_t NowMs() const override { return now_; }

  // Moves the clock forward by ms, firing due timers in order of their due time.
  void Advance(int64_t ms);
  // Moves to the next due time of any running timer (if one is due within limitMs) and fires it.
  bool RunNext(int64_t limitMs);

  class ManualTimer;

 private:
  friend class ManualTimer;
  ManualTimer* NextDue(int64_t until) const;

  int64_t now_ = 0;
  uint64_t sequence_ = 0;
  std::vector<ManualTimer*> timers_;
};

}  // namespace korvan
