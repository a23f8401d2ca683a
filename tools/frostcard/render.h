#pragma once
#include "options.h"

namespace frost::frostcard {

// Runs the real card (Main, the load step, the timers) on the headless backend with the
// virtual clock, in a temporary program folder holding a copy of the card as "Frostmail.exe".
// Show time 0 is the moment the sequencer's timer is enabled. Returns the exit code.
int Render(const RenderOptions& options);

}  // namespace frost::frostcard
