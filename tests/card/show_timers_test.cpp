// The timers the toggling commands leave on and off along a whole show, from the load step on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "startup/main_module.h"
#include "support/card_fixture.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

struct TimerStates {
  bool animTree, card, greetingsAnim, fireworks, speclAnimTree;
  friend bool operator==(const TimerStates&, const TimerStates&) = default;
};

std::ostream& operator<<(std::ostream& out, const TimerStates& s) {
  return out << "{animTree " << s.animTree << ", card " << s.card << ", greetingsAnim "
             << s.greetingsAnim << ", fireworks " << s.fireworks << ", speclAnimTree "
             << s.speclAnimTree << "}";
}

TEST(ShowTimersTest, EachPhaseFindsTheTimersTheTogglesLeft) {
  testing::TempFolder folder;
  testing::ScopedEnvironment windir("Windir", folder.Path().string());
  testing::CardFixture card;
  card.platform.os.SetProgramPath(folder.File("Frostmail.exe"));
  card.platform.os.SetInstanceGuard(folder.InstanceGuard());
  Form1& form = card.form;
  form.SeedFromClock = false;
  int bursts = 0;
  auto burst = form.TimerFireworks.OnTimer;
  form.TimerFireworks.OnTimer = [&] {
    ++bursts;
    burst();
  };
  Main(form);
  ASSERT_EQ(form.Sequencer().Current(), Phase::DrawSnow);

  // What every phase must find once its transition has run (all off unless listed).
  const std::map<Phase, TimerStates> expected = {
      {Phase::DrawSnow, {false, false, false, false, false}},
      {Phase::DrawTree, {false, false, false, false, false}},
      {Phase::AnimTree, {false, false, false, false, false}},
      {Phase::Pause1, {true, false, false, false, false}},
      {Phase::DrawNativity, {false, false, false, false, false}},
      {Phase::AnimNativity, {false, false, false, false, false}},
      {Phase::DrawGreeting, {false, true, false, false, false}},
      {Phase::AnimGreeting, {false, false, false, false, false}},
      {Phase::DrawFireworks, {false, false, true, false, false}},
      {Phase::ReDrawTree, {false, false, true, false, false}},
      {Phase::DrawFireworks1, {true, false, false, false, false}},
  };
  std::set<Phase> seen;
  const double end = card.app.Now() + 80;
  while (form.Sequencer().Current() != Phase::DrawRandSnow && card.app.Now() < end) {
    card.app.Run(card.app.Now() + 0.25);
    const Phase phase = *form.Sequencer().Current();
    auto found = expected.find(phase);
    if (found == expected.end())
      continue;
    seen.insert(phase);
    TimerStates actual{form.TimerAnimTree.Enabled(), form.TimerCard.Enabled(),
                       form.TimerGreetingsAnim.Enabled(), form.TimerFireworks.Enabled(),
                       form.TimerSpeclAnimTree.Enabled()};
    EXPECT_EQ(actual, found->second) << "in phase " << PhaseName(phase);
  }
  EXPECT_EQ(seen.size(), expected.size());
  ASSERT_EQ(form.Sequencer().Current(), Phase::DrawRandSnow);
  EXPECT_TRUE(form.TimerAnimTree.Enabled());

  // Bursts hold the window for a second each and can run inside the tree lights' yields, so
  // the last phase is judged by what happened in it rather than sampled at fixed times.
  card.app.Run(card.app.Now() + 25);
  EXPECT_GT(bursts, 5);
  EXPECT_FALSE(form.TimerFireworks.Enabled());
  // The music was stopped twice: early in the load step, and when the fireworks stopped.
  EXPECT_EQ(
      std::count(card.sound.mci_commands.begin(), card.sound.mci_commands.end(), "close filename"),
      2);
  EXPECT_TRUE(form.TimerAnimTree.Enabled());
}

}  // namespace
}  // namespace frost
