#include "export.h"

#include <cmath>
#include <exception>
#include <optional>
#include <stdexcept>

#include "frame_composer.h"
#include "gif_palette.h"
#include "headless_show.h"
#include "pending_file.h"
#include "progress.h"
#include "soundtrack.h"
#include "video_sink.h"

namespace frost::frostcard {
namespace {

int FrameCount(const ExportOptions& options) {
  // A hair under a whole frame more does not make one.
  return std::max(1, static_cast<int>(std::ceil(options.until * options.fps - 1e-6)));
}

ShowSettings SettingsOf(const ExportOptions& options) {
  return {.card = options.card, .seed = options.seed, .twipsPerPixel = 15, .until = options.until};
}

// Takes the show's frames at the export's rate from show time 0, composed as the video shows
// them. A failure ends the card at once: the card's own error handling must not swallow it.
class FrameTap : public ShowObserver {
 public:
  FrameTap(const ExportOptions& options, int frames) : options_(options), frames_(frames) {}

  void AtShowStart(HeadlessCard& card, double start) override {
    composer_.emplace(card.backend.WindowWidth(), card.backend.WindowHeight(), options_.outside);
    Guarded(card, [&] { Started(*composer_); });
    Schedule(card, start, 0);
  }
  // Raises the failure that ended the run, if any; false when frames are missing.
  bool Complete() const {
    if (failure_)
      std::rethrow_exception(failure_);
    return taken_ == frames_;
  }
  double FrameTime(int index) const { return static_cast<double>(index) / options_.fps; }

 protected:
  const ExportOptions& Options() const { return options_; }
  int Frames() const { return frames_; }

  virtual void Started(const FrameComposer&) {}
  virtual void Frame(int index, const std::vector<std::uint32_t>& pixels) = 0;

 private:
  template <class Work>
  void Guarded(HeadlessCard& card, Work work) {
    try {
      work();
    } catch (const std::exception&) {
      failure_ = std::current_exception();
      card.app.End();
    }
  }

  void Schedule(HeadlessCard& card, double start, int index) {
    if (index >= frames_ || failure_)
      return;
    card.backend.AddCapture(
        start + FrameTime(index),
        [this, &card, start, index](const Bitmap& frame, const std::optional<Region>& region) {
          // Frames due by now show the same picture. They are taken in this loop: a capture
          // added for a moment already passed would run at once, nested, and a long jump of
          // the clock would nest deep.
          int next = index;
          do {
            Guarded(card, [&] { Frame(next, composer_->Compose(frame, region)); });
            ++taken_;
            ++next;
          } while (next < frames_ && start + FrameTime(next) <= card.backend.Now());
          Schedule(card, start, next);
        });
  }

  const ExportOptions& options_;
  int frames_;
  int taken_ = 0;
  std::optional<FrameComposer> composer_;
  std::exception_ptr failure_;
};

// The first pass of a GIF: the colours of every frame, for its palette.
class ColourCounter : public FrameTap {
 public:
  ColourCounter(const ExportOptions& options, int frames, Progress& progress)
      : FrameTap(options, frames), progress_(progress) {}
  const ColourHistogram& Histogram() const { return histogram_; }

 private:
  void Frame(int, const std::vector<std::uint32_t>& pixels) override {
    histogram_.Add(pixels);
    progress_.Step();
  }

  ColourHistogram histogram_;
  Progress& progress_;
};

// Encodes the frames with the music the card started and stopped on its way.
class VideoWriter : public FrameTap {
 public:
  VideoWriter(const ExportOptions& options, int frames, std::string path, const GifPalette* palette,
              Progress& progress)
      : FrameTap(options, frames), path_(std::move(path)), palette_(palette), progress_(progress) {}

  void BeforeMain(HeadlessCard& card) override {
    card.sound.on_mci_command = [this, &card](const std::string& command) {
      soundtrack_.Cue(card.app.Now(), command);
    };
  }
  void AtShowStart(HeadlessCard& card, double start) override {
    soundtrack_.SetShowStart(start);
    FrameTap::AtShowStart(card, start);
  }
  // The sound up to the end of the last frame, and the file's end.
  void Finish() {
    AddSoundUntil(FrameTime(Frames()));
    encoder_->Finish();
  }

 private:
  void Started(const FrameComposer& composer) override {
    encoder_ = OpenVideo(
        path_, VideoFormat{Options().kind, composer.Width(), composer.Height(), Options().fps},
        palette_);
  }
  void Frame(int index, const std::vector<std::uint32_t>& pixels) override {
    AddSoundUntil(FrameTime(index));
    encoder_->AddFrame(pixels);
    progress_.Step();
  }
  void AddSoundUntil(double showSeconds) {
    soundtrack_.RenderUntil(showSeconds, left_, right_);
    encoder_->AddSound(left_, right_);
  }

  std::string path_;
  const GifPalette* palette_;
  Progress& progress_;
  Soundtrack soundtrack_;
  std::unique_ptr<VideoSink> encoder_;
  std::vector<float> left_, right_;
};

// Runs the show with `tap`; raises std::runtime_error when it ended before every frame was taken.
void RunTap(const ExportOptions& options, FrameTap& tap) {
  const bool shown = RunShow(SettingsOf(options), tap);
  if (!tap.Complete() || !shown)
    throw std::runtime_error("the card ended before the video was complete");
}

}  // namespace

int Export(const ExportOptions& options) {
  PendingFile file(options.out);
  const int frames = FrameCount(options);
  const bool gif = options.kind == VideoKind::kGif;
  Progress progress(gif ? 2 * frames : frames);
  std::optional<GifPalette> palette;
  if (gif) {
    ColourCounter counter(options, frames, progress);
    RunTap(options, counter);
    palette.emplace(counter.Histogram());
  }
  VideoWriter writer(options, frames, file.Path(), palette ? &*palette : nullptr, progress);
  RunTap(options, writer);
  writer.Finish();
  file.Commit();
  progress.Done();
  return 0;
}

}  // namespace frost::frostcard
