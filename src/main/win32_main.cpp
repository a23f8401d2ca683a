// Frostmail.exe on Windows: the card on the Win32 backend; Windows plays the tune itself.
#include "platform/win32/win32_backend.h"
#include "platform/win32/win32_platform.h"
#include "startup/main_module.h"
#include "toolkit/application.h"
#include "toolkit/random.h"

int main() {
  using namespace frost;
  Win32Platform platform;
  std::string error;
  std::unique_ptr<Win32Backend> backend = Win32Backend::Open(error);
  if (!backend) {
    platform.window.MessageBox(error, "Frostmail");  // a GUI program has no console to write to
    return 1;
  }
  Random random;
  Application app(*backend, random);
  return RunCard(app, platform.Services());
}
