#include "personalise/copy_writer.h"

#include <exception>
#include <string>

#include "personalise/card_copy.h"
#include "toolkit/errors.h"

namespace frost {

// The copy is written whole under a temporary name and only then takes the copy's name, so a
// failure at any point leaves the card, the typed lines and the editor as they were, with one
// message. A stale copy in the folder is replaced, never started. The copy is made of the
// running file, whatever it was renamed to, not of a "Frostmail.exe" that may be another card
// or missing.
void CopyWriter::UpdateCard() {
  const std::string copy = parts_.files.PersonalisedCopyPath();
  try {
    const GreetingLines lines = parts_.greetings.EncodeGreetings();
    WriteCompleteCard(os_, os_.ProgramPath(), copy,
                      [&](BinaryFile& file) { parts_.greetings.WriteGreetings(file, lines); });
  } catch (const std::exception& failure) {
    ReportStopped("The personalised card could not be written", failure);
    return;
  }
  Attempt([&] { parts_.stopMusic(); });
  try {
    parts_.handOver.StartNextCard(copy);
  } catch (const std::exception& failure) {
    ReportStopped("The personalised card was written but could not be started", failure);
    return;
  }
  app_.End();
}

void CopyWriter::ReportStopped(const std::string& what, const std::exception& failure) {
  parts_.report(what + ": " + failure.what() +
                ".\nThe card stays open with the lines you typed; press \"Update Card\" again "
                "once the cause is mended.");
}

}  // namespace frost
