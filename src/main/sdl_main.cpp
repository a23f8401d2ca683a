// Frostmail.exe on the Linux desktop: the card on the SDL backend, with FluidSynth music.
#include <iostream>

#include "platform/posix/posix_os_services.h"
#include "platform/sdl/desktop_sound.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_message_box.h"
#include "startup/main_module.h"
#include "toolkit/application.h"
#include "toolkit/random.h"

int main() {
  using namespace frost;
  std::string error;
  std::unique_ptr<SdlBackend> backend = SdlBackend::Open(error);
  if (!backend) {
    std::cerr << error << "\n";
    return 1;
  }
  PosixOsServices os;
  DesktopSound sound;
  SdlMessageBox window;
  Random random;
  Application app(*backend, random);
  return RunCard(app, {os, sound, window});
}
