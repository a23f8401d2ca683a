#include "greetings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>

#include "personalise/ansi.h"
#include "personalise/card_copy.h"
#include "personalise/greeting_area.h"
#include "platform/headless/native_os.h"

namespace frost::frostcard {
namespace {

using namespace greeting_area;
using LineChanges = std::map<int, std::string>;
using Area = std::array<std::uint8_t, kSize>;
using Lines = std::array<std::string, kFieldCount>;

// C0 controls, DEL and the C1 controls (U+0080 to U+009F, "\xC2\x80" to "\xC2\x9F" in UTF-8).
bool HasControlCharacter(const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if (byte < 0x20 || byte == 0x7F || (byte == 0xC2 && next >= 0x80 && next <= 0x9F))
      return true;
  }
  return false;
}

// The line as the card stores it, or nothing (with `error`) when it cannot be stored.
std::optional<std::string> StorableLine(const std::string& number, const std::string& text,
                                        std::string& error) {
  if (number.size() != 1 || number[0] < '1' || number[0] > '8') {
    error = "line number " + number + " is not 1 to 8";
    return std::nullopt;
  }
  std::string line;
  for (const auto& byte : Utf8ToAnsi(text)) {
    if (!byte) {
      error = "line " + number + " has a character the card cannot store";
      return std::nullopt;
    }
    line += static_cast<char>(*byte);
  }
  if (HasControlCharacter(text))
    error = "line " + number + " has a control character";
  else if (line.size() > static_cast<std::size_t>(kFieldSize))
    error = "line " + number + " is longer than 40 characters";
  return error.empty() ? std::optional(line) : std::nullopt;
}

std::optional<LineChanges> ParseChanges(const std::vector<std::string>& args, std::string& error) {
  LineChanges changes;
  for (std::size_t i = 1; i < args.size(); i += 3) {
    if (args[i] != "--set" || i + 2 >= args.size()) {
      error = "expected --set N TEXT";
      return std::nullopt;
    }
    const auto line = StorableLine(args[i + 1], args[i + 2], error);
    if (!line)
      return std::nullopt;
    changes[args[i + 1][0] - '0'] = *line;
  }
  return changes;
}

// The file's last 502 bytes, read in place; nothing when the file is too short or unreadable.
std::optional<Area> ReadArea(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  Area area{};
  if (!in || in.tellg() < std::streamoff{kSize})
    return std::nullopt;
  in.seekg(-std::streamoff{kSize}, std::ios::end);
  if (!in.read(reinterpret_cast<char*>(area.data()), kSize))
    return std::nullopt;
  return area;
}

// The lines as the card reads them from its area; nothing when it has no marker.
std::optional<Lines> StoredLines(const Area& area) {
  const std::vector<std::string> read = ReadGreetingArea(
      {.length = kSize, .byteAt = [&](std::int64_t offset) -> std::optional<std::uint8_t> {
         return area[static_cast<std::size_t>(offset)];
       }});
  if (read.empty())
    return std::nullopt;
  Lines lines;
  std::copy(read.begin(), read.end(), lines.begin());
  return lines;
}

// Control bytes of older cards, and the backslash that introduces them, are printed escaped.
std::string Escaped(const std::string& utf8) {
  std::string out;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
  }
  return out;
}

int PrintLines(const Lines& stored) {
  const bool empty = std::ranges::all_of(stored, [](const auto& line) { return line.empty(); });
  const Lines lines = empty ? DefaultGreetingLines() : stored;
  for (const std::string& line : lines) std::cout << Escaped(AnsiToUtf8(line)) << "\n";
  return 0;
}

// Through a complete copy of the card beside it that takes its name only when whole, so a
// failure at any point leaves the card as it was.
int WriteLines(const std::string& card, Lines lines, const LineChanges& changes) {
  for (const auto& [k, line] : changes) lines[k - 1] = line;
  const std::vector<std::uint8_t> area = MakeGreetingArea(lines);
  NativeOsServices os(UnguardedOsOptions());
  try {
    WriteCompleteCard(os, card, card, [&](BinaryFile& copy) {
      copy.PutBytes(copy.Length() - kMarkerOffset,
                    std::span(area).first(1 + kFieldCount * kFieldSize));
    });
  } catch (const std::exception& failure) {
    std::cerr << "frostcard: " << failure.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int Greetings(const std::vector<std::string>& args) {
  std::string error;
  auto changes = args.empty() ? std::nullopt : ParseChanges(args, error);
  if (!changes) {
    std::cerr << "frostcard: " << (error.empty() ? "missing CARD" : error) << "\n"
              << kGreetingsUsage << "\n";
    return 2;
  }
  const std::string& card = args[0];
  const auto area = ReadArea(card);
  const auto lines = area ? StoredLines(*area) : std::nullopt;
  // Lines are written only where the marker is at its place, as the card writes it.
  if (!lines || (!changes->empty() && (*area)[0] != kMarker)) {
    std::cerr << "frostcard: " << card << " is not a card\n";
    return 1;
  }
  return changes->empty() ? PrintLines(*lines) : WriteLines(card, *lines, *changes);
}

}  // namespace frost::frostcard
