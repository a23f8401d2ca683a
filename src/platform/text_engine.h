#pragma once
#include <memory>

#include "toolkit/text.h"

namespace frost {

// The text engine of the system the program is built for, for the backends that measure and
// draw text themselves: FreeType on Linux, GDI on Windows.
std::unique_ptr<TextEngine> MakePlatformTextEngine(double pixelsPerInch);

}  // namespace frost
