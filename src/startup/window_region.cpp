#include "startup/window_region.h"

#include <algorithm>
#include <cmath>

#include "startup/form1.h"

namespace frost {

std::optional<Region> MakeRegionFromBitmap(const Bitmap& pixels, int width, int height) {
  width = std::clamp(width, 0, pixels.Width());
  height = std::clamp(height, 0, pixels.Height());
  if (width == 0 || height == 0)
    return std::nullopt;
  const std::uint32_t key = pixels.At(0, 0).value;
  Region region;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels.Row(y);
    int x = 0;
    while (x < width) {
      while (x < width && row[x] == key) ++x;
      const int start = x;
      while (x < width && row[x] != key) ++x;
      if (x > start)
        region.rects.push_back({start, y, x, y + 1});
    }
  }
  if (region.rects.empty())
    return std::nullopt;
  return region;
}

std::optional<Region> MakeRegionFromPicture(const PictureBox& box) {
  // The caller has set the scale to pixels, so the scale size is the pixel size.
  const int width = static_cast<int>(std::lround(box.ScaleWidth()));
  const int height = static_cast<int>(std::lround(box.ScaleHeight()));
  return MakeRegionFromBitmap(box.DeviceContext(), width, height);
}

void Form1::Command13_Click() {
  Picture1.SetScaleMode(ScaleMode::Pixels);
  SetRegion(MakeRegionFromPicture(Picture1));
  DoEvents();
  Picture1.SetScaleMode(ScaleMode::Twips);
  DoEvents();
}

void Form1::Command15_Click() {
  SetRegion(std::nullopt);
}

void Form1::Command18_Click() {
  Command17_Click();
  Command13_Click();
}

}  // namespace frost
