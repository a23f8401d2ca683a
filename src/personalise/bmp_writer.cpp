#include "personalise/bmp_writer.h"

#include <cstddef>

namespace frost {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint16_t kBitsPerPixel = 24;

// BMP fields are little-endian.
void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value));
  Put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& picture) {
  const auto width = static_cast<std::uint32_t>(picture.Width());
  const auto height = static_cast<std::uint32_t>(picture.Height());
  const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;
  const std::uint32_t imageSize = rowSize * height;

  std::vector<std::uint8_t> out;
  out.reserve(pixelOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, pixelOffset + imageSize);
  Put32(out, 0);  // reserved
  Put32(out, pixelOffset);

  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);  // positive: bottom-up rows
  Put16(out, 1);       // planes
  Put16(out, kBitsPerPixel);
  Put32(out, 0);  // BI_RGB, uncompressed
  Put32(out, imageSize);
  Put32(out, 0);  // pixels per metre, not given
  Put32(out, 0);
  Put32(out, 0);  // colours used: all
  Put32(out, 0);  // important colours: all

  for (int y = picture.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < picture.Width(); ++x) {
      const Color c = picture.At(x, y);
      out.push_back(static_cast<std::uint8_t>(c.Blue()));
      out.push_back(static_cast<std::uint8_t>(c.Green()));
      out.push_back(static_cast<std::uint8_t>(c.Red()));
    }
    out.resize(rowStart + rowSize, 0);
  }
  return out;
}

}  // namespace frost
