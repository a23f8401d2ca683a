#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/card_fixture.h"

namespace frost {
namespace {

using ::testing::ElementsAre;

// The card as the load step leaves it, with the sequencer about to start, and a log of every
// phase entry with the TimerMain tick it happened in.
class ShowSequencerTest : public ::testing::Test {
 protected:
  struct Entry {
    std::string phase;
    double at;
    int tick;
  };

  ShowSequencerTest() {
    form.paint.DoEventsOn = true;
    form.Sequencer().PhaseEntered = [this](Phase phase) {
      entries.push_back({PhaseName(phase), card.app.Now(), ticks});
    };
    auto tick = form.TimerMain.OnTimer;
    form.TimerMain.OnTimer = [this, tick] {
      ++ticks;
      tick();
    };
  }

  void StartAt(Phase phase) {
    form.Sequencer().Start(phase);
    entries.clear();
    form.TimerMain.SetEnabled(true);
  }
  void RunFor(double seconds) { card.app.Run(card.app.Now() + seconds); }
  std::vector<std::string> Phases() const {
    std::vector<std::string> names;
    for (const Entry& entry : entries) names.push_back(entry.phase);
    return names;
  }
  // A mouse movement over the shown menu strip, `after` seconds from now.
  void MoveOverStrip(double after) {
    form.SetVisible(true);
    form.PictureMenu.SetVisible(true);
    const PictureBox& strip = form.PictureMenu;
    const PixelPoint middle{static_cast<int>((strip.Left() + strip.Width() / 2) / 15),
                            static_cast<int>((strip.Top() + strip.Height() / 2) / 15)};
    card.backend.Push(MouseMoveEvent{middle}, card.app.Now() + after);
  }
  bool StripShownAfter(double seconds) {
    RunFor(seconds);
    return form.PictureMenu.Visible();
  }
  // Keeps a greeting box that can play the open editor.
  TextBox& EditorBox() { return form.TextGreetings.Load(1); }

  testing::CardFixture card;
  Form1& form = card.form;
  std::vector<Entry> entries;
  int ticks = 0;
};

TEST_F(ShowSequencerTest, PhasesFollowEachOtherAfterTheirDurations) {
  StartAt(Phase::Pause1);
  RunFor(10.5);
  ASSERT_THAT(Phases(), ElementsAre("DrawNativity"));
  EXPECT_GT(entries[0].at, 10.0);
  EXPECT_LT(entries[0].at, 10.1);
}

TEST_F(ShowSequencerTest, APaintingLongerThanTheNextDurationCascadesInTheSameTick) {
  // Slow the painting down so that the tree takes longer than the 4 s of "AnimTree".
  card.app.SetPacing(0.01);
  StartAt(Phase::DrawTree);
  RunFor(4.5);
  ASSERT_GE(entries.size(), 2u);
  EXPECT_EQ(entries[0].phase, "AnimTree");
  EXPECT_EQ(entries[1].phase, "Pause1");
  EXPECT_GT(entries[1].at - entries[0].at, 4.0);
  EXPECT_EQ(entries[1].tick, entries[0].tick);
}

TEST_F(ShowSequencerTest, DrawBackFollowsOnTheNextClockReading) {
  StartAt(Phase::DrawSnow);
  RunFor(7.2);
  ASSERT_THAT(Phases(), ElementsAre("DrawBack", "DrawTree"));
  EXPECT_EQ(entries[1].tick, entries[0].tick);
}

TEST_F(ShowSequencerTest, AFailingHandlerIsSkippedAndTheShowGoesOn) {
  // Without greeting boxes "Greetings" fails with a run-time error when it writes the lines.
  StartAt(Phase::DrawGreeting);
  RunFor(8.5);
  EXPECT_THAT(Phases(), ElementsAre("AnimGreeting", "DrawFireworks"));
  EXPECT_TRUE(form.TimerGreetingsAnim.Enabled());
}

TEST_F(ShowSequencerTest, TheOpenEditorHoldsReDrawTreeUntilItCloses) {
  TextBox& box = EditorBox();
  box.SetVisible(true);
  StartAt(Phase::ReDrawTree);
  RunFor(20);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(form.Sequencer().Current(), Phase::ReDrawTree);

  box.SetVisible(false);
  const int ticksBeforeClosing = ticks;
  RunFor(0.5);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0].phase, "DrawFireworks1");
  EXPECT_EQ(entries[0].tick, ticksBeforeClosing + 1);
}

TEST_F(ShowSequencerTest, ReDrawTreeShapesTheWindowAndShowsItAgain) {
  form.SetVisible(true);
  StartAt(Phase::ReDrawTree);
  RunFor(7.5);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0].phase, "DrawFireworks1");
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(form.WindowRegion().has_value());
  EXPECT_TRUE(form.TimerAnimTree.Enabled());
}

TEST_F(ShowSequencerTest, MenuStripHidesOnTheFirstTickMoreThanSevenIdleSecondsLater) {
  form.Label2.SetVisible(true);
  MoveOverStrip(0);
  StartAt(Phase::DrawRandSnow);  // nothing else happens in its first 21 s
  EXPECT_TRUE(StripShownAfter(6.9));
  EXPECT_FALSE(StripShownAfter(0.2));
  EXPECT_FALSE(form.Label2.Visible());

  // The hiding counts as the last movement: shown again at once, the strip stays 7 s.
  form.PictureMenu.SetVisible(true);
  EXPECT_TRUE(StripShownAfter(6.8));
  EXPECT_FALSE(StripShownAfter(0.3));
}

TEST_F(ShowSequencerTest, MouseMovementOverTheStripPutsOffItsHiding) {
  MoveOverStrip(0);
  MoveOverStrip(5);
  StartAt(Phase::DrawRandSnow);  // nothing else happens in its first 21 s
  EXPECT_TRUE(StripShownAfter(11.9));
  EXPECT_FALSE(StripShownAfter(0.3));
}

TEST_F(ShowSequencerTest, MenuStripStaysWhileTheEditorIsOpen) {
  EditorBox().SetVisible(true);
  form.PictureMenu.SetVisible(true);
  StartAt(Phase::Pause1);
  EXPECT_TRUE(StripShownAfter(9));
}

TEST_F(ShowSequencerTest, CurrentAnimFreezesThePhase) {
  StartAt(Phase::Pause1);
  RunFor(2);
  form.Command23_Click();
  RunFor(20);
  EXPECT_EQ(form.Sequencer().Current(), Phase::Pause1);
  EXPECT_FALSE(form.TimerMain.Enabled());
  EXPECT_TRUE(entries.empty());
}

TEST_F(ShowSequencerTest, AfterTwentyOneSecondsOfRandSnowFireworksAndMusicStopOnce) {
  StartAt(Phase::DrawFireworks1);
  RunFor(3.2);
  ASSERT_THAT(Phases(), ElementsAre("DrawRandSnow"));
  EXPECT_TRUE(form.TimerFireworks.Enabled());
  EXPECT_TRUE(form.fireworks.UsesColor());
  card.sound.mci_commands.clear();

  // Bursts hold the window for about a second each, so the first tick after 21 s can be late.
  RunFor(22.5);
  EXPECT_FALSE(form.TimerFireworks.Enabled());
  EXPECT_THAT(card.sound.mci_commands, ElementsAre("close filename"));
  EXPECT_TRUE(form.Picture1.AutoRedraw());
  EXPECT_EQ(form.Picture1.DrawWidth, 2);

  int low = 1000, high = 0;
  for (int i = 0; i < 200; ++i) {
    RunFor(0.5);
    low = std::min(low, form.TimerMain.Interval());
    high = std::max(high, form.TimerMain.Interval());
  }
  EXPECT_GE(low, 10);
  EXPECT_LE(high, 500);
  EXPECT_LT(low, 100);  // the interval really is drawn anew
  EXPECT_GT(high, 400);
  EXPECT_THAT(card.sound.mci_commands, ElementsAre("close filename"));
  EXPECT_EQ(form.Sequencer().Current(), Phase::DrawRandSnow);
}

}  // namespace
}  // namespace frost
