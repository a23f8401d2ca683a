#pragma once
#include <string>
#include <vector>

namespace frost::frostcard {

inline constexpr const char* kGreetingsUsage =
    "usage: frostcard greetings CARD [--set N TEXT]...   (N from 1 to 8)";

// Without --set: prints the eight greeting lines the card shows, one per line. With --set:
// writes those lines into the card file's greeting data area through a complete copy renamed
// over it; a file without the marker at its place is refused (1).
// Returns the exit code (2 for bad arguments).
int Greetings(const std::vector<std::string>& args);

}  // namespace frost::frostcard
