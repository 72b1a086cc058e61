#pragma once
// The real clock for korvan-tool and korvan-sim: timers and descriptor readiness served by one
// poll() loop on the calling thread.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/fd_watcher.h"
#include "core/scheduler.h"
#include "core/timer_set.h"

namespace korvan {

class EventLoop : public Scheduler, public FdWatcher {
 public:
  EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  std::unique_ptr<Timer> CreateTimer(TimerKind kind, std::function<void()> onFire) override;
  int64_t NowMs() const override;

  void WatchReadable(int fd, std::function<void()> onReady) override;
  void Unwatch(int fd) override;

  // Waits at most maxWaitMs (less when a timer is due sooner) for ready descriptors, then runs
  // their callbacks and every timer that is due.
  void RunOnce(int maxWaitMs);
  // Runs until done() holds or timeoutMs have passed; returns done().
  bool RunUntil(const std::function<bool()>& done, int64_t timeoutMs);
  // Runs until Quit().
  void Run();
  void Quit() { quit_ = true; }

 private:
  void RunDueTimers();

  struct Watch {
    uint64_t id;
    std::function<void()> onReady;
  };
  TimerSet timers_;
  std::map<int, Watch> watches_;
  uint64_t nextWatchId_ = 1;
  bool quit_ = false;
};

}  // namespace korvan
