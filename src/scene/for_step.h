#pragma once

namespace frost {

// The card's counted loops: the bounds and the step are taken once, the variable is compared
// against the end before every pass and the step is added after it. A fractional step
// accumulates its rounding pass by pass, which decides the pass count (2708 fill lines on the
// bottom tier with a step of -1.3).
template <class Body>
void ForStep(double from, double to, double step, Body&& body) {
  for (double v = from; step >= 0 ? v <= to : v >= to; v += step) body(v);
}

}  // namespace frost
