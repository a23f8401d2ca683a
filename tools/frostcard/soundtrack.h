#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/fluid_sequencer.h"

namespace frost::frostcard {

// The music as the card plays it: the sound commands the card sent, replayed at the moments it
// sent them into the card's own synthesiser, whose samples are taken offline.
class Soundtrack {
 public:
  static constexpr int kSampleRate = 44100;

  Soundtrack();

  // A command the card sent when its clock read `clock`.
  void Cue(double clock, std::string command);
  // The clock reading of show time 0: the track starts there.
  void SetShowStart(double clock) { showStart_ = clock; }
  // The samples from where the last call ended up to `showSeconds`. Commands cued before show
  // time 0 (the load step starts the music) sound from their own moment: the part of the tune
  // that played before show time 0 is rendered but not given out.
  void RenderUntil(double showSeconds, std::vector<float>& left, std::vector<float>& right);

 private:
  std::int64_t SampleOf(double clock) const;
  // Renders from position_ to `sample`, appending what lies at or after show time 0.
  void RenderTo(std::int64_t sample, std::vector<float>& left, std::vector<float>& right);

  FluidSequencer sequencer_;
  std::vector<std::pair<double, std::string>> cued_;  // by clock, in the order sent
  double showStart_ = 0;
  std::optional<std::int64_t> position_;  // the next sample to render
  std::size_t sent_ = 0;                  // of cued_
};

}  // namespace frost::frostcard
