#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/errors.h"
#include "toolkit/timer.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

using ::testing::DoubleNear;
using ::testing::Pointwise;

class TimerTest : public testing::ToolkitTest {
 protected:
  // Records the show time of every tick of `timer`.
  void RecordTicks(Timer& timer, std::vector<double>& ticks) {
    timer.OnTimer = [&] { ticks.push_back(app.Now()); };
  }
};

TEST_F(TimerTest, TicksEveryIntervalFromEnabling) {
  Timer timer(form, "Timer1", 100);
  std::vector<double> ticks;
  RecordTicks(timer, ticks);
  app.Sleep(50);
  timer.SetEnabled(true);
  app.Run(0.5);
  EXPECT_THAT(ticks, Pointwise(DoubleNear(1e-9), {0.15, 0.25, 0.35, 0.45}));
}

TEST_F(TimerTest, DisabledOrZeroIntervalTimersStaySilent) {
  Timer disabled(form, "Timer1", 10);
  Timer zero(form, "Timer2", 0);
  zero.SetEnabled(true);
  int ticks = 0;
  disabled.OnTimer = zero.OnTimer = [&] { ++ticks; };
  EXPECT_FALSE(app.Run(1.0));
  EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, ChangingIntervalTakesEffectFromTheNextTick) {
  Timer timer(form, "Timer1", 100);
  std::vector<double> ticks;
  timer.OnTimer = [&] {
    ticks.push_back(app.Now());
    timer.SetInterval(300);
  };
  timer.SetEnabled(true);
  app.Run(1.05);
  EXPECT_THAT(ticks, Pointwise(DoubleNear(1e-9), {0.1, 0.4, 0.7, 1.0}));
}

TEST_F(TimerTest, ReenablingSchedulesAFullIntervalAgain) {
  Timer timer(form, "Timer1", 100);
  std::vector<double> ticks;
  RecordTicks(timer, ticks);
  timer.SetEnabled(true);
  app.Run(0.15);
  timer.SetEnabled(false);
  app.Run(0.5);
  timer.SetEnabled(true);
  app.Run(0.65);
  EXPECT_THAT(ticks, Pointwise(DoubleNear(1e-9), {0.1, 0.6}));
}

TEST_F(TimerTest, SuspendedHandlerIsNotReenteredWhileOtherTimersTick) {
  Timer slow(form, "TimerSlow", 10);
  Timer fast(form, "TimerFast", 10);
  int depth = 0;
  int deepest = 0;
  std::vector<double> slowTicks;
  int fastTicksInsideSlow = 0;
  slow.OnTimer = [&] {
    slowTicks.push_back(app.Now());
    deepest = std::max(deepest, ++depth);
    // 50 yields of 1 ms: five of the slow timer's own ticks come due meanwhile.
    for (int i = 0; i < 50; ++i) app.DoEvents();
    --depth;
  };
  fast.OnTimer = [&] { fastTicksInsideSlow += depth; };
  app.SetPacing(0.001);
  slow.SetEnabled(true);
  fast.SetEnabled(true);
  app.Run(0.1);
  EXPECT_EQ(deepest, 1);
  EXPECT_GE(fastTicksInsideSlow, 8);
  // The pending tick runs as soon as the handler returns; no backlog of skipped ticks follows.
  ASSERT_EQ(slowTicks.size(), 2u);
  EXPECT_NEAR(slowTicks[1] - slowTicks[0], 0.050, 1e-9);
}

TEST_F(TimerTest, HandlerLongerThanItsIntervalIsFollowedAtOnce) {
  Timer timer(form, "Timer1", 100);
  std::vector<double> ticks;
  timer.OnTimer = [&] {
    ticks.push_back(app.Now());
    if (ticks.size() == 1)
      app.Sleep(250);
  };
  timer.SetEnabled(true);
  app.Run(0.5);
  EXPECT_THAT(ticks, Pointwise(DoubleNear(1e-9), {0.1, 0.35, 0.45}));
}

TEST_F(TimerTest, TimerHasNoVisibleProperty) {
  Timer timer(form, "Timer1", 100);
  try {
    timer.SetVisible(true);
    FAIL() << "a timer accepted Visible";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), error::kNotSupported);
  }
  EXPECT_FALSE(timer.Visible());
}

TEST_F(TimerTest, EndStopsEveryTimer) {
  Timer first(form, "Timer1", 10);
  Timer second(form, "Timer2", 20);
  first.SetEnabled(true);
  second.SetEnabled(true);
  first.OnTimer = [&] { app.End(); };
  EXPECT_TRUE(app.Run(1.0));
  EXPECT_FALSE(first.Enabled());
  EXPECT_FALSE(second.Enabled());
  EXPECT_FALSE(first.Running());
}

}  // namespace
}  // namespace frost
