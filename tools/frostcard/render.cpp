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
  // A phase entered, or "mci " and a command string sent to the music.
  void Write(double showSeconds, const std::string& what) {
    if (out_)
      *out_ << FormatSeconds(showSeconds) << ' ' << what << '\n';
  }

 private:
  std::unique_ptr<std::ofstream> out_;
};

// Writes the frames asked for and the trace: the phases entered and, once the show runs, the
// commands sent to the music (when it stops).
class FrameWriter : public ShowObserver {
 public:
  FrameWriter(const RenderOptions& options, Trace& trace) : options_(options), trace_(trace) {}

  // Frames are composed only when some are to be written.
  void BeforeMain(HeadlessCard& card) override { card.backend.SetFramesSeen(!options_.at.empty()); }
  void AtShowStart(HeadlessCard& card, double start) override {
    for (const std::string& at : options_.at) {
      const fs::path png = fs::path(options_.outDir) / ("frame-" + at + ".png");
      card.backend.AddCapture(start + std::stod(at),
                              [png](const Bitmap& frame, const std::optional<Region>& region) {
                                WritePng(png.string(), frame, region);
                              });
    }
    card.sound.on_mci_command = [this, &card, start](const std::string& command) {
      trace_.Write(card.app.Now() - start, "mci " + command);
    };
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
