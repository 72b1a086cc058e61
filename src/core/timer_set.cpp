#include "core/timer_set.h"

#include <algorithm>

namespace korvan {

class TimerSet::Entry : public Timer {
 public:
  Entry(TimerSet& owner, TimerKind kind, std::function<void()> onFire)
      : owner_(&owner), kind_(kind), onFire_(std::move(onFire)) {
    owner_->timers_.push_back(this);
  }
  ~Entry() override {
    if (owner_) std::erase(owner_->timers_, this);
  }
  void Start(int intervalMs) override {
    interval_ = std::max(0, intervalMs);
    due_ = (owner_ ? owner_->now_() : 0) + interval_;
    order_ = owner_ ? ++owner_->sequence_ : 0;
    running_ = true;
  }
  void Stop() override { running_ = false; }
  bool Running() const override { return running_; }
  int Interval() const override { return interval_; }

  TimerSet* owner_;
  TimerKind kind_;
  std::function<void()> onFire_;
  int interval_ = 0;
  int64_t due_ = 0;
  uint64_t order_ = 0;
  bool running_ = false;
};

TimerSet::TimerSet(std::function<int64_t()> now, Rearm rearm)
    : now_(std::move(now)), rearm_(rearm) {}

TimerSet::~TimerSet() {
  for (auto* t : timers_) t->owner_ = nullptr;
}

std::unique_ptr<Timer> TimerSet::Create(TimerKind kind, std::function<void()> onFire) {
  return std::make_unique<Entry>(*this, kind, std::move(onFire));
}

TimerSet::Entry* TimerSet::NextDue(int64_t until, uint64_t armedBefore) const {
  Entry* best = nullptr;
  for (auto* t : timers_) {
    if (!t->running_ || t->due_ > until || t->order_ > armedBefore) continue;
    if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_))
      best = t;
  }
  return best;
}

int64_t TimerSet::EarliestDue() const {
  int64_t next = -1;
  for (const auto* t : timers_)
    if (t->running_ && (next < 0 || t->due_ < next)) next = t->due_;
  return next;
}

int64_t TimerSet::DueTime(const Entry& e) {
  return e.due_;
}

void TimerSet::Fire(Entry& e, int64_t now) {
  if (e.kind_ == TimerKind::OneShot) {
    e.running_ = false;
  } else {
    // A zero interval would fire forever at one instant; treat it as 1 ms.
    const int step = std::max(1, e.interval_);
    e.due_ = rearm_ == Rearm::KeepCadence ? e.due_ + step : now + step;
    e.order_ = ++sequence_;
  }
  auto callback = e.onFire_;  // the callback may destroy this timer
  callback();
}

}  // namespace korvan
