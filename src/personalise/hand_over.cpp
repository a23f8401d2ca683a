#include "personalise/hand_over.h"

#include <exception>

#include "personalise/card_copy.h"
#include "toolkit/errors.h"
#include "toolkit/retry.h"

namespace frost {
namespace {

constexpr int kRetryMs = 300;
constexpr int kCopyStartDelayMs = 500;

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
bool HandOver::WaitUntilGone(const std::string& path) {
  return RetryUntil(
      app_, {kRetryMs, TimeLimit},
      [&] {
        Attempt([&] {
          if (os_.FileExists(path))
            os_.DeleteFile(path);
        });
      },
      [&] { return !os_.FileExists(path); });
}

// Writes a complete copy of `from` at `to` until one is in place, retrying while the target is
// held (a running program cannot be replaced everywhere) or the copy fails. False when the time
// limit passed first; `failure` then says why the last attempt failed.
bool HandOver::CopyUntilComplete(const std::string& from, const std::string& to,
                                 std::string& failure) {
  bool complete = false;
  return RetryUntil(
      app_, {kRetryMs, TimeLimit},
      [&] {
        try {
          WriteCompleteCard(os_, from, to);
          complete = true;
        } catch (const std::exception& error) {
          failure = error.what();
        }
      },
      [&] { return complete; });
}

// Raises when the shell call reports a failure; the guard is then taken again, since this card
// goes on running.
void HandOver::StartNextCard(const std::string& path) {
  os_.ReleaseSingleInstance();
  const int result = os_.ShellExecuteOpen(path);
  if (result <= 32) {
    os_.AcquireSingleInstance();
    throw RuntimeError(error::kPathFileAccess,
                       "Frostmail could not start " + path + ": " + StartFailure(result));
  }
}

// Run as "Frost_Mail.exe": put this personalised copy in place of the card, start it and end,
// without showing a window. The card file is never deleted first: it is replaced in one step by
// a complete copy, so until then the old card stays whole.
void HandOver::CopyBackHandOver() {
  const std::string card = files_.ProgramFilePath();
  const std::string self = os_.ProgramPath();
  app_.Sleep(kCopyStartDelayMs);
  std::string failure;
  if (!CopyUntilComplete(self, card, failure)) {
    report_("Frostmail could not write " + card + " (" + failure +
            "). Your personalised card is kept as " + self + ".");
    app_.End();
  }
  app_.DoEvents();
  try {
    StartNextCard(card);
  } catch (const std::exception& error) {
    report_(std::string(error.what()) + ". Your personalised card is " + card + ".");
  }
  app_.DoEvents();
  app_.End();
}

// Any other run: remove the copy a hand-over leaves behind, or finish an interrupted hand-over
// with the sender's newer card (this card then ends). A copy that will not go is left and the
// card is shown anyway.
void HandOver::RemoveLeftoverCopy() {
  const std::string copy = files_.PersonalisedCopyPath();
  Leftover leftover = Leftover::None;
  Attempt([&] { leftover = ClassifyLeftover(os_, copy); });
  if (leftover == Leftover::SameAsThisCard || leftover == Leftover::Partial) {
    WaitUntilGone(copy);
  } else if (leftover == Leftover::NewerCard) {
    try {
      StartNextCard(copy);
      app_.End();
    } catch (const std::exception& error) {
      report_(std::string(error.what()) +
              ". It holds your newest greeting lines; start it to finish personalising.");
    }
  }
}

}  // namespace frost
