// The hidden buttons that steer the whole show: "Back", "pDoEvts", "hide buttons" and
// "Current Anim.".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/card_fixture.h"

namespace frost {
namespace {

class ShowControlsTest : public ::testing::Test {
 protected:
  ShowControlsTest() {
    card.app.SetPacing(0);  // the clock stands still, so no timer comes due in the yields
    for (Timer* timer : AllTimers()) timer->SetEnabled(true);
  }
  std::vector<Timer*> AllTimers() {
    return {&form.TimerMain, &form.TimerAnimTree,      &form.TimerSpeclAnimTree,
            &form.TimerCard, &form.TimerGreetingsAnim, &form.TimerFireworks};
  }
  std::vector<bool> Enabled() {
    std::vector<bool> enabled;
    for (Timer* timer : AllTimers()) enabled.push_back(timer->Enabled());
    return enabled;
  }

  testing::CardFixture card;
  Form1& form = card.form;
};

TEST_F(ShowControlsTest, BackEndsTheAnimationsButTheTwinklingAndPaintsTheBackdrop) {
  form.Command2_Click();
  // main, twinkle, lights ramp, candles, frame lights, fireworks
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false, false, false, true}));
  testing::CardFixture backdrop;
  backdrop.app.SetPacing(0);
  backdrop.form.backdrop.DrawBackground();
  backdrop.form.backdrop.DrawFrame();
  EXPECT_EQ(form.Picture1.Image(), backdrop.form.Picture1.Image());
}

TEST_F(ShowControlsTest, CurrentAnimStopsAllButTheFireworksAndTheTuneAndYielding) {
  form.paint.DoEventsOn = true;
  form.Picture1.SetAutoRedraw(false);
  form.Command23_Click();
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false, false, true}));
  EXPECT_FALSE(form.paint.DoEventsOn);
  EXPECT_TRUE(form.Picture1.AutoRedraw());
  EXPECT_THAT(card.sound.mci_commands, ::testing::ElementsAre("close filename"));
}

TEST_F(ShowControlsTest, YieldSwitchFlipsAndShowsItsStateOnTheButton) {
  form.paint.DoEventsOn = false;
  form.Command12_Click();
  EXPECT_TRUE(form.paint.DoEventsOn);
  EXPECT_EQ(form.Command12.Caption, "True");
  form.Command12_Click();
  EXPECT_FALSE(form.paint.DoEventsOn);
  EXPECT_EQ(form.Command12.Caption, "False");
}

TEST_F(ShowControlsTest, HideButtonsHidesEveryControlButTheSurface) {
  form.Command8.SetVisible(true);
  form.Label2.SetVisible(true);
  form.Picture1.SetVisible(true);
  form.Command17_Click();
  EXPECT_FALSE(form.Command8.Visible());
  EXPECT_FALSE(form.Label2.Visible());
  EXPECT_FALSE(form.Shape2.Visible());
  EXPECT_TRUE(form.Picture1.Visible());
}

}  // namespace
}  // namespace frost
