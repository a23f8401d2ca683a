#pragma once
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/recording_sound.h"
#include "startup/form1.h"
#include "toolkit/application.h"
#include "toolkit/random.h"

namespace frost::testing {

// The card window on the headless backend with a fixed seed and the virtual clock, its surface
// sized and its colours set as the load step leaves them, without running the load step.
struct CardFixture {
  explicit CardFixture(double twipsPerPixel = 15) : backend(twipsPerPixel), app(backend, random) {
    form.FitToScreen();
    form.SetStartColours();
    form.Picture1.Cls();
  }

  // The top star's centre as the load step fixes it, with an invisible pass of the tiers.
  void FixTopStar() {
    form.Picture1.DrawStyle = DrawStyle::Transparent;
    form.tree.DrawTreeTiers();
    form.Picture1.DrawStyle = DrawStyle::Solid;
  }

  HeadlessBackend backend;
  Random random{1};
  Application app;
  RecordingSound sound;
  HeadlessPlatform platform{sound};
  Form1 form{app, platform.Services()};
};

}  // namespace frost::testing
