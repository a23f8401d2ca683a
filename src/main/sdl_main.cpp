// Frostmail.exe on the Linux desktop: the card on the SDL backend, with FluidSynth music.
#include <iostream>

#include "platform/sdl/desktop_platform.h"
#include "platform/sdl/desktop_sound.h"
#include "platform/sdl/sdl_backend.h"
#include "startup/form1.h"
#include "startup/main_module.h"
#include "toolkit/errors.h"

int main() {
  using namespace frost;
  std::string error;
  std::unique_ptr<SdlBackend> backend = SdlBackend::Open(error);
  if (!backend) {
    std::cerr << error << "\n";
    return 1;
  }
  DesktopSound sound;
  DesktopPlatform platform(sound);
  Random random;
  Application app(*backend, random);
  try {
    Form1 form(app, platform);
    Main(form);
    app.Run();
  } catch (const EndProgram&) {
  } catch (const std::exception& failure) {
    platform.MessageBox(std::string("The card could not go on: ") + failure.what(), "Frostmail");
    return 1;
  }
  return 0;
}
