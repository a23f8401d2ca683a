#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "options.h"

namespace frost::frostcard {

class GifPalette;

struct VideoFormat {
  VideoKind kind = VideoKind::kMp4;
  int width = 0;  // even
  int height = 0;
  int fps = 30;
};

// Where an export's frames and sound go: a video file.
class VideoSink {
 public:
  static constexpr int kSampleRate = 44100;  // of the sound handed in

  virtual ~VideoSink() = default;
  // The next frame: width × height pixels in the card's layout (r + 256 g + 65536 b).
  virtual void AddFrame(std::span<const std::uint32_t> pixels) = 0;
  // The next stereo samples; a GIF has no sound and drops them.
  virtual void AddSound(std::span<const float> left, std::span<const float> right) = 0;
  // Encodes what is still held back and completes the file.
  virtual void Finish() = 0;
};

// The video file at `path`, written by the encoder in "frostcard-video.so" beside frostcard.
// FFmpeg's libraries, well over a hundred with what they load, are loaded only for an export:
// every other command started a quarter slower for them. `palette` is needed for a GIF only.
// Raises std::runtime_error when the encoder, an encoding or `path` cannot be opened.
std::unique_ptr<VideoSink> OpenVideo(const std::string& path, const VideoFormat& format,
                                     const GifPalette* palette);

// The encoder's entry point, looked up by this name.
using OpenVideoEntry = VideoSink* (*)(const std::string& path, const VideoFormat& format,
                                      const GifPalette* palette);
inline constexpr const char* kOpenVideoEntry = "FrostcardOpenVideo";

}  // namespace frost::frostcard
