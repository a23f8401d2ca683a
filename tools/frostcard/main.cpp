// frostcard: the card's companion tool. `render` runs the show headless and writes frames and
// a phase trace; every automated end-to-end test drives the card through it. `export` makes a
// video of the show with its music. `greetings` reads and writes the greeting lines of a card
// file.
#include <iostream>
#include <string>
#include <vector>

#include "beside_frostcard.h"
#include "export.h"
#include "greetings.h"
#include "options.h"
#include "render.h"

namespace {

using namespace frost::frostcard;

// Parses the arguments with `parse` and runs `command` with them: exit code 2 with the usage on
// bad arguments, 1 with one line on a run-time failure.
template <class Parse, class Command>
int Run(const std::vector<std::string>& args, Parse parse, Command command, const char* usage) {
  std::string error;
  auto options = parse(args, error);
  if (!options) {
    std::cerr << "frostcard: " << error << "\n" << usage << "\n";
    return 2;
  }
  if (options->card.empty())
    options->card = BesideFrostcard("Frostmail.exe");
  try {
    return command(*options);
  } catch (const std::exception& failure) {
    std::cerr << "frostcard: " << failure.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::string command = args.empty() ? "" : args[0];
  if (!args.empty())
    args.erase(args.begin());
  if (command == "greetings") {
    try {
      return Greetings(args);
    } catch (const std::exception& failure) {
      std::cerr << "frostcard: " << failure.what() << "\n";
      return 1;
    }
  }
  if (command == "render")
    return Run(args, ParseRenderOptions, Render, kUsage);
  if (command == "export")
    return Run(args, ParseExportOptions, Export, kExportUsage);
  std::cerr << kUsage << "\n" << kExportUsage << "\n" << kGreetingsUsage << "\n";
  return 2;
}
