#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/color.h"
#include "toolkit/geometry.h"

namespace frost {

// A block of pixels in the Color layout, row by row from the top.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Color fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelRect Bounds() const { return {0, 0, width_, height_}; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  Color At(int x, int y) const { return Color{pixels_[Index(x, y)]}; }
  void Set(int x, int y, Color c) { pixels_[Index(x, y)] = c.value; }
  std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* Row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  std::span<const std::uint32_t> Pixels() const { return pixels_; }

  void Fill(Color c);
  // New size; the overlapping top-left part is kept, new pixels get `fill`.
  void Resize(int width, int height, Color fill);

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Copies the pixels of `rect` (clipped to both bitmaps) from one bitmap to the same place in
// another.
void CopyRect(const Bitmap& from, const PixelRect& rect, Bitmap& to);

// A picture held by a control or passed to PaintPicture: decoded pixels.
using Picture = Bitmap;

}  // namespace frost
