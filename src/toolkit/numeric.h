#pragma once
#include <cstdint>

namespace frost {

// Int(x): the largest integer not above x.
double Int(double x);

// CInt(x): rounds to the nearest integer with halves to even, into a 16-bit integer; a result
// outside -32768..32767 raises run-time error 6 ("Overflow"), as the card's colour maths expects.
std::int16_t CInt(double x);

}  // namespace frost
