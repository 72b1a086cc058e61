#include "core/event_loop.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace korvan {

EventLoop::EventLoop() : timers_([this] { return NowMs(); }, TimerSet::Rearm::FromFiringTime) {}

std::unique_ptr<Timer> EventLoop::CreateTimer(TimerKind kind, std::function<void()> onFire) {
  return timers_.Create(kind, std::move(onFire));
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

void EventLoop::RunDueTimers() {
  // Only timers due now; a timer re-armed by a callback waits for the next round.
  const int64_t now = NowMs();
  const uint64_t armedBefore = timers_.LastArmed();
  while (TimerSet::Entry* t = timers_.NextDue(now, armedBefore)) timers_.Fire(*t, now);
}

void EventLoop::RunOnce(int maxWaitMs) {
  int wait = std::max(0, maxWaitMs);
  const int64_t due = timers_.EarliestDue();
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
