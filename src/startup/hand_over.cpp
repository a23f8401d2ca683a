// The file hand-over between the card and its personalised copy: two processes that pass the
// program file names between them by polling the file system.
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr int kRetryMs = 300;
constexpr int kCopyStartDelayMs = 500;

}  // namespace

// Deletes `path` until it is gone, retrying while another process still holds it. False when
// the time limit passed with the file still there.
bool Form1::WaitUntilGone(const std::string& path) {
  const double deadline = App().Now() + HandOverTimeLimit;
  for (;;) {
    Attempt([&] {
      if (OS().FileExists(path))
        OS().DeleteFile(path);
    });
    DoEvents();
    if (!OS().FileExists(path))
      return true;
    if (App().Now() >= deadline)
      return false;
    App().Sleep(kRetryMs);
  }
}

// Copies `from` to `to` until the copy is there. False when the time limit passed first.
bool Form1::CopyUntilPresent(const std::string& from, const std::string& to) {
  const double deadline = App().Now() + HandOverTimeLimit;
  for (;;) {
    Attempt([&] { OS().CopyFile(from, to); });
    DoEvents();
    if (OS().FileExists(to))
      return true;
    if (App().Now() >= deadline)
      return false;
    App().Sleep(kRetryMs);
  }
}

void Form1::StartNextCard(const std::string& path) {
  OS().ReleaseSingleInstance();
  OS().ShellExecuteOpen(path);
}

// Run as "Frost_Mail.exe": put this personalised copy back under the card's own name, start it
// and end, without showing a window. When the card file can never be replaced, both files stay
// as they are, so the personalised lines are not lost.
void Form1::CopyBackHandOver() {
  const std::string card = ProgramFilePath();
  const std::string self = OS().ProgramPath();
  App().Sleep(kCopyStartDelayMs);
  if (!WaitUntilGone(card)) {
    OS().MessageBox("Frostmail could not replace " + card +
                        ": the file cannot be deleted. Your personalised card is kept as " + self +
                        ".",
                    "Frostmail");
    App().End();
  }
  if (!CopyUntilPresent(self, card)) {
    OS().MessageBox(
        "Frostmail could not write " + card + ". Your personalised card is kept as " + self + ".",
        "Frostmail");
    App().End();
  }
  DoEvents();
  Attempt([&] { StartNextCard(card); });
  DoEvents();
  App().End();
}

// Any other run: remove a copy left over from a hand-over. A copy that will not go is left and
// the card is shown anyway.
void Form1::RemoveLeftoverCopy() {
  const std::string copy = PersonalisedCopyPath();
  Attempt([&] {
    if (OS().FileExists(copy))
      WaitUntilGone(copy);
  });
}

}  // namespace frost
