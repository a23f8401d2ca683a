// Pixel transfers: stretched picture blits and text coverage.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/raster_span.h"

namespace frost {
namespace {

// Destination offset i of `length` maps to source offset floor((i + 1/2) * from / length): the
// nearest source pixel to the destination pixel's centre.
int SourceOffset(std::int64_t i, std::int64_t fromLength, std::int64_t toLength) {
  return static_cast<int>((2 * i + 1) * fromLength / (2 * toLength));
}

// For each destination column in [first, last), the source column, or -1 when it falls outside
// the source picture (a source rectangle reaching past the picture is clipped there, never
// rescaled, so the visible part keeps its place and size).
std::vector<int> SourceColumns(const PixelRect& to, const PixelRect& from, int sourceWidth,
                               int first, int last) {
  std::vector<int> columns(static_cast<std::size_t>(std::max(last - first, 0)));
  for (int x = first; x < last; ++x) {
    const int sx = from.left + SourceOffset(x - to.left, from.Width(), to.Width());
    columns[static_cast<std::size_t>(x - first)] = sx >= 0 && sx < sourceWidth ? sx : -1;
  }
  return columns;
}

void BlitRow(std::uint32_t* out, const std::uint32_t* in, const std::vector<int>& columns,
             RasterOp op) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i] < 0)
      continue;
    if (op == RasterOp::Copy) {
      out[i] = in[columns[i]];
    } else {
      out[i] &= in[columns[i]];
    }
  }
}

std::uint32_t Blend(std::uint32_t under, std::uint32_t over, unsigned coverage) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned d = (under >> shift) & 0xFF, s = (over >> shift) & 0xFF;
    result |= ((s * coverage + d * (255 - coverage) + 127) / 255) << shift;
  }
  return result;
}

}  // namespace

void RasterStretchBlit(Bitmap& target, const PixelRect& clip, const PixelRect& to,
                       const Bitmap& source, const PixelRect& from, RasterOp op) {
  const PixelRect area = raster::DrawableArea(target, clip).Intersect(to);
  if (area.Empty() || from.Empty() || source.Empty() || !raster::WithinLimits(to) ||
      !raster::WithinLimits(from)) {
    return;
  }
  const std::vector<int> columns = SourceColumns(to, from, source.Width(), area.left, area.right);
  for (int y = area.top; y < area.bottom; ++y) {
    const int sy = from.top + SourceOffset(y - to.top, from.Height(), to.Height());
    if (sy < 0 || sy >= source.Height())
      continue;
    BlitRow(target.Row(y) + area.left, source.Row(sy), columns, op);
  }
}

void RasterMask(Bitmap& target, const PixelRect& clip, PixelPoint origin, const CoverageMask& mask,
                Color color) {
  const PixelRect area = raster::DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(origin) ||
      mask.coverage.size() < static_cast<std::size_t>(std::max(mask.width, 0)) *
                                 static_cast<std::size_t>(std::max(mask.height, 0))) {
    return;
  }
  const PixelRect placed =
      PixelRect{origin.x, origin.y, origin.x + mask.width, origin.y + mask.height}.Intersect(area);
  for (int y = placed.top; y < placed.bottom; ++y) {
    const std::uint8_t* in =
        mask.coverage.data() + static_cast<std::size_t>(y - origin.y) * mask.width;
    std::uint32_t* out = target.Row(y);
    for (int x = placed.left; x < placed.right; ++x) {
      const unsigned coverage = in[x - origin.x];
      if (coverage == 255) {
        out[x] = color.value;
      } else if (coverage != 0) {
        out[x] = Blend(out[x], color.value, coverage);
      }
    }
  }
}

}  // namespace frost
