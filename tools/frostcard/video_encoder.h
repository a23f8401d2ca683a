#pragma once
#include <memory>
#include <span>
#include <string>

#include "video_sink.h"

namespace frost::frostcard {

// Writes a video file through FFmpeg's libraries: H.264 and AAC in MP4 (ready to play while it
// downloads), VP9 and Opus in WebM, or a GIF with the given palette and no sound.
class VideoEncoder : public VideoSink {
 public:
  // `palette` is needed for a GIF only. Raises std::runtime_error when an encoder or `path`
  // cannot be opened.
  VideoEncoder(const std::string& path, const VideoFormat& format, const GifPalette* palette);
  ~VideoEncoder() override;
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  void AddFrame(std::span<const std::uint32_t> pixels) override;
  void AddSound(std::span<const float> left, std::span<const float> right) override;
  void Finish() override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace frost::frostcard
