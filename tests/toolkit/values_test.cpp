// Colours and the number conversions the card's colour maths relies on.
#include <gtest/gtest.h>

#include <limits>

#include "toolkit/color.h"
#include "toolkit/errors.h"
#include "toolkit/numeric.h"

namespace frost {
namespace {

void ExpectError(int number, auto&& call) {
  try {
    call();
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), number);
  }
}

TEST(RGB, ComponentsAboveTheRangeCountAsTheLimit) {
  EXPECT_EQ(RGB(300, 75, 20), RGB(255, 75, 20));
  EXPECT_EQ(RGB(1, 2, 3).value, 1u + 256u * 2 + 65536u * 3);
  EXPECT_EQ(RGB(-4, 0, 999).value, 255u * 65536);
}

TEST(QBColor, ConsolePaletteAndRange) {
  EXPECT_EQ(QBColor(0), RGB(0, 0, 0));
  EXPECT_EQ(QBColor(12), RGB(255, 0, 0));
  EXPECT_EQ(QBColor(7), RGB(192, 192, 192));
  EXPECT_EQ(QBColor(15), RGB(255, 255, 255));
  ExpectError(error::kInvalidCall, [] { QBColor(16); });
  ExpectError(error::kInvalidCall, [] { QBColor(-1); });
}

TEST(Int, RoundsTowardMinusInfinity) {
  EXPECT_EQ(Int(2.9), 2);
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(Int(7), 7);
}

TEST(CInt, RoundsHalvesToEven) {
  EXPECT_EQ(CInt(2 * 0.75), 2);
  EXPECT_EQ(CInt(6 * 0.75), 4);
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(1453.87), 1454);
}

TEST(CInt, OutsideSixteenBitsIsOverflow) {
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_EQ(CInt(-32768.5), -32768);
  ExpectError(error::kOverflow, [] { CInt(32767.5); });
  ExpectError(error::kOverflow, [] { CInt(-32769); });
  ExpectError(error::kOverflow, [] { CInt(std::numeric_limits<double>::quiet_NaN()); });
  ExpectError(error::kOverflow, [] { CInt(std::numeric_limits<double>::infinity()); });
}

}  // namespace
}  // namespace frost
