#include "gif_palette.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace frost::frostcard {
namespace {

constexpr int kKeys = 1 << 18;

std::uint32_t KeyOf(std::uint32_t pixel) {
  const std::uint32_t r = (pixel >> 2) & 0x3F, g = (pixel >> 10) & 0x3F, b = (pixel >> 18) & 0x3F;
  return (r << 12) | (g << 6) | b;
}

int Channel(std::uint32_t key, int channel) {
  return static_cast<int>((key >> (12 - 6 * channel)) & 0x3F);
}

using Bins = std::vector<ColourHistogram::Bin>;

// A run of bins that becomes one palette colour.
struct Box {
  Bins::iterator begin, end;
  std::uint64_t count = 0;
  int widestChannel = 0;
  int width = 0;  // of the widest channel, in 6-bit steps
};

Box MakeBox(Bins::iterator begin, Bins::iterator end) {
  Box box{begin, end};
  std::array<int, 3> low{63, 63, 63}, high{0, 0, 0};
  for (auto bin = begin; bin != end; ++bin) {
    box.count += bin->count;
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], Channel(bin->key, c));
      high[c] = std::max(high[c], Channel(bin->key, c));
    }
  }
  for (int c = 0; c < 3; ++c) {
    if (high[c] - low[c] > box.width) {
      box.width = high[c] - low[c];
      box.widestChannel = c;
    }
  }
  return box;
}

// Splits the box at the median pixel of its widest channel.
std::pair<Box, Box> Split(const Box& box) {
  std::sort(box.begin, box.end, [c = box.widestChannel](const auto& a, const auto& b) {
    return Channel(a.key, c) < Channel(b.key, c);
  });
  // Both halves keep at least one bin.
  auto middle = box.begin + 1;
  for (std::uint64_t seen = box.begin->count; middle + 1 < box.end && seen < box.count / 2;
       ++middle) {
    seen += middle->count;
  }
  return {MakeBox(box.begin, middle), MakeBox(middle, box.end)};
}

// Wide boxes are split first, and among those the busy ones: a rare bright spark keeps its own
// colour, and the much-seen gold gradients get fine steps.
double SplitPriority(const Box& box) {
  return box.width == 0 ? -1.0 : box.width * std::sqrt(static_cast<double>(box.count));
}

std::uint32_t MeanColour(const Box& box) {
  std::array<std::uint64_t, 3> sums{};
  for (auto bin = box.begin; bin != box.end; ++bin) {
    for (int c = 0; c < 3; ++c) sums[c] += bin->sums[c];
  }
  std::uint32_t argb = 0xFF000000u;
  for (int c = 0; c < 3; ++c) {
    argb |= static_cast<std::uint32_t>((sums[c] + box.count / 2) / box.count) << (16 - 8 * c);
  }
  return argb;
}

int DistanceSquared(std::uint32_t argb, int r, int g, int b) {
  const int dr = static_cast<int>((argb >> 16) & 0xFF) - r;
  const int dg = static_cast<int>((argb >> 8) & 0xFF) - g;
  const int db = static_cast<int>(argb & 0xFF) - b;
  return dr * dr + dg * dg + db * db;
}

}  // namespace

ColourHistogram::ColourHistogram() : counts_(kKeys), sums_(kKeys) {}

void ColourHistogram::Add(std::span<const std::uint32_t> pixels) {
  for (const std::uint32_t pixel : pixels) {
    const std::uint32_t key = KeyOf(pixel);
    ++counts_[key];
    auto& sum = sums_[key];
    sum[0] += pixel & 0xFF;
    sum[1] += (pixel >> 8) & 0xFF;
    sum[2] += (pixel >> 16) & 0xFF;
  }
}

std::vector<ColourHistogram::Bin> ColourHistogram::Bins() const {
  std::vector<Bin> bins;
  for (std::uint32_t key = 0; key < kKeys; ++key) {
    if (counts_[key] != 0)
      bins.push_back({key, counts_[key], sums_[key]});
  }
  return bins;
}

GifPalette::GifPalette(const ColourHistogram& histogram) : nearest_(kKeys) {
  Bins bins = histogram.Bins();
  std::vector<Box> boxes;
  if (!bins.empty())
    boxes.push_back(MakeBox(bins.begin(), bins.end()));
  while (!boxes.empty() && static_cast<int>(boxes.size()) < kColours) {
    const auto widest = std::max_element(
        boxes.begin(), boxes.end(),
        [](const Box& a, const Box& b) { return SplitPriority(a) < SplitPriority(b); });
    if (SplitPriority(*widest) < 0)
      break;  // every box holds a single colour
    const auto [first, second] = Split(*widest);
    *widest = first;
    boxes.push_back(second);
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) entries_[i] = MeanColour(boxes[i]);
  const int used = std::max<int>(1, static_cast<int>(boxes.size()));
  for (std::uint32_t key = 0; key < kKeys; ++key) {
    // The middle of the key's cell stands for it.
    const int r = Channel(key, 0) * 4 + 2, g = Channel(key, 1) * 4 + 2, b = Channel(key, 2) * 4 + 2;
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < used; ++i) {
      const int distance = DistanceSquared(entries_[i], r, g, b);
      if (distance < bestDistance) {
        best = i;
        bestDistance = distance;
      }
    }
    nearest_[key] = static_cast<std::uint8_t>(best);
  }
}

void GifPalette::Map(std::span<const std::uint32_t> pixels, std::span<std::uint8_t> indices) const {
  for (std::size_t i = 0; i < pixels.size() && i < indices.size(); ++i) {
    indices[i] = nearest_[KeyOf(pixels[i])];
  }
}

}  // namespace frost::frostcard
