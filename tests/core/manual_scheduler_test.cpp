#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

TEST(ManualScheduler, FiresTimersInDueOrderWithoutWaiting) {
  ManualScheduler clock;
  std::vector<std::string> fired;
  auto periodic = clock.CreateTimer(TimerKind::Periodic, [&] { fired.push_back("tick"); });
  auto timeout = clock.CreateTimer(TimerKind::OneShot, [&] { fired.push_back("timeout"); });
  periodic->Start(120);
  timeout->Start(250);
  clock.Advance(5000);
  EXPECT_EQ(fired.size(), 41u + 1u);  // 5000 / 120 ticks, one time-out
  EXPECT_EQ(fired[2], "timeout");    // after the ticks at 120 and 240
  EXPECT_FALSE(timeout->Running());
  EXPECT_TRUE(periodic->Running());
  EXPECT_EQ(clock.NowMs(), 5000);
}

TEST(ManualScheduler, RearmingAndStoppingFromCallbacks) {
  ManualScheduler clock;
  int count = 0;
  std::unique_ptr<Timer> t;
  t = clock.CreateTimer(TimerKind::OneShot, [&] {
    if (++count < 3) t->Start(100);  // re-armed from its own callback
  });
  t->Start(100);
  clock.Advance(1000);
  EXPECT_EQ(count, 3);
  t->Start(50);
  t->Stop();
  clock.Advance(100);
  EXPECT_EQ(count, 3);
  // A timer destroyed by another's callback never fires.
  std::unique_ptr<Timer> victim = clock.CreateTimer(TimerKind::OneShot, [&] { count = -1; });
  auto killer = clock.CreateTimer(TimerKind::OneShot, [&] { victim.reset(); });
  killer->Start(10);
  victim->Start(20);
  clock.Advance(100);
  EXPECT_EQ(count, 3);
}

}  // namespace
}  // namespace korvan
