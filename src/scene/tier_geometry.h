#pragma once
#include "scene/for_step.h"

namespace frost {

// One of the tree's nine stacked triangular tiers, in twips: k = 0 at the bottom to 8 at the top.
struct Tier {
  int index = 0;      // k
  double span = 0;    // T: width of the base
  double left = 0;    // L: x of the left corner
  double offset = 0;  // V: the base lies at T + V and the apex at 2 V

  double BaseY() const { return span + offset; }
  double ApexY() const { return 2 * offset; }
  double ApexX() const { return left + span / 2; }
  double RightX() const { return left + span; }
};

// The tiers bottom first: T runs from 5700 sx down to 1500 sx in steps of -500 sx while L and V
// are carried along. V is a vertical offset yet shrinks by a multiple of sx; on screens whose
// two factors differ that mixed term places the tiers.
template <class Body>
void ForEachTier(double sx, double sy, Body&& body) {
  Tier tier{0, 0, 1000 * sx, 2000 * sy};
  ForStep(5700 * sx, 1500 * sx, -500 * sx, [&](double span) {
    tier.span = span;
    body(static_cast<const Tier&>(tier));
    tier.left += 500 * sx / 2;
    tier.offset -= 500 * sx / 3;
    ++tier.index;
  });
}

}  // namespace frost
