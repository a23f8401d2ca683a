#pragma once
#include <cstdint>
#include <string>

#include "card_folder.h"

namespace frost::frostcard {

struct ShowSettings {
  std::string card;
  std::uint64_t seed = 1;
  double twipsPerPixel = 15;
  double until = 80;  // show seconds
};

// What a run of the show tells its user, in the order it happens.
class ShowObserver {
 public:
  virtual ~ShowObserver() = default;
  // The card is set up but Main has not run yet.
  virtual void BeforeMain(HeadlessCard&) {}
  // Show time 0, the moment the sequencer's timer is enabled; `start` is the clock then.
  virtual void AtShowStart(HeadlessCard&, double /*start*/) {}
  virtual void PhaseEntered(double /*showSeconds*/, const std::string& /*phase*/) {}
};

// Runs the real card (Main, the load step, the timers) on the headless backend with the virtual
// clock, in a temporary program folder holding a copy of the card as "Frostmail.exe", until
// `until` seconds of show time. False when the card ended before its show started. Raises
// std::runtime_error when the card file cannot be used.
bool RunShow(const ShowSettings& settings, ShowObserver& observer);

}  // namespace frost::frostcard
