#include "options.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace frost::frostcard {
namespace {

// A video longer than an hour of the endless last phase is surely a slip of the finger.
constexpr double kLongestExport = 3600;

std::optional<double> ParseNumber(const std::string& text) {
  try {
    std::size_t used = 0;
    double value = std::stod(text, &used);
    if (used != text.size() || !std::isfinite(value))
      return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::vector<std::string> SplitTimes(const std::string& list) {
  std::vector<std::string> times;
  std::stringstream stream(list);
  for (std::string item; std::getline(stream, item, ',');) times.push_back(item);
  return times;
}

// "#RRGGBB" or "RRGGBB".
std::optional<Rgb> ParseColour(std::string text) {
  if (!text.empty() && text[0] == '#')
    text.erase(0, 1);
  if (text.size() != 6 || !std::all_of(text.begin(), text.end(), ::isxdigit))
    return std::nullopt;
  const unsigned long value = std::stoul(text, nullptr, 16);
  return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(value)};
}

std::optional<VideoKind> KindOf(const std::string& file) {
  std::string extension = std::filesystem::path(file).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
  if (extension == ".mp4")
    return VideoKind::kMp4;
  if (extension == ".webm")
    return VideoKind::kWebm;
  if (extension == ".gif")
    return VideoKind::kGif;
  return std::nullopt;
}

using OptionHandler = std::function<bool(const std::string& name, const std::string& value)>;

bool ParseShowOption(ShowOptions& show, const std::string& name, const std::string& value) {
  const auto number = ParseNumber(value);
  if (name == "--card") {
    show.card = value;
  } else if (name == "--seed" && number && *number >= 0 && *number == std::floor(*number)) {
    show.seed = static_cast<std::uint64_t>(*number);
  } else if (name == "--until" && number && *number >= 0) {
    show.until = *number;
  } else {
    return false;
  }
  return true;
}

// Hands each "--name value" pair to `handle`, then to the options every show run shares; false
// (with `error`) at the first one neither takes, or one `handle` sets `error` for.
bool ParseOptions(const std::vector<std::string>& args, ShowOptions& show,
                  const OptionHandler& handle, std::string& error) {
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) {
      error = "missing value for " + name;
      return false;
    }
    const std::string& value = args[i + 1];
    const bool taken = handle(name, value) || ParseShowOption(show, name, value);
    if (!taken && error.empty())
      error = "bad option " + name + " " + value;
    if (!error.empty())
      return false;
  }
  return true;
}

}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  RenderOptions options;
  const auto handle = [&](const std::string& name, const std::string& value) {
    const auto number = ParseNumber(value);
    if (name == "--out") {
      options.outDir = value;
    } else if (name == "--trace") {
      options.traceFile = value;
    } else if (name == "--at") {
      options.at = SplitTimes(value);
      for (const std::string& time : options.at) {
        const auto t = ParseNumber(time);
        if (!t || *t < 0)
          error = "bad show time '" + time + "' in --at";
      }
    } else if (name == "--twips-per-pixel" && number && *number > 0 && *number <= 1440) {
      options.twipsPerPixel = *number;
    } else {
      return false;
    }
    return true;
  };
  if (!ParseOptions(args, options, handle, error))
    return std::nullopt;
  return options;
}

std::optional<ExportOptions> ParseExportOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  ExportOptions options;
  const auto handle = [&](const std::string& name, const std::string& value) {
    const auto number = ParseNumber(value);
    const auto colour = ParseColour(value);
    if (name == "--out") {
      options.out = value;
    } else if (name == "--fps" && number && *number >= 1 && *number <= 60 &&
               *number == std::floor(*number)) {
      options.fps = static_cast<int>(*number);
    } else if (name == "--outside" && colour) {
      options.outside = *colour;
    } else {
      return false;
    }
    return true;
  };
  if (!ParseOptions(args, options, handle, error))
    return std::nullopt;
  const auto kind = KindOf(options.out);
  if (!kind) {
    error = "cannot tell the video's kind from " + options.out + " (use .mp4, .webm or .gif)";
    return std::nullopt;
  }
  if (options.until <= 0 || options.until > kLongestExport) {
    error = "--until must be more than 0 and at most 3600 seconds";
    return std::nullopt;
  }
  options.kind = *kind;
  return options;
}

}  // namespace frost::frostcard
