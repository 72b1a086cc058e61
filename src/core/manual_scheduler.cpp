#include "core/manual_scheduler.h"

#include <algorithm>

namespace korvan {

class ManualScheduler::ManualTimer : public Timer {
 public:
  ManualTimer(ManualScheduler& owner, TimerKind kind, std::function<void()> onFire)
      : owner_(&owner), kind_(kind), onFire_(std::move(onFire)) {
    owner_->timers_.push_back(this);
  }
  ~ManualTimer() override {
    if (owner_) std::erase(owner_->timers_, this);
  }
  void Start(int intervalMs) override {
    interval_ = std::max(0, intervalMs);
    due_ = owner_ ? owner_->now_ + interval_ : 0;
    order_ = owner_ ? ++owner_->sequence_ : 0;
    running_ = true;
  }
  void Stop() override { running_ = false; }
  bool Running() const override { return running_; }
  int Interval() const override { return interval_; }

  void Fire() {
    if (kind_ == TimerKind::OneShot) {
      running_ = false;
    } else {
      // A zero interval would fire forever at one instant; treat it as 1 ms.
      due_ += std::max(1, interval_);
      order_ = ++owner_->sequence_;
    }
    auto callback = onFire_;  // the callback may destroy this timer
    callback();
  }

  ManualScheduler* owner_;
  TimerKind kind_;
  std::function<void()> onFire_;
  int interval_ = 0;
  int64_t due_ = 0;
  uint64_t order_ = 0;
  bool running_ = false;
};

ManualScheduler::ManualScheduler() = default;

ManualScheduler::~ManualScheduler() {
  for (auto* t : timers_) t->owner_ = nullptr;
}

std::unique_ptr<Timer> ManualScheduler::CreateTimer(TimerKind kind, std::function<void()> onFire) {
  return std::make_unique<ManualTimer>(*this, kind, std::move(onFire));
}

ManualScheduler::ManualTimer* ManualScheduler::NextDue(int64_t until) const {
  ManualTimer* best = nullptr;
  for (auto* t : timers_) {
    if (!t->running_ || t->due_ > until) continue;
    if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_))
      best = t;
  }
  return best;
}

void ManualScheduler::Advance(int64_t ms) {
  const int64_t until = now_ + std::max<int64_t>(0, ms);
  while (ManualTimer* t = NextDue(until)) {
    now_ = std::max(now_, t->due_);
    t->Fire();
  }
  now_ = std::max(now_, until);  // a nested Advance (a box inside a timer) may have gone further
}

bool ManualScheduler::RunNext(int64_t limitMs) {
  ManualTimer* t = NextDue(now_ + limitMs);
  if (!t) return false;
  now_ = std::max(now_, t->due_);
  t->Fire();
  return true;
}

}  // namespace korvan
