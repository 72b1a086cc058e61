#include "core/manual_scheduler.h"

#include <algorithm>

namespace korvan {

ManualScheduler::ManualScheduler()
    : timers_([this] { return now_; }, TimerSet::Rearm::KeepCadence) {}

std::unique_ptr<Timer> ManualScheduler::CreateTimer(TimerKind kind, std::function<void()> onFire) {
  return timers_.Create(kind, std::move(onFire));
}

void ManualScheduler::FireAt(TimerSet::Entry& t) {
  now_ = std::max(now_, TimerSet::DueTime(t));
  timers_.Fire(t, now_);
}

void ManualScheduler::Advance(int64_t ms) {
  const int64_t until = now_ + std::max<int64_t>(0, ms);
  while (TimerSet::Entry* t = timers_.NextDue(until)) FireAt(*t);
  now_ = std::max(now_, until);  // a nested Advance (a box inside a timer) may have gone further
}

bool ManualScheduler::RunNext(int64_t limitMs) {
  TimerSet::Entry* t = timers_.NextDue(now_ + limitMs);
  if (!t) return false;
  FireAt(*t);
  return true;
}

}  // namespace korvan
