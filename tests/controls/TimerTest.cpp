// The window timer: ticks while enabled with a non-zero interval; assigning a different
// value restarts the countdown, the same value changes nothing.
#include <gtest/gtest.h>

#include "controls/Timer.h"

TEST(Timer, TicksEveryIntervalWhileEnabled) {
  controls::Timer timer("Timer1", 1000, false);
  int ticks = 0;
  timer.OnTimer = [&](controls::Timer&) { ++ticks; };
  timer.Advance(5000);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  timer.Advance(999);
  EXPECT_EQ(ticks, 0);
  timer.Advance(1);
  timer.Advance(2500);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(timer.Remaining(), 500u);
}

TEST(Timer, SameValueKeepsTheCountdownAndADifferentOneRestartsIt) {
  controls::Timer timer("Timer2", 1000, true);
  int ticks = 0;
  timer.OnTimer = [&](controls::Timer&) { ++ticks; };
  timer.Advance(600);
  timer.SetInterval(1000);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.Remaining(), 400u);
  timer.SetInterval(2000);
  EXPECT_EQ(timer.Remaining(), 2000u);
  timer.Advance(1999);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.Remaining(), 2000u);
}

TEST(Timer, IntervalZeroNeverTicks) {
  controls::Timer timer("Timer1", 0, true);
  int ticks = 0;
  timer.OnTimer = [&](controls::Timer&) { ++ticks; };
  timer.Advance(1'000'000);
  timer.Tick();
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(timer.Running());
}

TEST(Timer, HandlerThatStopsOrReassignsTheTimerIsObeyed) {
  controls::Timer timer("Timer2", 1000, true);
  int ticks = 0;
  timer.OnTimer = [&](controls::Timer& t) {
    ++ticks;
    if (ticks == 1) t.SetInterval(3000);
    if (ticks == 2) t.SetEnabled(false);
  };
  timer.Advance(1000);
  EXPECT_EQ(timer.Remaining(), 3000u);
  timer.Advance(100000);
  EXPECT_EQ(ticks, 2);
}
