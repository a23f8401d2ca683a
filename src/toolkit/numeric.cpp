#include "toolkit/numeric.h"

#include <cmath>

#include "toolkit/errors.h"

namespace frost {

double Int(double x) {
  return std::floor(x);
}

std::int16_t CInt(double x) {
  // nearbyint rounds in the default mode, to nearest with halves to even.
  const double rounded = std::nearbyint(x);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
    throw RuntimeError(error::kOverflow, "Overflow");
  }
  return static_cast<std::int16_t>(rounded);
}

}  // namespace frost
