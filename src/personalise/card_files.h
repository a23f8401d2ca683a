#pragma once
#include <string>

#include "platform/path_join.h"

namespace frost {

// The folder of the running program file and the card's files in it.
struct CardFiles {
  // No trailing separator: a card in the root folder has "" here.
  std::string ProgramFolder;

  std::string File(const std::string& name) const { return ProgramFolder + kPathSeparator + name; }
  std::string ProgramFilePath() const { return File("Frostmail.exe"); }
  // Present only during the hand-over.
  std::string PersonalisedCopyPath() const { return File("Frost_Mail.exe"); }
};

}  // namespace frost
