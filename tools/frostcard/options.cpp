#include "options.h"

#include <cmath>
#include <sstream>

namespace frost::frostcard {
namespace {

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

std::string FormatNumber(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

std::vector<std::string> SplitTimes(const std::string& list) {
  std::vector<std::string> times;
  std::stringstream stream(list);
  for (std::string item; std::getline(stream, item, ',');) times.push_back(item);
  return times;
}

// Every frame asked for lies within the render.
bool FramesWithinTheRender(const RenderOptions& options, std::string& error) {
  for (const std::string& time : options.at) {
    if (*ParseNumber(time) > options.until) {
      error = "show time " + time + " in --at lies beyond --until";
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  RenderOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) {
      error = "missing value for " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    auto number = ParseNumber(value);
    if (name == "--card") {
      options.card = value;
    } else if (name == "--out") {
      options.outDir = value;
    } else if (name == "--trace") {
      options.traceFile = value;
    } else if (name == "--at") {
      options.at = SplitTimes(value);
      for (const std::string& time : options.at) {
        auto t = ParseNumber(time);
        if (!t || *t < 0) {
          error = "bad show time '" + time + "' in --at";
          return std::nullopt;
        }
      }
    } else if (name == "--seed" && number && *number >= 0 && *number == std::floor(*number)) {
      options.seed = static_cast<std::uint64_t>(*number);
    } else if (name == "--until" && number && *number >= 0) {
      options.until = *number;
    } else if (name == "--twips-per-pixel") {
      if (!number || *number < kMinTwipsPerPixel || *number > kMaxTwipsPerPixel) {
        error = "--twips-per-pixel must be from " + FormatNumber(kMinTwipsPerPixel) + " to " +
                FormatNumber(kMaxTwipsPerPixel) + ", not " + value;
        return std::nullopt;
      }
      options.twipsPerPixel = *number;
    } else {
      error = "bad option " + name + " " + value;
      return std::nullopt;
    }
  }
  if (!FramesWithinTheRender(options, error))
    return std::nullopt;
  return options;
}

}  // namespace frost::frostcard
