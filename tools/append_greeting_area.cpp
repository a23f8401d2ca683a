// Build step: appends the greeting data area with the default lines to the linked card.
// Runs after the final link; nothing may strip the file afterwards.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "personalise/greeting_area.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: append_greeting_area CARD_FILE\n";
    return 2;
  }
  const auto area = frost::MakeGreetingArea(frost::DefaultGreetingLines());
  std::ofstream card(argv[1], std::ios::binary | std::ios::app);
  card.write(reinterpret_cast<const char*>(area.data()), static_cast<std::streamsize>(area.size()));
  if (!card) {
    std::cerr << "append_greeting_area: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
