// The greeting area's writer and reader as pure functions over bytes.
#include "personalise/greeting_area.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace frost {
namespace {

using Bytes = std::vector<std::uint8_t>;

GreetingByteSource SourceOf(const Bytes& file) {
  return {.length = static_cast<std::int64_t>(file.size()),
          .byteAt = [&file](std::int64_t offset) { return file.at(offset); }};
}

TEST(GreetingAreaTest, WriterReplacesMarkerAndFieldsAndKeepsTheRestOfTheFile) {
  Bytes file(600, 'c');
  GreetingLines lines{};
  lines[0] = std::string(45, 'A');  // cut to its field
  lines[7] = "last";
  ASSERT_TRUE(WriteGreetingArea(file, lines));
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 98), Bytes(98, 'c'));
  EXPECT_EQ(file[98], '~');
  EXPECT_EQ(Bytes(file.end() - 181, file.end()), Bytes(181, 'c'));
  EXPECT_EQ(Bytes(file.begin() + 139, file.begin() + 141), (Bytes{0, 0}));  // field 2 cleared
  const GreetingLines expected{std::string(40, 'A'), "", "", "", "", "", "", "last"};
  const auto read = ReadGreetingArea(SourceOf(file));
  EXPECT_EQ(read, std::vector<std::string>(expected.begin(), expected.end()));
}

TEST(GreetingAreaTest, WriterRefusesAFileShorterThanTheArea) {
  Bytes file(501, 'c');
  EXPECT_FALSE(WriteGreetingArea(file, DefaultGreetingLines()));
  EXPECT_EQ(file, Bytes(501, 'c'));
}

TEST(GreetingAreaTest, AFailedReadEndsItsLine) {
  const Bytes file = MakeGreetingArea({"Merry", "Joy"});
  const GreetingByteSource source{
      .length = 502, .byteAt = [&](std::int64_t offset) -> std::optional<std::uint8_t> {
        if (offset == 3)
          return std::nullopt;
        return file.at(offset);
      }};
  EXPECT_EQ(ReadGreetingArea(source),
            (std::vector<std::string>{"Me", "Joy", "", "", "", "", "", ""}));
}

}  // namespace
}  // namespace frost
