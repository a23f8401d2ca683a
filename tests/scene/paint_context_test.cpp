#include <gtest/gtest.h>

#include "support/card_fixture.h"

namespace frost {
namespace {

// The card's colour factors 1, 0.75 and 0.2, as the load step sets them.
class ShadedColorTest : public ::testing::Test {
 protected:
  testing::CardFixture card;
  PaintContext& paint = card.form.paint;
};

TEST_F(ShadedColorTest, ProductsRoundHalfToEven) {
  paint.Intensity = 2;  // green 1.5 -> 2
  EXPECT_EQ(paint.ShadedColor(), RGB(2, 2, 0));
  paint.Intensity = 6;  // green 4.5 -> 4, blue 1.2 -> 1
  EXPECT_EQ(paint.ShadedColor(), RGB(6, 4, 1));
}

TEST_F(ShadedColorTest, ComponentsAbove255Saturate) {
  paint.Intensity = 300;
  EXPECT_EQ(paint.ShadedColor(), RGB(255, 225, 60));
  EXPECT_EQ(paint.ShadedColorAt(500.1), RGB(255, 255, 100));
}

}  // namespace
}  // namespace frost
