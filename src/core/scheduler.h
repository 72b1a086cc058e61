#pragma once
// Time as the core sees it. Every timer of the editor is made by a Scheduler: the Qt program backs
// them with QTimer, the tool and the simulator with a poll() loop, the tests with a manual clock.

#include <cstdint>
#include <functional>
#include <memory>

namespace korvan {

class Timer {
 public:
  virtual ~Timer() = default;
  // Arms (or re-arms) the timer: it fires interval ms from now, and for a periodic timer every
  // interval ms after that until stopped.
  virtual void Start(int intervalMs) = 0;
  // Re-arms with the interval last given.
  void Restart() { Start(Interval()); }
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
  virtual int Interval() const = 0;
};

enum class TimerKind { OneShot, Periodic };

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // The timer calls onFire on the scheduler's thread. Destroying the timer stops it.
  virtual std::unique_ptr<Timer> CreateTimer(TimerKind kind, std::function<void()> onFire) = 0;
  // Milliseconds on a monotonic clock.
  virtual int64_t NowMs() const = 0;
};

}  // namespace korvan
