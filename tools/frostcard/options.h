#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace frost::frostcard {

struct RenderOptions {
  std::string card;  // default: the Frostmail.exe built next to frostcard
  std::uint64_t seed = 1;
  double until = 80;
  std::vector<std::string> at;  // show times as written on the command line
  std::string outDir = ".";
  std::optional<std::string> traceFile;
  double twipsPerPixel = 15;
};

// The screens the card can be drawn for. Above 61 twips per pixel the ornament stars' points
// leave the 16-bit coordinates the painters compute in ("Overflow"); below 3 (480 DPI, the
// finest desktop scale) the hidden pictures alone, sized in twips, take hundreds of megabytes.
inline constexpr double kMinTwipsPerPixel = 3;
inline constexpr double kMaxTwipsPerPixel = 61;

// Parses the arguments after "render". nullopt (with `error` set) on a bad option.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string& error);

inline constexpr const char* kUsage =
    "usage: frostcard render [--card FILE] [--seed N] [--until SECONDS] [--at T1,T2,...] "
    "[--out DIR] [--trace FILE] [--twips-per-pixel N]";

}  // namespace frost::frostcard
