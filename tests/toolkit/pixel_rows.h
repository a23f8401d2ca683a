#pragma once
// Bitmaps as bit-string rows ("11110000": 1 where the pixel differs from the background), so
// primitive tests read like the pixels they expect.
#include <string>
#include <vector>

#include "toolkit/bitmap.h"

namespace frost::testing {

inline std::vector<std::string> Rows(const Bitmap& bitmap, Color background = {}) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap.Width(); ++x) row += bitmap.At(x, y) == background ? '0' : '1';
    rows.push_back(row);
  }
  return rows;
}

inline int CountPixels(const Bitmap& bitmap, Color colour) {
  int count = 0;
  for (auto value : bitmap.Pixels()) count += value == colour.value;
  return count;
}

}  // namespace frost::testing
