// The show's table: each phase with its seconds and the handlers that enter it, called exactly
// as if their hidden buttons had been pressed. Several handlers toggle a timer, so the order of
// the calls is part of the show.
#include "startup/form1.h"
#include "toolkit/numeric.h"

namespace frost {
namespace {

// After "ReDrawTree" the window disappears, the frame lights go off and the lit tree is painted
// alone on a clear picture; the window comes back shaped to it.
PhaseRow TreeAlone(Form1& form) {
  const auto yield = [&form] { form.DoEvents(); };
  return {.phase = Phase::DrawFireworks1,
          .seconds = 3,
          .enter = {[&form] { form.SetVisible(false); }, yield},
          .entered = {[&form] { form.Command10_Click(); }, [&form] { form.Command14_Click(); },
                      yield, [&form] { form.Command8_Click(); }, [&form] { form.Command4_Click(); },
                      yield, [&form] { form.Command18_Click(); }, yield,
                      [&form] { form.SetVisible(true); }, yield}};
}

// The last phase: fireworks; once its time is up, on every tick, the fireworks and the music
// stop (again only if something switched the fireworks on since) and the snow is scattered
// anew at random intervals of 10 to 500 ms.
PhaseRow EndlessSnow(Form1& form) {
  PictureBox& picture = form.Picture1;
  return {
      .phase = Phase::DrawRandSnow,
      .seconds = 21,
      .entered = {[&form] { form.fireworks.UseColor(); },
                  [&form] { form.TimerFireworks.SetEnabled(true); }},
      .overtime = {[&picture] {
                     if (!picture.AutoRedraw())
                       picture.SetAutoRedraw(true);
                   },
                   [&form] {
                     if (form.TimerFireworks.Enabled()) {
                       form.TimerFireworks.SetEnabled(false);
                       form.Sound().StopSoundFile();
                     }
                   },
                   [&picture] {
                     if (picture.DrawWidth != 2)
                       picture.DrawWidth = 2;
                   },
                   [&form] {
                     form.TimerMain.SetInterval(static_cast<int>(Int(491 * form.App().Rnd() + 10)));
                   },
                   [&form] { form.snow.ScatterSnowFlakes(); }}};
}

}  // namespace

ShowScript Form1::ShowPhases() {
  const auto yield = [this] { DoEvents(); };
  const auto yieldingOff = [this] { paint.DoEventsOn = false; };
  const auto back = [this] { Command2_Click(); };
  const auto drawTree = [this] { Command8_Click(); };
  const auto animateLights = [this] { Command4_Click(); };
  const auto candles = [this] { Command9_Click(); };
  const auto transparentFill = [this] { Picture1.FillStyle = FillStyle::Transparent; };
  const auto strip = [this] { menuStrip.RefreshMenuStrip(); };
  const auto nativity = [this] { backdrop.DrawNativity(); };
  return {
      .phases =
          {{.phase = Phase::DrawSnow,
            .seconds = 7,
            .everyTickBefore = {[this] { Picture1.SetAutoRedraw(false); }},
            .everyTickAfter = {yield, [this] { snow.MoveSnowFlakes(); }, strip}},
           {.phase = Phase::DrawBack,
            .enter = {transparentFill, [this] { Picture1.Cls(); },
                      [this] { Picture1.SetAutoRedraw(true); }, [this] { Picture1.Refresh(); }},
            .entered = {yield}},
           // The backdrop pauses halfway when it finds the show in "DrawTree".
           {.phase = Phase::DrawTree,
            .seconds = 4,
            .enter = {transparentFill, nativity},
            .entered = {yield, back, strip}},
           {.phase = Phase::AnimTree, .seconds = 4, .entered = {yield, drawTree}},
           {.phase = Phase::Pause1, .seconds = 10, .entered = {yieldingOff, yield, animateLights}},
           {.phase = Phase::DrawNativity,
            .seconds = 3,
            .entered = {yieldingOff, yield, animateLights}},
           {.phase = Phase::AnimNativity,
            .seconds = 7,
            .entered = {back, yield, [this] { paint.DoEventsOn = true; },
                        [this] { Command6_Click(); }}},
           {.phase = Phase::DrawGreeting, .seconds = 7, .entered = {yieldingOff, yield, candles}},
           {.phase = Phase::AnimGreeting,
            .seconds = 1,
            .entered = {candles, back, yield, [this] { Command7_Click(); }}},
           {.phase = Phase::DrawFireworks,
            .seconds = 1,
            .entered = {yield, [this] { Command10_Click(); }}},
           {.phase = Phase::ReDrawTree, .seconds = 7, .entered = {yield}, .heldByEditor = true},
           TreeAlone(*this),
           EndlessSnow(*this)},
      .editorOpen = [this] { return greetingEditor.IsOpen(); },
      .hideMenu = [this] { menuStrip.HideMenu(); },
  };
}

}  // namespace frost
