// frostcard: the card's companion tool. `render` runs the show headless and writes frames and
// a phase trace; every automated end-to-end test drives the card through it. `greetings` reads
// and writes the greeting lines of a card file.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "greetings.h"
#include "options.h"
#include "render.h"

namespace {

std::string DefaultCard(const char* argv0) {
  std::error_code ignored;
  auto self = std::filesystem::canonical("/proc/self/exe", ignored);
  if (self.empty())
    self = argv0;
  return (self.parent_path() / "Frostmail.exe").string();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace frost::frostcard;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "greetings") {
    try {
      return Greetings({args.begin() + 1, args.end()});
    } catch (const std::exception& failure) {
      std::cerr << "frostcard: " << failure.what() << "\n";
      return 1;
    }
  }
  if (args.empty() || args[0] != "render") {
    std::cerr << kUsage << "\n" << kGreetingsUsage << "\n";
    return 2;
  }
  std::string error;
  auto options = ParseRenderOptions({args.begin() + 1, args.end()}, error);
  if (!options) {
    std::cerr << "frostcard: " << error << "\n" << kUsage << "\n";
    return 2;
  }
  if (options->card.empty())
    options->card = DefaultCard(argv[0]);
  try {
    return Render(*options);
  } catch (const std::exception& failure) {
    std::cerr << "frostcard: " << failure.what() << "\n";
    return 1;
  }
}
