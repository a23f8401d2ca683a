// libFuzzer target for the greeting area's writer: any lines (any bytes, any length, "~" and
// NUL included) into a file of any length. The writer may change only the marker and the eight
// fields, and the reader must then give back every line as its field holds it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "personalise/greeting_area.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "greeting area writer: %s\n", what);
    std::abort();
  }
}

// The line as its field keeps it: at most 40 bytes, read up to the first NUL.
std::string Stored(const std::string& line) {
  const std::string field = line.substr(0, frost::greeting_area::kFieldSize);
  return field.substr(0, field.find('\0'));
}

}  // namespace

// Input: 2 bytes for the file's length (0 to 1023), then the eight lines separated by 0xFF.
// The file's bytes are a pattern that holds "~" often.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frost;
  if (size < 2)
    return 0;
  const std::size_t length = (data[0] | (data[1] << 8)) % 1024;
  GreetingLines lines{};
  std::size_t k = 0;
  for (std::size_t i = 2; i < size && k < lines.size(); ++i) {
    if (data[i] == 0xFF)
      ++k;
    else
      lines[k] += static_cast<char>(data[i]);
  }
  std::vector<std::uint8_t> file(length);
  for (std::size_t i = 0; i < length; ++i) file[i] = static_cast<std::uint8_t>('~' + i % 3);
  const std::vector<std::uint8_t> before = file;

  const bool written = WriteGreetingArea(file, lines);
  Require(written == (length >= greeting_area::kSize), "wrote into a file without room");
  if (!written) {
    Require(file == before, "a refused file was changed");
    return 0;
  }
  const std::size_t area = length - greeting_area::kSize;
  Require(std::equal(file.begin(), file.begin() + area, before.begin()), "bytes before changed");
  Require(std::equal(file.end() - greeting_area::kTailSize, file.end(),
                     before.end() - greeting_area::kTailSize),
          "the tail changed");
  Require(file[area] == greeting_area::kMarker, "no marker at its place");
  const GreetingByteSource source{
      .length = static_cast<std::int64_t>(length),
      .byteAt = [&](std::int64_t offset) { return std::optional<std::uint8_t>(file.at(offset)); }};
  const auto read = ReadGreetingArea(source);
  Require(read.size() == lines.size(), "not eight lines read back");
  for (std::size_t line = 0; line < lines.size(); ++line) {
    Require(read[line] == Stored(lines[line]), "a line read back differs");
  }
  return 0;
}
