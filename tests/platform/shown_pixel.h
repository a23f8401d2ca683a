#pragma once

namespace frost::testing {

// The pixel (0xRRGGBB) the X server shows at a point of the shown SDL window; -1 when there
// is none. Apart from the tests, since Xlib's macros clash with the test framework's names.
long ShownPixel(int x, int y);

}  // namespace frost::testing
