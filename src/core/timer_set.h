#pragma once
// The timers of one scheduler: arming, due times and firing order. The manual clock and the
// poll() loop differ only in where "now" comes from and in how a periodic timer re-arms.

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "core/scheduler.h"

namespace korvan {

class TimerSet {
 public:
  enum class Rearm {
    KeepCadence,    // next due time = last due time + interval (an exact clock)
    FromFiringTime  // next due time = firing time + interval (late ticks are not made up for)
  };

  TimerSet(std::function<int64_t()> now, Rearm rearm);
  ~TimerSet();
  TimerSet(const TimerSet&) = delete;
  TimerSet& operator=(const TimerSet&) = delete;

  std::unique_ptr<Timer> Create(TimerKind kind, std::function<void()> onFire);

  class Entry;
  // The running timer due first at or before until (ties: the one armed first), leaving out
  // timers armed after the arming number armedBefore; null when there is none.
  Entry* NextDue(int64_t until, uint64_t armedBefore = std::numeric_limits<uint64_t>::max()) const;
  // The earliest due time of any running timer, or -1.
  int64_t EarliestDue() const;
  static int64_t DueTime(const Entry& e);
  // Fires e as at time now; the callback may destroy any timer, e included.
  void Fire(Entry& e, int64_t now);
  // The arming number of the timer armed last.
  uint64_t LastArmed() const { return sequence_; }

 private:
  friend class Entry;
  std::function<int64_t()> now_;
  Rearm rearm_;
  uint64_t sequence_ = 0;
  std::vector<Entry*> timers_;
};

}  // namespace korvan
