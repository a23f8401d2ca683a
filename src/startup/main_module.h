#pragma once
#include <string>

namespace frost {

class Form1;

// The start-up module's entry: records ProgramFolder and shows the card window, whose load step
// runs. Returns normally when the card goes on living in the window's events; EndProgram
// propagates when the load step ends the program (second instance, hand-over).
void Main(Form1& form);

// The folder of a program file path, without a trailing separator unless it is the root folder
// ("/", "C:\"), which the separator alone names.
std::string FolderOf(const std::string& programPath);
// The program file's name without its extension, as the hand-over compares it.
std::string RunName(const std::string& programPath);

}  // namespace frost
