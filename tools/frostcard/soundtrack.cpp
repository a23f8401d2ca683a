#include "soundtrack.h"

#include <algorithm>
#include <cmath>

namespace frost::frostcard {
namespace {

constexpr std::int64_t kBlock = 4096;

}  // namespace

Soundtrack::Soundtrack() : sequencer_({.output = SequencerOutput::kCaller, .wav_file = {}}) {}

void Soundtrack::Cue(double clock, std::string command) {
  cued_.emplace_back(clock, std::move(command));
}

std::int64_t Soundtrack::SampleOf(double clock) const {
  return std::llround((clock - showStart_) * kSampleRate);
}

void Soundtrack::RenderUntil(double showSeconds, std::vector<float>& left,
                             std::vector<float>& right) {
  left.clear();
  right.clear();
  const std::int64_t target = std::llround(showSeconds * kSampleRate);
  if (!position_)
    position_ = cued_.empty() ? 0 : std::min<std::int64_t>(0, SampleOf(cued_.front().first));
  for (;;) {
    // Each command acts at its own sample, the stop ("close") as much as the start.
    while (sent_ < cued_.size() && SampleOf(cued_[sent_].first) <= *position_) {
      sequencer_.Send(cued_[sent_++].second);
    }
    if (*position_ >= target)
      return;
    const std::int64_t next =
        sent_ < cued_.size() ? std::min(target, SampleOf(cued_[sent_].first)) : target;
    RenderTo(next, left, right);
  }
}

void Soundtrack::RenderTo(std::int64_t sample, std::vector<float>& left,
                          std::vector<float>& right) {
  std::vector<float> blockLeft, blockRight;
  while (*position_ < sample) {
    const std::int64_t count = std::min(kBlock, sample - *position_);
    blockLeft.resize(count);
    blockRight.resize(count);
    sequencer_.Render(blockLeft, blockRight);
    const std::int64_t skip = std::clamp<std::int64_t>(-*position_, 0, count);
    left.insert(left.end(), blockLeft.begin() + skip, blockLeft.end());
    right.insert(right.end(), blockRight.begin() + skip, blockRight.end());
    *position_ += count;
  }
}

}  // namespace frost::frostcard
