// The poll() loop on the real clock: timers in due order, descriptor readiness, and callbacks
// that change what is watched or re-arm themselves.

#include "core/event_loop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

constexpr int kBoundMs = 3000;  // only keeps a broken loop from hanging the test

TEST(EventLoop, TimersFireInDueOrderAndPeriodicOnesRepeat) {
  EventLoop loop;
  std::vector<std::string> fired;
  auto late = loop.CreateTimer(TimerKind::OneShot, [&] { fired.push_back("late"); });
  auto early = loop.CreateTimer(TimerKind::OneShot, [&] { fired.push_back("early"); });
  int ticks = 0;
  auto periodic = loop.CreateTimer(TimerKind::Periodic, [&] { ++ticks; });
  late->Start(30);
  early->Start(5);
  periodic->Start(2);
  ASSERT_TRUE(loop.RunUntil([&] { return fired.size() == 2 && ticks >= 3; }, kBoundMs));
  EXPECT_EQ(fired, (std::vector<std::string>{"early", "late"}));
  EXPECT_FALSE(late->Running());
  EXPECT_TRUE(periodic->Running());
}

TEST(EventLoop, AOneShotReArmedWithZeroWaitsForTheNextRound) {
  EventLoop loop;
  int fired = 0;
  std::unique_ptr<Timer> t;
  t = loop.CreateTimer(TimerKind::OneShot, [&] {
    if (++fired < 5) t->Start(0);
  });
  t->Start(0);
  loop.RunOnce(0);
  EXPECT_EQ(fired, 1);
  ASSERT_TRUE(loop.RunUntil([&] { return fired == 5; }, kBoundMs));
}

TEST(EventLoop, ReadableDescriptorsRunTheirCallbackUntilUnwatched) {
  EventLoop loop;
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  int calls = 0;
  loop.WatchReadable(fds[0], [&] {
    char c;
    ASSERT_EQ(::read(fds[0], &c, 1), 1);
    if (++calls == 2) loop.Unwatch(fds[0]);
  });
  ASSERT_EQ(::write(fds[1], "abc", 3), 3);
  ASSERT_TRUE(loop.RunUntil([&] { return calls == 2; }, kBoundMs));
  loop.RunOnce(10);  // one byte still waits, but nobody watches any more
  EXPECT_EQ(calls, 2);
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace
}  // namespace korvan
