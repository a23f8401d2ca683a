#pragma once
#include "options.h"

namespace frost::frostcard {

// Runs the real card headless as `render` does and encodes every frame from show time 0 at the
// chosen rate, with the card's music, into an MP4, WebM or GIF file. Returns the exit code.
int Export(const ExportOptions& options);

}  // namespace frost::frostcard
