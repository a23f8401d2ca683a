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
  void Write(double showSeconds, const std::string& phase) {
    if (out_)
      *out_ << FormatSeconds(showSeconds) << ' ' << phase << '\n';
  }

 private:
  std::unique_ptr<std::ofstream> out_;
};

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

  HeadlessCard headless(folder, options.twipsPerPixel, options.seed);
  Application& app = headless.app;
  Form1& form = headless.form;

  Trace trace(options.traceFile);
  if (!trace.Ok()) {
    std::cerr << "frostcard: cannot write the trace file " << *options.traceFile << "\n";
    return 1;
  }
  std::optional<double> showStart;
  form.Sequencer().PhaseEntered = [&](Phase phase) {
    if (!showStart) {
      showStart = app.Now();
      for (const std::string& at : options.at) {
        const fs::path png = fs::path(options.outDir) / ("frame-" + at + ".png");
        headless.backend.AddCapture(
            *showStart + std::stod(at),
            [png](const Bitmap& frame, const std::optional<Region>& region) {
              WritePng(png.string(), frame, region);
            });
      }
    }
    trace.Write(app.Now() - *showStart, PhaseName(phase));
  };

  try {
    Main(form);
  } catch (const EndProgram&) {
    return 0;
  }
  if (!showStart)
    return 0;
  app.Run(*showStart + options.until);
  return 0;
}

}  // namespace frost::frostcard
