#include <gtest/gtest.h>

#include "toolkit/retry.h"
#include "toolkit/timer.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

using RetryTest = testing::ToolkitTest;

TEST_F(RetryTest, StopsAtTheFirstRoundThatIsDone) {
  int attempts = 0;
  const bool done = RetryUntil(
      app, {.pauseMs = 300, .timeLimitSeconds = 30}, [&] { ++attempts; },
      [&] { return attempts == 3; });
  EXPECT_TRUE(done);
  EXPECT_EQ(attempts, 3);
  EXPECT_NEAR(app.Now(), 0.6, 1e-9);  // two pauses between three rounds
}

TEST_F(RetryTest, GivesUpAfterTheTimeLimitServingEventsMeanwhile) {
  Timer timer(form, "Timer1", 100);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetEnabled(true);
  int attempts = 0;
  const bool done = RetryUntil(
      app, {.pauseMs = 500, .timeLimitSeconds = 2}, [&] { ++attempts; }, [] { return false; });
  EXPECT_FALSE(done);
  EXPECT_EQ(attempts, 5);  // at 0, 0.5, 1, 1.5 and 2 s
  EXPECT_EQ(ticks, 4);     // one at each yield once the timer is due
  EXPECT_NEAR(app.Now(), 2.0, 1e-9);
}

}  // namespace
}  // namespace frost
