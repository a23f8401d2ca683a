#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "options.h"
#include "toolkit/backend.h"
#include "toolkit/bitmap.h"

namespace frost::frostcard {

// The window as a video frame: the card's pixels inside the window region, the outside colour
// everywhere else, on a canvas padded to even width and height (what 4:2:0 video needs).
class FrameComposer {
 public:
  FrameComposer(int windowWidth, int windowHeight, Rgb outside);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Width × height pixels in the card's layout (r + 256 g + 65536 b).
  const std::vector<std::uint32_t>& Compose(const Bitmap& frame,
                                            const std::optional<Region>& region);

 private:
  void CopyRect(const Bitmap& frame, const PixelRect& rect);

  int width_;
  int height_;
  std::uint32_t outside_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace frost::frostcard
