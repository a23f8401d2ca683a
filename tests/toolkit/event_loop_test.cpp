#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/errors.h"
#include "toolkit/picture_box.h"
#include "toolkit/timer.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

using EventLoopTest = testing::ToolkitTest;

TEST_F(EventLoopTest, SleepAdvancesTheVirtualClockAtOnceWithoutServingTimers) {
  Timer timer(form, "Timer1", 100);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetEnabled(true);
  const auto start = std::chrono::steady_clock::now();
  app.Sleep(1000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_DOUBLE_EQ(app.Now(), 1.0);
  EXPECT_EQ(ticks, 0);
  app.DoEvents();
  EXPECT_EQ(ticks, 1);
}

TEST_F(EventLoopTest, WhatWasDrawnIsOnTheWindowWithinAFrameOfASleepBeginning) {
  constexpr Color kInk = RGB(250, 200, 50);
  PictureBox picture(form, &form, "Picture1");
  picture.Move(0, 0, 200 * 15, 150 * 15);
  app.DoEvents();
  // Drawn right after a presentation, so the yield that follows leaves it for later.
  picture.Line(0, 15, 100 * 15, 15, kInk);
  app.DoEvents();
  Bitmap shown;
  // A frame's time (1/60 s) into the pause.
  backend.AddCapture(app.Now() + 0.02,
                     [&](const Bitmap& frame, const std::optional<Region>&) { shown = frame; });
  app.Sleep(1000);
  EXPECT_EQ(shown.At(50, 1), kInk);
}

TEST_F(EventLoopTest, PausesShorterThanAFramePresentNoFasterThanTheFrameRate) {
  PictureBox picture(form, &form, "Picture1");
  picture.Move(0, 0, 200 * 15, 150 * 15);
  // The fireworks' rhythm: a ring, then a 10 ms pause, for a second.
  for (int ring = 0; ring < 100; ++ring) {
    picture.Line(0, ring * 15, 100 * 15, ring * 15, RGB(250, 200, ring));
    app.Sleep(10);
  }
  EXPECT_NEAR(app.Now(), 1.0, 1e-9) << "the pauses keep their length";
  EXPECT_LE(backend.PresentCount(), 61);
  EXPECT_GE(backend.PresentCount(), 50);
  EXPECT_EQ(backend.LastFrame().At(50, 98), RGB(250, 200, 98)) << "all but the last ring shown";
}

TEST_F(EventLoopTest, EveryYieldCostsThePacingTime) {
  app.SetPacing(kYieldPacingSeconds);
  for (int i = 0; i < 1000; ++i) app.DoEvents();
  EXPECT_NEAR(app.Now(), 1000 * kYieldPacingSeconds, 1e-9);
}

TEST_F(EventLoopTest, WorkBetweenYieldsCountsTowardsThePace) {
  app.SetPacing(0.010);
  app.DoEvents();
  app.Sleep(4);
  app.DoEvents();
  EXPECT_NEAR(app.Now(), 0.020, 1e-9);
  app.Sleep(30);
  app.DoEvents();
  EXPECT_NEAR(app.Now(), 0.050, 1e-9);
}

// A virtual clock that, like a live backend, only sleeps for waits of four yields and more
// (binary fractions, so that the sums are exact).
constexpr double kTestPacing = 1.0 / 1024;

class GatheringBackend : public HeadlessBackend {
 public:
  double ShortestSleep() override { return 4 * kTestPacing; }
  void Sleep(double seconds) override {
    ++sleeps;
    HeadlessBackend::Sleep(seconds);
  }
  int sleeps = 0;
};

TEST(PacingTest, ShortWaitsAreGatheredIntoFewerSleepsAtTheSamePace) {
  GatheringBackend backend;
  Random random;
  Application app(backend, random);
  app.SetPacing(kTestPacing);
  for (int i = 0; i < 400; ++i) app.DoEvents();
  EXPECT_DOUBLE_EQ(app.Now(), 400 * kTestPacing);
  EXPECT_EQ(backend.sleeps, 100);
}

TEST_F(EventLoopTest, PresentationIsCappedAtSixtyPerSecondOfShowTime) {
  app.SetPacing(kYieldPacingSeconds);
  app.DoEvents();
  const int before = app.PresentCount();
  const double start = app.Now();
  while (app.Now() < start + 1.0) {
    form.MarkChanged();
    app.DoEvents();
  }
  const int presented = app.PresentCount() - before;
  EXPECT_LE(presented, 60);
  EXPECT_GE(presented, 59);
  EXPECT_EQ(backend.PresentCount(), app.PresentCount());
}

TEST_F(EventLoopTest, IdleLoopPresentsNothingAndJumpsToTheStopTime) {
  app.Run(0.1);
  const int presented = backend.PresentCount();
  EXPECT_FALSE(app.Run(80.0));
  EXPECT_DOUBLE_EQ(app.Now(), 80.0);
  EXPECT_EQ(backend.PresentCount(), presented);
}

TEST_F(EventLoopTest, PendingChangeIsPresentedOnceThePresentIntervalHasPassed) {
  // Many presentation times, so that every rounding of "last + interval" comes up (at 0.05,
  // 0.05 + 1/60 - 0.05 falls short of 1/60).
  for (int i = 1; i <= 2000; ++i) {
    app.Sleep(50);
    form.MarkChanged();
    app.DoEvents();
    const int presented = app.PresentCount();
    const double presentedAt = app.Now();
    form.MarkChanged();
    app.Run(presentedAt + 0.1);
    ASSERT_EQ(app.PresentCount(), presented + 1) << "round " << i;
  }
}

TEST_F(EventLoopTest, ChangesShowAtTheNextPresentation) {
  Shape shape(form, &form, "Shape1");
  shape.Move(0, 0, 10 * 15, 10 * 15);
  shape.FillColor = RGB(1, 2, 3);
  shape.BorderColor = RGB(1, 2, 3);
  app.Run(1.0);
  EXPECT_EQ(backend.LastFrame().At(5, 5), RGB(1, 2, 3));
  shape.SetVisible(false);
  app.Run(1.1);
  EXPECT_NE(backend.LastFrame().At(5, 5), RGB(1, 2, 3));
}

TEST_F(EventLoopTest, EndInsideNestedYieldsUnwindsToRun) {
  Timer outer(form, "TimerOuter", 10);
  Timer inner(form, "TimerInner", 5);
  bool reachedAfterEnd = false;
  outer.OnTimer = [&] {
    for (int i = 0; i < 100; ++i) app.DoEvents();
    reachedAfterEnd = true;
  };
  inner.OnTimer = [&] {
    if (outer.Running()) {
      app.End();
      reachedAfterEnd = true;
    }
  };
  app.SetPacing(0.001);
  outer.SetEnabled(true);
  inner.SetEnabled(true);
  EXPECT_TRUE(app.Run(10.0));
  EXPECT_TRUE(app.Ended());
  EXPECT_FALSE(reachedAfterEnd);
  EXPECT_FALSE(backend.WindowVisible());
  EXPECT_FALSE(outer.Running());
  EXPECT_LT(app.Now(), 1.0);
}

TEST_F(EventLoopTest, EndIsNotSwallowedByResumeNext) {
  bool skippedStepRan = false;
  Timer timer(form, "Timer1", 10);
  timer.OnTimer = [&] {
    ResumeNext([&] { throw RuntimeError(5, "fails"); }, [&] { app.End(); },
               [&] { skippedStepRan = true; });
  };
  timer.SetEnabled(true);
  EXPECT_TRUE(app.Run(1.0));
  EXPECT_FALSE(skippedStepRan);
}

TEST(ResumeNextTest, SkipsRunTimeErrorsButNotFaultsOfTheProgram) {
  bool nextStepRan = false;
  ResumeNext([] { throw RuntimeError(error::kInvalidCall, "fails"); }, [&] { nextStepRan = true; });
  EXPECT_TRUE(nextStepRan);
  EXPECT_THROW(Attempt([] { throw std::logic_error("a fault"); }), std::logic_error);
}

TEST_F(EventLoopTest, CloseRequestAsksTheFormAndMayBeCancelled) {
  int asked = 0;
  bool cancel = true;
  form.QueryUnload = [&](bool& keepOpen) {
    ++asked;
    keepOpen = cancel;
  };
  backend.Push(CloseRequestEvent{}, 1.0);
  EXPECT_FALSE(app.Run(2.0));
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(backend.WindowVisible());

  cancel = false;
  backend.Push(CloseRequestEvent{}, 3.0);
  EXPECT_TRUE(app.Run(10.0));
  EXPECT_EQ(asked, 2);
  EXPECT_DOUBLE_EQ(app.Now(), 3.0);
  EXPECT_FALSE(backend.WindowVisible());
  EXPECT_FALSE(form.Visible());
}

TEST_F(EventLoopTest, TimedInputArrivesAtItsTime) {
  std::vector<double> clicks;
  form.Click = [&] { clicks.push_back(app.Now()); };
  backend.Push(MouseDownEvent{{5, 5}}, 2.5);
  backend.Push(MouseUpEvent{{5, 5}}, 2.5);
  backend.Push(MouseDownEvent{{5, 5}}, 7.0);
  backend.Push(MouseUpEvent{{5, 5}}, 7.25);
  app.Run(10.0);
  EXPECT_EQ(clicks, (std::vector<double>{2.5, 7.25}));
}

TEST_F(EventLoopTest, AfterALongHandlerInAYieldTheTimerDueFirstFiresFirst) {
  // As in the show: the tree lights yield, a firework burst holds the window inside that
  // yield, and the sequencer has been due ever since.
  Timer main(form, "TimerMain", 10);
  Timer lights(form, "TimerAnimTree", 100);
  Timer fireworks(form, "TimerFireworks", 50);
  std::vector<std::string> order;
  main.OnTimer = [&] { order.push_back("main"); };
  lights.OnTimer = [&] {
    app.Sleep(20);
    app.DoEvents();
  };
  fireworks.OnTimer = [&] {
    order.push_back("fireworks");
    app.Sleep(200);
  };
  main.SetEnabled(true);
  lights.SetEnabled(true);
  app.Run(0.06);
  fireworks.SetEnabled(true);
  app.Run(0.125);
  const auto burst = std::ranges::find(order, "fireworks");
  ASSERT_GE(order.end() - burst, 3);
  EXPECT_EQ(burst[1], "main");
  EXPECT_EQ(burst[2], "fireworks");
}

TEST_F(EventLoopTest, YieldServesInputInsideAHandler) {
  Timer timer(form, "Timer1", 10);
  std::vector<std::string> order;
  form.Click = [&] { order.push_back("click"); };
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    order.push_back("tick starts");
    backend.Push(MouseDownEvent{{5, 5}});
    backend.Push(MouseUpEvent{{5, 5}});
    app.DoEvents();
    order.push_back("tick ends");
  };
  timer.SetEnabled(true);
  app.Run(1.0);
  EXPECT_EQ(order, (std::vector<std::string>{"tick starts", "click", "tick ends"}));
}

TEST_F(EventLoopTest, HiddenWindowIsNotPresented) {
  app.Run(0.1);
  const int presented = backend.PresentCount();
  form.SetVisible(false);
  EXPECT_FALSE(backend.WindowVisible());
  for (int i = 0; i < 10; ++i) {
    form.MarkChanged();
    app.Sleep(100);
    app.DoEvents();
  }
  EXPECT_EQ(backend.PresentCount(), presented);
  form.SetVisible(true);
  EXPECT_TRUE(backend.WindowVisible());
  EXPECT_EQ(backend.PresentCount(), presented + 1);
}

TEST_F(EventLoopTest, WindowSizeFollowsTheFormInPixels) {
  form.SetWidth(7755);
  form.SetHeight(9112);
  EXPECT_EQ(backend.WindowWidth(), 517);   // 517.0
  EXPECT_EQ(backend.WindowHeight(), 607);  // 607.47
  form.SetWidth(7762.5);
  EXPECT_EQ(backend.WindowWidth(), 518);  // 517.5 rounds up
}

}  // namespace
}  // namespace frost
