#pragma once
#include <string>

#include "platform/platform.h"

namespace frost {

class Application;
class Form1;

// The start-up module's entry: records ProgramFolder and shows the card window, whose load step
// runs. Returns normally when the card goes on living in the window's events; EndProgram
// propagates when the load step ends the program (second instance, hand-over).
void Main(Form1& form);

// What every entry point does with its backend's application and its platform: the card
// window, Main, and the events until the card ends. A failure the card cannot go on from is
// shown in a message box. Returns the program's exit code.
int RunCard(Application& app, Platform platform);

// The folder of a program file path, without a trailing separator (a program in the root
// folder gives "").
std::string FolderOf(const std::string& programPath);
// The program file's name without its extension, as the hand-over compares it.
std::string RunName(const std::string& programPath);

}  // namespace frost
