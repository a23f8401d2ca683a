// The greeting lines stored in the data area at the end of the card's program file.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "personalise/ansi.h"
#include "personalise/greeting_area.h"
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {

// The four default lines go in only when no line at all was stored.
void Form1::LoadGreetings() {
  ReadStoredGreetings();
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    if (!TextGreetings(k).Text().empty())
      return;
  }
  const auto defaults = DefaultGreetingLines();
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    if (!defaults[k - 1].empty())
      TextGreetings(k).SetText(defaults[k - 1]);
  }
}

// Reads the area of ".../Frostmail.exe", whatever the running file is called, one byte per
// access and only from the last 502 bytes. The "~" nearest the end is taken for the marker, so a
// "~" inside a stored line shifts the fields read after it. Resume-next: a failing read leaves
// the read buffer as it was and reading goes on.
void Form1::ReadStoredGreetings() {
  using namespace greeting_area;
  const std::string path = ProgramFilePath();
  bool exists = false;
  Attempt([&] { exists = OS().FileExists(path); });
  if (!exists)
    return;
  std::int64_t length = 0;
  Attempt([&] { length = OS().FileLength(path); });
  std::unique_ptr<BinaryFile> file;
  Attempt([&] { file = OS().OpenBinary(path, FileMode::Read); });
  if (!file)
    return;  // every read would fail and no marker would be found
  std::uint8_t buffer = 0;
  auto read = [&](std::int64_t position) { Attempt([&] { buffer = file->GetByte(position); }); };

  // The marker search does not yield.
  std::optional<std::int64_t> marker;
  for (std::int64_t p = length; p >= length - kMarkerOffset; --p) {
    read(p);
    if (buffer == kMarker) {
      marker = p;
      break;
    }
  }
  if (!marker)
    return;

  int k = 1;
  for (std::int64_t start = *marker + 1; start <= length - kAreaEnd; start += kFieldSize) {
    std::string field;
    for (int i = 0; i < kFieldSize; ++i) {
      read(start + i);
      field += static_cast<char>(buffer);
      Attempt([&] { DoEvents(); });
    }
    const std::string line = AnsiToUtf8(field.substr(0, field.find('\0')));
    Attempt([&] { TextGreetings(k).SetText(line); });
    ++k;
  }
}

}  // namespace frost
