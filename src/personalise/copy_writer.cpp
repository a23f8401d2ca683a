// "Update Card": the card's program file copied under the personalised name, the greeting lines
// written into the copy's data area, and the copy started so that it puts itself back under the
// card's own name (startup/hand_over.cpp).
#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "personalise/ansi.h"
#include "personalise/greeting_area.h"
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr int kCopyWaitMs = 300;
constexpr const char* kCaption = "Frostmail";
constexpr std::array<std::uint8_t, 2> kZeroPair{0, 0};

// The writer's one error handler: a failing step is shown with its description and the writer
// goes on with the next step. Ending the program is no error and passes through.
template <class Step>
void Reported(Platform& os, Step&& step) {
  try {
    std::forward<Step>(step)();
  } catch (const std::exception& failure) {
    os.MessageBox(failure.what(), kCaption);
  }
}

// Waits, serving events, until the copy exists. The card once waited here without end when the
// copy could never be made (a folder that cannot be written); it now gives up after the
// hand-over's limit.
bool WaitForCopy(Form1& form, const std::string& copy) {
  const double deadline = form.App().Now() + form.HandOverTimeLimit;
  for (;;) {
    bool present = false;
    Reported(form.OS(), [&] { form.DoEvents(); });
    Reported(form.OS(), [&] { present = form.OS().FileExists(copy); });
    if (present)
      return true;
    if (form.App().Now() >= deadline)
      return false;
    Reported(form.OS(), [&] { form.App().Sleep(kCopyWaitMs); });
  }
}

std::uint8_t AnsiByte(const std::optional<std::uint8_t>& byte, int line, std::size_t character) {
  if (!byte) {
    throw RuntimeError(error::kInvalidCall,
                       "Character " + std::to_string(character) + " of greeting line " +
                           std::to_string(line) +
                           " has no Windows-1252 code and cannot be stored in the card; the "
                           "line will end before it.");
  }
  return *byte;
}

// One character per access, yielding after each. A character without a code page byte leaves
// its byte 0, so the line read back ends there. A line never runs past its field into the next
// one or into the tail (the editor keeps lines to 40 characters; a line set by the program
// might not be).
void WriteLine(Form1& form, BinaryFile& file, std::int64_t start, int line) {
  std::vector<std::optional<std::uint8_t>> bytes;
  Reported(form.OS(), [&] { bytes = Utf8ToAnsi(form.TextGreetings(line).Text()); });
  const std::size_t count = std::min<std::size_t>(bytes.size(), greeting_area::kFieldSize);
  for (std::size_t c = 0; c < count; ++c) {
    Reported(form.OS(), [&] {
      file.PutByte(start + static_cast<std::int64_t>(c), AnsiByte(bytes[c], line, c + 1));
    });
    Reported(form.OS(), [&] { form.DoEvents(); });
  }
}

// The marker, the fields cleared, then line k into field k. Positions count from 1; L is the
// copy's length, so the marker lands 502 bytes before the end and the tail is never touched.
void WriteGreetingArea(Form1& form, const std::string& copy) {
  using namespace greeting_area;
  Platform& os = form.OS();
  std::int64_t length = 0;
  Reported(os, [&] { length = os.FileLength(copy); });
  std::unique_ptr<BinaryFile> file;
  Reported(os, [&] { file = os.OpenBinary(copy, FileMode::ReadWrite); });
  // The card once went on to report every single write to the copy it could not open, hundreds
  // of message boxes; the one report of the open says it all.
  if (!file)
    return;
  const std::int64_t firstField = length - kMarkerOffset + 1;
  const std::int64_t lastFieldStart = length - kAreaEnd;
  Reported(os, [&] { file->PutByte(length - kMarkerOffset, kMarker); });
  // Two zero bytes at every position; the last pair ends on the last byte of field 8.
  for (std::int64_t i = firstField; i <= lastFieldStart; ++i) {
    Reported(os, [&] { file->PutBytes(i, kZeroPair); });
  }
  int line = 1;
  for (std::int64_t start = firstField; start <= lastFieldStart; start += kFieldSize) {
    WriteLine(form, *file, start, line);
    ++line;
  }
  file.reset();
  Reported(os, [&] { form.DoEvents(); });
}

}  // namespace

// Once the copy is written it is started and this card ends. When no copy could be made, the
// card says so and stays open with the typed lines, so nothing is lost.
void Form1::UpdateCard() {
  const std::string card = ProgramFilePath();
  const std::string copy = PersonalisedCopyPath();
  Reported(OS(), [&] { OS().CopyFile(card, copy); });
  Reported(OS(), [&] { Sound().StopSoundFile(); });
  Reported(OS(), [&] { DoEvents(); });
  Reported(OS(), [&] { App().Sleep(kCopyWaitMs); });
  if (!WaitForCopy(*this, copy)) {
    OS().MessageBox("The personalised card could not be written: " + copy +
                        " was not created. The card stays open with the lines you typed.",
                    kCaption);
    return;
  }
  WriteGreetingArea(*this, copy);
  Reported(OS(), [&] { StartNextCard(copy); });
  App().End();
}

}  // namespace frost
