// The file hand-over between the card and its personalised copy: two processes that pass the
// program file names between them by polling the file system. Every copy is written whole
// before it takes a card's name, so the folder always holds at least one complete card.
#include <exception>

#include "personalise/card_copy.h"
#include "startup/form1.h"
#include "toolkit/errors.h"
#include "toolkit/retry.h"

namespace frost {
namespace {

constexpr int kRetryMs = 300;
constexpr int kCopyStartDelayMs = 500;
constexpr const char* kCaption = "Frostmail";

// Why the shell call could not start a program, by its result.
std::string StartFailure(int result) {
  switch (result) {
    case 2:
      return "the file was not found";
    case 3:
      return "the path was not found";
    case 5:
      return "access denied (another program may be writing the file)";
    case 8:
      return "not enough memory";
    case 11:
      return "the file is not a program";
    case 31:
      return "there is no program to open it with";
    default:
      return "error " + std::to_string(result);
  }
}

enum class Leftover { None, Partial, SameAsThisCard, NewerCard };

// What a "Frost_Mail.exe" beside this card is: the rest of a finished hand-over (a copy of this
// very card), the sender's newer card from an interrupted one, or a partial file that no
// complete card depends on.
Leftover ClassifyLeftover(OsServices& os, const std::string& copy) {
  if (!os.FileExists(copy))
    return Leftover::None;
  if (os.FilesIdentical(copy, os.ProgramPath()))
    return Leftover::SameAsThisCard;
  return HasMarkerAtItsPlace(*os.OpenBinary(copy, FileMode::Read)) ? Leftover::NewerCard
                                                                   : Leftover::Partial;
}

}  // namespace

// Deletes `path` until it is gone, retrying while another process still holds it. False when
// the time limit passed with the file still there.
bool Form1::WaitUntilGone(const std::string& path) {
  return RetryUntil(
      App(), {kRetryMs, HandOverTimeLimit},
      [&] {
        Attempt([&] {
          if (OS().FileExists(path))
            OS().DeleteFile(path);
        });
      },
      [&] { return !OS().FileExists(path); });
}

// Writes a complete copy of `from` at `to` until one is in place, retrying while the target is
// held (a running program cannot be replaced everywhere) or the copy fails. False when the time
// limit passed first; `failure` then says why the last attempt failed.
bool Form1::CopyUntilComplete(const std::string& from, const std::string& to,
                              std::string& failure) {
  bool complete = false;
  return RetryUntil(
      App(), {kRetryMs, HandOverTimeLimit},
      [&] {
        try {
          WriteCompleteCard(OS(), from, to);
          complete = true;
        } catch (const std::exception& error) {
          failure = error.what();
        }
      },
      [&] { return complete; });
}

// Raises when the shell call reports a failure; the guard is then taken again, since this card
// goes on running.
void Form1::StartNextCard(const std::string& path) {
  OS().ReleaseSingleInstance();
  const int result = OS().ShellExecuteOpen(path);
  if (result <= 32) {
    OS().AcquireSingleInstance();
    throw RuntimeError(error::kPathFileAccess,
                       "Frostmail could not start " + path + ": " + StartFailure(result));
  }
}

// Run as "Frost_Mail.exe": put this personalised copy in place of the card, start it and end,
// without showing a window. The card file is never deleted first: it is replaced in one step by
// a complete copy, so until then the old card stays whole.
void Form1::CopyBackHandOver() {
  const std::string card = ProgramFilePath();
  const std::string self = OS().ProgramPath();
  App().Sleep(kCopyStartDelayMs);
  std::string failure;
  if (!CopyUntilComplete(self, card, failure)) {
    Window().MessageBox("Frostmail could not write " + card + " (" + failure +
                            "). Your personalised card is kept as " + self + ".",
                        kCaption);
    App().End();
  }
  DoEvents();
  try {
    StartNextCard(card);
  } catch (const std::exception& error) {
    Window().MessageBox(std::string(error.what()) + ". Your personalised card is " + card + ".",
                        kCaption);
  }
  DoEvents();
  App().End();
}

// Any other run: remove the copy a hand-over leaves behind, or finish an interrupted hand-over
// with the sender's newer card (this card then ends). A copy that will not go is left and the
// card is shown anyway.
void Form1::RemoveLeftoverCopy() {
  const std::string copy = PersonalisedCopyPath();
  Leftover leftover = Leftover::None;
  Attempt([&] { leftover = ClassifyLeftover(OS(), copy); });
  if (leftover == Leftover::SameAsThisCard || leftover == Leftover::Partial) {
    WaitUntilGone(copy);
  } else if (leftover == Leftover::NewerCard) {
    try {
      StartNextCard(copy);
      App().End();
    } catch (const std::exception& error) {
      Window().MessageBox(
          std::string(error.what()) +
              ". It holds your newest greeting lines; start it to finish personalising.",
          kCaption);
    }
  }
}

}  // namespace frost
