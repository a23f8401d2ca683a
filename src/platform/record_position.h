#pragma once
#include <cstdint>
#include <string>

#include "toolkit/errors.h"

namespace frost {

// The byte-addressed file access counts positions from 1; the 0-based offset of `position`,
// or "Bad record number" for a position before the first byte.
inline std::int64_t RecordOffset(std::int64_t position, const std::string& path) {
  if (position < 1) {
    throw RuntimeError(error::kBadRecordNumber,
                       "Bad record number: " + std::to_string(position) + " in " + path);
  }
  return position - 1;
}

}  // namespace frost
