#include "render.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "headless_show.h"

namespace frost::frostcard {
namespace {

namespace fs = std::filesystem;

std::string FormatSeconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

class Trace {
 public:
  explicit Trace(const std::optional<std::string>& file) {
    if (file)
      out_ = std::make_unique<std::ofstream>(*file);
  }
  bool Ok() const { return !out_ || out_->good(); }
  void Write(double showSeconds, const std::string& phase) {
    if (out_)
      *out_ << FormatSeconds(showSeconds) << ' ' << phase << '\n';
  }

 private:
  std::unique_ptr<std::ofstream> out_;
};

// Writes the frames asked for and the phase trace.
class FrameWriter : public ShowObserver {
 public:
  FrameWriter(const RenderOptions& options, Trace& trace) : options_(options), trace_(trace) {}

  void AtShowStart(HeadlessCard& card, double start) override {
    for (const std::string& at : options_.at) {
      const fs::path png = fs::path(options_.outDir) / ("frame-" + at + ".png");
      card.backend.AddCapture(start + std::stod(at),
                              [png](const Bitmap& frame, const std::optional<Region>& region) {
                                WritePng(png.string(), frame, region);
                              });
    }
  }
  void PhaseEntered(double showSeconds, const std::string& phase) override {
    trace_.Write(showSeconds, phase);
  }

 private:
  const RenderOptions& options_;
  Trace& trace_;
};

}  // namespace

int Render(const RenderOptions& options) {
  fs::create_directories(options.outDir);
  Trace trace(options.traceFile);
  if (!trace.Ok()) {
    std::cerr << "frostcard: cannot write the trace file " << *options.traceFile << "\n";
    return 1;
  }
  FrameWriter writer(options, trace);
  RunShow({options.card, options.seed, options.twipsPerPixel, options.until}, writer);
  return 0;
}

}  // namespace frost::frostcard
