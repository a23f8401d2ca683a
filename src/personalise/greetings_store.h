#pragma once
#include "personalise/greeting_area.h"
#include "platform/os_services.h"
#include "toolkit/application.h"
#include "toolkit/control_array.h"
#include "toolkit/controls.h"

namespace frost {

// The greeting lines: boxes 1 to 8 hold them while the card runs (UTF-8), the data area at the
// end of a program file stores them (one Windows-1252 byte per character).
class GreetingsStore {
 public:
  GreetingsStore(Application& app, OsServices& os, ControlArray<TextBox>& lines)
      : app_(app), os_(os), lines_(lines) {}

  // The stored lines; the four default lines go in only when no line at all was stored.
  void LoadGreetings();
  // The lines stored in the running program file, whatever it is called.
  void ReadStoredGreetings();
  // The lines as the card stores them, each cut to its field. Raises RuntimeError naming the
  // line and the character when one has no Windows-1252 code.
  GreetingLines EncodeGreetings();
  // The marker and `lines` written into the area of `copy`, one byte per access and a yield
  // after each character; the tail is never touched. The first failing write ends it.
  void WriteGreetings(BinaryFile& copy, const GreetingLines& lines);

 private:
  Application& app_;
  OsServices& os_;
  ControlArray<TextBox>& lines_;
};

}  // namespace frost
