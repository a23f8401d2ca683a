#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace frost::frostcard {

// How often each colour appears over the frames of a show, at 6 bits a channel.
class ColourHistogram {
 public:
  ColourHistogram();
  // Pixels in the card's layout (r + 256 g + 65536 b; the top byte is ignored).
  void Add(std::span<const std::uint32_t> pixels);

  struct Bin {
    std::uint32_t key;  // 6-bit r, g, b
    std::uint64_t count;
    std::array<std::uint64_t, 3> sums;  // of the 8-bit r, g, b that fell in
  };
  // The colours that appeared.
  std::vector<Bin> Bins() const;

 private:
  std::vector<std::uint64_t> counts_;
  std::vector<std::array<std::uint64_t, 3>> sums_;
};

// A GIF palette fitted to the show by median cut: 255 colours, and index 255 left unused so that
// the encoder can make it transparent where a frame repeats the one before.
class GifPalette {
 public:
  static constexpr int kColours = 255;

  explicit GifPalette(const ColourHistogram& histogram);
  // 0xAARRGGBB entries, as a GIF frame carries them.
  const std::array<std::uint32_t, 256>& Entries() const { return entries_; }
  // The nearest palette index of each pixel (card layout).
  void Map(std::span<const std::uint32_t> pixels, std::span<std::uint8_t> indices) const;

 private:
  std::array<std::uint32_t, 256> entries_{};
  std::vector<std::uint8_t> nearest_;  // palette index by 6-bit colour key
};

}  // namespace frost::frostcard
