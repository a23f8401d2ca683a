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

// Reads the area of the running program file, whatever it is called: a card saved as
// "Frostmail (1).exe" shows its own lines. Resume-next: a file that cannot be opened leaves the
// lines as they are, a failing read ends its line.
void Form1::ReadStoredGreetings() {
  std::string path;
  std::unique_ptr<BinaryFile> file;
  std::int64_t length = 0;
  Attempt([&] { path = OS().ProgramPath(); });
  Attempt([&] { file = OS().OpenBinary(path, FileMode::Read); });
  if (!file)
    return;
  Attempt([&] { length = file->Length(); });
  const GreetingByteSource source{
      .length = length, .byteAt = [&](std::int64_t offset) -> std::optional<std::uint8_t> {
        try {
          return file->GetByte(offset + 1);
        } catch (const RuntimeError&) {
          return std::nullopt;
        }
      }};
  const std::vector<std::string> lines = ReadGreetingArea(source);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const int index = static_cast<int>(k) + 1;
    Attempt([&] { TextGreetings(index).SetText(AnsiToUtf8(lines[k])); });
  }
}

}  // namespace frost
