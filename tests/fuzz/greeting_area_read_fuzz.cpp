// libFuzzer target for the greeting area's reader: any file end, of any length, with reads that
// may fail. The reader must stay within the file's last 502 bytes and return at most eight
// lines of at most 40 bytes, none holding a NUL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "personalise/greeting_area.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "greeting area reader: %s\n", what);
    std::abort();
  }
}

}  // namespace

// Input: 4 bytes of length before the given bytes (a virtual run of "~", so a reader that
// strays there would be caught twice over), 1 byte naming the read that fails (counted from the
// end, 0: none), then the file's last bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace frost;
  if (size < 5)
    return 0;
  std::uint32_t before = 0;
  std::memcpy(&before, data, sizeof before);
  const int failing = data[4];
  const std::uint8_t* end = data + 5;
  const auto given = static_cast<std::int64_t>(size - 5);
  const std::int64_t length = given + before;
  const GreetingByteSource source{
      .length = length, .byteAt = [&](std::int64_t offset) -> std::optional<std::uint8_t> {
        Require(offset >= 0 && offset < length, "read outside the file");
        Require(offset >= length - greeting_area::kSize, "read before the last 502 bytes");
        if (failing != 0 && offset == length - failing)
          return std::nullopt;
        const std::int64_t at = offset - before;
        return at < 0 ? greeting_area::kMarker : end[at];
      }};
  const auto lines = ReadGreetingArea(source);
  Require(lines.size() <= greeting_area::kFieldCount, "more than eight lines");
  for (const std::string& line : lines) {
    Require(line.size() <= greeting_area::kFieldSize, "a line longer than its field");
    Require(line.find('\0') == std::string::npos, "a NUL inside a line");
  }
  return 0;
}
