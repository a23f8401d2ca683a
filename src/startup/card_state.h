#pragma once
#include <string>

namespace frost {

// The variables shared by the load step, the sequencer and the commands. Plain members, read and
// written directly; nothing locks them (single thread, yields in between).
struct CardState {
  // The start-up module's value: the folder of the running program file, no trailing separator.
  std::string ProgramFolder;
};

}  // namespace frost
