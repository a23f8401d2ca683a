#include "platform/posix/stop_fade.h"

#include <algorithm>
#include <cmath>

namespace frost {

StopFade::StopFade(double sampleRate)
    : length_(std::max(1, static_cast<int>(std::lround(kStopFadeSeconds * sampleRate)))) {}

float StopFade::Level(double seconds) {
  return static_cast<float>(std::clamp(1 - seconds / kStopFadeSeconds, 0.0, 1.0));
}

void StopFade::Apply(float* left, float* right, int frames) {
  for (int i = 0; i < frames; ++i, ++position_) {
    const float level = Level(kStopFadeSeconds * position_ / length_);
    left[i] *= level;
    right[i] *= level;
  }
}

}  // namespace frost
