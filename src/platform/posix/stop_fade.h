#pragma once

namespace frost {

// How long the music takes to die away when it is stopped: long enough not to click, short
// enough to count as stopping at once.
inline constexpr double kStopFadeSeconds = 0.2;

// The fade that ends the music when it is stopped: the rendered stereo frames fall in a
// straight line from full level to silence over kStopFadeSeconds, and stay silent after.
// Live output and offline renders of the music both end through it, so they stop alike.
class StopFade {
 public:
  explicit StopFade(double sampleRate);

  // The level `seconds` into the fade, from 1 down to 0.
  static float Level(double seconds);

  // Scales the next `frames` frames of both channels, continuing where the last call ended.
  void Apply(float* left, float* right, int frames);
  bool Done() const { return position_ >= length_; }

 private:
  int length_;
  int position_ = 0;
};

}  // namespace frost
