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

// Writes a video file through FFmpeg's libraries: H.264 and AAC in MP4 (ready to play while it
// downloads), VP9 and Opus in WebM, or a GIF with the given palette and no sound.
class VideoEncoder {
 public:
  static constexpr int kSampleRate = 44100;  // of the sound handed in

  // `palette` is needed for a GIF only. Raises std::runtime_error when an encoder or `path`
  // cannot be opened.
  VideoEncoder(const std::string& path, const VideoFormat& format, const GifPalette* palette);
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // The next frame: width × height pixels in the card's layout (r + 256 g + 65536 b).
  void AddFrame(std::span<const std::uint32_t> pixels);
  // The next stereo samples; a GIF has no sound and drops them.
  void AddSound(std::span<const float> left, std::span<const float> right);
  // Encodes what is still held back and completes the file.
  void Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace frost::frostcard
