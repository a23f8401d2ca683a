#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace frost::frostcard {

// What every run of the show is told.
struct ShowOptions {
  std::string card;  // default: the Frostmail.exe built next to frostcard
  std::uint64_t seed = 1;
  double until = 80;
};

struct RenderOptions : ShowOptions {
  std::vector<std::string> at;  // show times as written on the command line
  std::string outDir = ".";
  std::optional<std::string> traceFile;
  double twipsPerPixel = 15;
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

enum class VideoKind { kMp4, kWebm, kGif };

struct ExportOptions : ShowOptions {
  std::string out = "Frostmail.mp4";
  VideoKind kind = VideoKind::kMp4;  // from the extension of `out`
  int fps = 30;
  // A deep night blue: the gold of the card glows against it.
  Rgb outside{0x0B, 0x10, 0x24};
};

// Parse the arguments after "render" / "export". nullopt (with `error` set) on a bad option.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string& error);
std::optional<ExportOptions> ParseExportOptions(const std::vector<std::string>& args,
                                                std::string& error);

inline constexpr const char* kUsage =
    "usage: frostcard render [--card FILE] [--seed N] [--until SECONDS] [--at T1,T2,...] "
    "[--out DIR] [--trace FILE] [--twips-per-pixel N]";
inline constexpr const char* kExportUsage =
    "usage: frostcard export [--card FILE] [--out FILE.mp4|.webm|.gif] [--seed N] "
    "[--until SECONDS] [--fps 1-60] [--outside #RRGGBB]";

}  // namespace frost::frostcard
