#include "core/event_loop.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace korvan {

class EventLoop::LoopTimer : public Timer {
 public:
  LoopTimer(EventLoop& owner, TimerKind kind, std::function<void()> onFire)
      : owner_(&owner), kind_(kind), onFire_(std::move(onFire)) {
    owner_->timers_.push_back(this);
  }
  ~LoopTimer() override {
    if (owner_) std::erase(owner_->timers_, this);
  }
  void Start(int intervalMs) override {
    interval_ = std::max(0, intervalMs);
    due_ = (owner_ ? owner_->NowMs() : 0) + interval_;
    order_ = owner_ ? ++owner_->sequence_ : 0;
    running_ = true;
  }
  void Stop() override { running_ = false; }
  bool Running() const override { return running_; }
  int Interval() const override { return interval_; }

  void Fire(int64_t now) {
    if (kind_ == TimerKind::OneShot) {
      running_ = false;
    } else {
      // Late ticks are not made up for: the next one is due an interval after this one ran.
      due_ = now + std::max(1, interval_);
      order_ = ++owner_->sequence_;
    }
    auto callback = onFire_;  // the callback may destroy this timer
    callback();
  }

  EventLoop* owner_;
  TimerKind kind_;
  std::function<void()> onFire_;
  int interval_ = 0;
  int64_t due_ = 0;
  uint64_t order_ = 0;
  bool running_ = false;
};

EventLoop::EventLoop() = default;

EventLoop::~EventLoop() {
  for (auto* t : timers_) t->owner_ = nullptr;
}

std::unique_ptr<Timer> EventLoop::CreateTimer(TimerKind kind, std::function<void()> onFire) {
  return std::make_unique<LoopTimer>(*this, kind, std::move(onFire));
}

int64_t EventLoop::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void EventLoop::WatchReadable(int fd, std::function<void()> onReady) {
  watches_[fd] = Watch{nextWatchId_++, std::move(onReady)};
}

void EventLoop::Unwatch(int fd) {
  watches_.erase(fd);
}

int64_t EventLoop::NextDueMs() const {
  int64_t next = -1;
  for (const auto* t : timers_)
    if (t->running_ && (next < 0 || t->due_ < next)) next = t->due_;
  return next;
}

void EventLoop::RunDueTimers() {
  // Only timers due now; a timer re-armed by a callback waits for the next round.
  const int64_t now = NowMs();
  const uint64_t armedBefore = sequence_;
  for (;;) {
    LoopTimer* best = nullptr;
    for (auto* t : timers_) {
      if (!t->running_ || t->due_ > now || t->order_ > armedBefore) continue;
      if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_))
        best = t;
    }
    if (!best) return;
    best->Fire(now);
  }
}

void EventLoop::RunOnce(int maxWaitMs) {
  int wait = std::max(0, maxWaitMs);
  const int64_t due = NextDueMs();
  if (due >= 0) wait = static_cast<int>(std::clamp<int64_t>(due - NowMs(), 0, wait));

  std::vector<pollfd> fds;
  std::vector<uint64_t> ids;
  for (const auto& [fd, w] : watches_) {
    fds.push_back(pollfd{fd, POLLIN, 0});
    ids.push_back(w.id);
  }
  const int n = ::poll(fds.data(), fds.size(), wait);
  if (n > 0) {
    for (size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      // A callback may have removed or replaced this watch meanwhile.
      auto it = watches_.find(fds[i].fd);
      if (it == watches_.end() || it->second.id != ids[i]) continue;
      auto callback = it->second.onReady;
      callback();
    }
  }
  RunDueTimers();
}

bool EventLoop::RunUntil(const std::function<bool()>& done, int64_t timeoutMs) {
  const int64_t end = NowMs() + std::max<int64_t>(0, timeoutMs);
  while (!done()) {
    const int64_t left = end - NowMs();
    if (left <= 0) return done();
    RunOnce(static_cast<int>(std::min<int64_t>(left, 100)));
  }
  return true;
}

void EventLoop::Run() {
  quit_ = false;
  while (!quit_) RunOnce(1000);
}

}  // namespace korvan
