// Frostmail.exe on the Linux desktop: the card on the SDL backend, with FluidSynth music.
#include <iostream>

#include "platform/posix/posix_os_services.h"
#include "platform/sdl/desktop_sound.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_message_box.h"
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
  PosixOsServices os;
  DesktopSound sound;
  SdlMessageBox window;
  Random random;
  Application app(*backend, random);
  try {
    Form1 form(app, {os, sound, window});
    Main(form);
    app.Run();
  } catch (const EndProgram&) {
  } catch (const std::exception& failure) {
    window.MessageBox(std::string("The card could not go on: ") + failure.what(), "Frostmail");
    return 1;
  }
  return 0;
}
