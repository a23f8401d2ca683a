// Windows-1252 bytes of the greeting area to and from the text boxes' UTF-8.
#include "personalise/ansi.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace frost {
namespace {

using Bytes = std::vector<std::optional<std::uint8_t>>;

TEST(AnsiTest, AsciiIsItself) {
  EXPECT_EQ(AnsiToUtf8("Season's Greetings ~"), "Season's Greetings ~");
  EXPECT_EQ(Utf8ToAnsi("Hi ~"), (Bytes{'H', 'i', ' ', '~'}));
}

TEST(AnsiTest, HighBytesBecomeTheirWindows1252Characters) {
  std::string high;
  for (int byte = 0x80; byte < 0xA0; ++byte) high += static_cast<char>(byte);
  EXPECT_EQ(AnsiToUtf8(high),
            "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F"
            "\u0090‘’“”•–—˜™š›œ\u009DžŸ");
  EXPECT_EQ(AnsiToUtf8("\xA0"), "\u00A0");
  EXPECT_EQ(AnsiToUtf8("\xE9\xFF"), "éÿ");
  // Undefined in 1252: the control character of the same number, as Windows reads them.
  EXPECT_EQ(AnsiToUtf8("\x81\x9D"), "\u0081\u009D");
}

TEST(AnsiTest, EveryByteSurvivesARoundTrip) {
  std::string all;
  Bytes expected;
  for (int byte = 1; byte < 256; ++byte) {
    all += static_cast<char>(byte);
    expected.push_back(static_cast<std::uint8_t>(byte));
  }
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), expected);
}

TEST(AnsiTest, CharactersOutsideTheCodePageAreReportedOneByOne) {
  EXPECT_EQ(Utf8ToAnsi("aΩb"), (Bytes{'a', std::nullopt, 'b'}));
  EXPECT_EQ(Utf8ToAnsi("日本"), (Bytes{std::nullopt, std::nullopt}));
  EXPECT_EQ(Utf8ToAnsi("🎄!"), (Bytes{std::nullopt, '!'}));
  EXPECT_EQ(Utf8ToAnsi("€"), (Bytes{0x80}));
}

TEST(AnsiTest, MalformedUtf8CountsAsCharactersThatDoNotFit) {
  EXPECT_EQ(Utf8ToAnsi("\xFF"
                       "a"),
            (Bytes{std::nullopt, 'a'}));
  EXPECT_EQ(Utf8ToAnsi("\xC3"), (Bytes{std::nullopt}));                    // cut short
  EXPECT_EQ(Utf8ToAnsi("\xC3("), (Bytes{std::nullopt, '('}));              // no continuation
  EXPECT_EQ(Utf8ToAnsi("\xC0\x80"), (Bytes{std::nullopt, std::nullopt}));  // overlong NUL
}

}  // namespace
}  // namespace frost
