// The window's load step: one-time preparation in a fixed order, in resume-next mode.
#include <algorithm>
#include <cctype>
#include <chrono>

#include "startup/form1.h"
#include "startup/main_module.h"
#include "toolkit/design_scale.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr double kDesignWidth = 7750;
constexpr double kDesignHeight = 9120;

bool IsPersonalisedRun(const std::string& programPath) {
  std::string name = RunName(programPath);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name == "frost_mail";
}

}  // namespace

// Sizes the surface and the window so that the card keeps its size in pixels on every screen;
// the window is 10 twips smaller than the surface that covers it.
void Form1::FitToScreen() {
  ResumeNext(
      [&] { Picture1.Move(0, 0, kDesignWidth, kDesignHeight); },
      [&] { Picture1.SetWidth(DesignScale(App().TwipsPerPixelX()) * Picture1.Width()); },
      [&] { Picture1.SetHeight(DesignScale(App().TwipsPerPixelY()) * Picture1.Height()); },
      [&] { Picture1.Font.size = ScaledFontSize(Picture1.Font.size, App().TwipsPerPixelX()); },
      [&] {
        SetWidth(Picture1.Width() - 10);
        SetHeight(Picture1.Height() - 10);
      },
      [&] { Shape2.Move(0, 0, kDesignWidth, kDesignHeight); });
}

void Form1::SetStartColours() {
  paint.ColorR = 1;
  paint.ColorG = 0.75;
  paint.ColorB = 0.2;
}

void Form1::Form_Load() {
  ResumeNext(
      [&] {
        if (!OS().AcquireSingleInstance())
          App().End();
      },
      [&] {
        if (SeedFromClock) {
          auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
          App().Rng().Seed(static_cast<std::uint64_t>(ticks));
        }
      },
      [&] { Sound().StopSoundFile(); }, [&] { FitToScreen(); }, [&] { snow.Start(); },
      [&] { Picture1.Cls(); });

  if (IsPersonalisedRun(OS().ProgramPath())) {
    handOver.CopyBackHandOver();  // ends the program
    return;
  }
  handOver.RemoveLeftoverCopy();

  ResumeNext([&] { greetingPanel.LayoutGreetingBoxes(); }, [&] { greetingsStore.LoadGreetings(); },
             [&] { SetStartColours(); }, [&] { backdrop.DrawBackground(); },
             [&] { backdrop.DrawNativity(); }, [&] { SetVisible(true); }, [&] { DoEvents(); },
             [&] { PlayCardMusic(OS(), Sound()); }, [&] { Shape2.SetVisible(false); },
             [&] { DoEvents(); },
             [&] {
               // An invisible pass of the tiers only fixes the top star's centre.
               Picture1.DrawStyle = DrawStyle::Transparent;
               tree.DrawTreeTiers();
             },
             [&] { Picture1.DrawStyle = DrawStyle::Solid; }, [&] { DoEvents(); },
             [&] {
               paint.DoEventsOn = true;
               sequencer_.Start();
             },
             [&] { TimerMain.SetEnabled(true); });
}

}  // namespace frost
