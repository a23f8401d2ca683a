#include "render.h"

#include "card_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "startup/main_module.h"
#include "toolkit/errors.h"

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

// Writes DIR/frame-T.png for each --at time T, counted from the start of the show.
void CaptureFrames(HeadlessBackend& backend, const RenderOptions& options, double showStart) {
  for (const std::string& at : options.at) {
    const fs::path png = fs::path(options.outDir) / ("frame-" + at + ".png");
    backend.AddCapture(showStart + std::stod(at),
                       [png](const Bitmap& frame, const std::optional<Region>& region) {
                         WritePng(png.string(), frame, region);
                       });
  }
}

}  // namespace

int Render(const RenderOptions& options) {
  TemporaryFolder folder;
  std::string error;
  if (!folder.PlaceCard(options.card, error)) {
    std::cerr << "frostcard: " << error << "\n";
    return 1;
  }
  fs::create_directories(options.outDir);
  // The tune goes where a card on this machine would write it: the render's own folder.
  setenv("Windir", folder.Path().c_str(), 1);
  Trace trace(options.traceFile);
  if (!trace.Ok()) {
    std::cerr << "frostcard: cannot write the trace file " << *options.traceFile << "\n";
    return 1;
  }

  std::optional<double> showStart;
  HeadlessCard headless(folder, options.twipsPerPixel, options.seed);
  Application& app = headless.app;
  headless.form.PhaseEntered = [&](const std::string& phase) {
    if (!showStart) {
      showStart = app.Now();
      CaptureFrames(headless.backend, options, *showStart);
    }
    trace.Write(app.Now() - *showStart, phase);
  };
  // When the music stops (and any other command sent to it once the show runs).
  headless.sound.MciCommandSent = [&](const std::string& command) {
    if (showStart)
      trace.Write(app.Now() - *showStart, "mci " + command);
  };

  try {
    Main(headless.form);
  } catch (const EndProgram&) {
    return 0;
  }
  if (!showStart)
    return 0;
  app.Run(*showStart + options.until);
  return 0;
}

}  // namespace frost::frostcard
