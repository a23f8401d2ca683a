// "Update Card": the card's program file copied under the personalised name, the greeting lines
// written into the copy's data area, and the copy started so that it puts itself back under the
// card's own name (startup/hand_over.cpp).
#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <string>

#include "personalise/ansi.h"
#include "personalise/card_copy.h"
#include "personalise/greeting_area.h"
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr const char* kCaption = "Frostmail";
constexpr std::array<std::uint8_t, 2> kZeroPair{0, 0};

using StoredLines = std::array<std::string, greeting_area::kFieldCount>;

// The lines as the card stores them, one Windows-1252 byte per character, each cut to its field
// (the editor keeps lines to 40 characters; a line set by the program might not be). A character
// without a code stops "Update Card" before anything is written, so no line is stored cut short.
StoredLines EncodeLines(Form1& form) {
  StoredLines lines;
  for (int k = 1; k <= greeting_area::kFieldCount; ++k) {
    const auto bytes = Utf8ToAnsi(form.TextGreetings(k).Text());
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

// The marker, the fields cleared, then line k into field k, one character per access and a
// yield after each. Positions count from 1; L is the copy's length, so the marker lands 502 bytes
// before the end and the tail is never touched. The first failing write ends it.
void WriteGreetingArea(Form1& form, BinaryFile& copy, const StoredLines& lines) {
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
      Attempt([&] { form.DoEvents(); });
    }
  }
}

void ReportStopped(Form1& form, const std::string& what, const std::exception& failure) {
  form.Window().MessageBox(what + ": " + failure.what() +
                               ".\nThe card stays open with the lines you typed; press \"Update "
                               "Card\" again once the cause is mended.",
                           kCaption);
}

}  // namespace

// The copy is written whole under a temporary name and only then takes the copy's name, so a
// failure at any point leaves the card, the typed lines and the editor as they were, with one
// message. A stale copy in the folder is replaced, never started.
void Form1::UpdateCard() {
  const std::string copy = PersonalisedCopyPath();
  try {
    const StoredLines lines = EncodeLines(*this);
    WriteCompleteCard(OS(), ProgramFilePath(), copy,
                      [&](BinaryFile& file) { WriteGreetingArea(*this, file, lines); });
  } catch (const std::exception& failure) {
    ReportStopped(*this, "The personalised card could not be written", failure);
    return;
  }
  Attempt([&] { Sound().StopSoundFile(); });
  try {
    StartNextCard(copy);
  } catch (const std::exception& failure) {
    ReportStopped(*this, "The personalised card was written but could not be started", failure);
    return;
  }
  App().End();
}

}  // namespace frost
