#include "personalise/greetings_store.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "personalise/ansi.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr std::array<std::uint8_t, 2> kZeroPair{0, 0};

}  // namespace

void GreetingsStore::LoadGreetings() {
  ReadStoredGreetings();
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    if (!lines_(k).Text().empty())
      return;
  }
  const auto defaults = DefaultGreetingLines();
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    if (!defaults[k - 1].empty())
      lines_(k).SetText(defaults[k - 1]);
  }
}

// A card saved as "Frostmail (1).exe" shows its own lines. Resume-next: a file that cannot be
// opened leaves the lines as they are, a failing read ends its line.
void GreetingsStore::ReadStoredGreetings() {
  std::string path;
  std::unique_ptr<BinaryFile> file;
  std::int64_t length = 0;
  Attempt([&] { path = os_.ProgramPath(); });
  Attempt([&] { file = os_.OpenBinary(path, FileMode::Read); });
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
    Attempt([&] { lines_(index).SetText(AnsiToUtf8(lines[k])); });
  }
}

// The editor keeps lines to 40 characters; a line set by the program might not be. A character
// without a code stops before anything is written, so no line is stored cut short.
GreetingLines GreetingsStore::EncodeGreetings() {
  GreetingLines lines;
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    const auto bytes = Utf8ToAnsi(lines_(k).Text());
    const auto missing = std::ranges::find_if(bytes, [](const auto& byte) { return !byte; });
    if (missing != bytes.end()) {
      throw RuntimeError(error::kInvalidCall,
                         "character " + std::to_string(missing - bytes.begin() + 1) +
                             " of greeting line " + std::to_string(k) +
                             " has no Windows-1252 code and cannot be stored in the card");
    }
    std::string& line = lines[k - 1];
    for (std::size_t c = 0; c < std::min<std::size_t>(bytes.size(), greeting_area::kFieldSize); ++c)
      line += static_cast<char>(*bytes[c]);
  }
  return lines;
}

// Positions count from 1; L is the copy's length, so the marker lands 502 bytes before the end.
void GreetingsStore::WriteGreetings(BinaryFile& copy, const GreetingLines& lines) {
  using namespace greeting_area;
  const std::int64_t length = copy.Length();
  const std::int64_t firstField = length - kMarkerOffset + 1;
  copy.PutByte(length - kMarkerOffset, kMarker);
  // Two zero bytes at every position; the last pair ends on the last byte of field 8.
  for (std::int64_t i = firstField; i <= length - kAreaEnd; ++i) copy.PutBytes(i, kZeroPair);
  for (int k = 0; k < kFieldCount; ++k) {
    const std::int64_t start = firstField + static_cast<std::int64_t>(k) * kFieldSize;
    for (std::size_t c = 0; c < lines[k].size(); ++c) {
      copy.PutByte(start + static_cast<std::int64_t>(c), static_cast<std::uint8_t>(lines[k][c]));
      Attempt([&] { app_.DoEvents(); });
    }
  }
}

}  // namespace frost
