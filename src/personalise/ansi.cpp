#include "personalise/ansi.h"

#include <array>

namespace frost {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the other bytes are their own code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t CodePointOf(std::uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte};
}

std::optional<std::uint8_t> ByteOf(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
    return static_cast<std::uint8_t>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code)
      return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes the character starting at `at` and moves past it; nothing for a malformed sequence,
// which then counts as one byte.
std::optional<char32_t> NextCodePoint(std::string_view utf8, std::size_t& at) {
  const auto lead = static_cast<std::uint8_t>(utf8[at]);
  const int length = lead < 0x80           ? 1
                     : (lead >> 5) == 0x6  ? 2
                     : (lead >> 4) == 0xE  ? 3
                     : (lead >> 3) == 0x1E ? 4
                                           : 0;
  if (length == 0 || at + length > utf8.size()) {
    ++at;
    return std::nullopt;
  }
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(utf8[at + i]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return std::nullopt;
    }
    code = (code << 6) | (next & 0x3F);
  }
  // An overlong form (a NUL written in two bytes, say) is malformed too.
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kShortest[length]) {
    ++at;
    return std::nullopt;
  }
  at += length;
  return code;
}

bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (const char byte : ansi) AppendUtf8(out, CodePointOf(static_cast<std::uint8_t>(byte)));
  return out;
}

std::vector<std::optional<std::uint8_t>> Utf8ToAnsi(std::string_view utf8) {
  std::vector<std::optional<std::uint8_t>> bytes;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::optional<char32_t> code = NextCodePoint(utf8, at);
    bytes.push_back(code ? ByteOf(*code) : std::nullopt);
  }
  return bytes;
}

std::string StorableText(std::string_view utf8) {
  std::string kept;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const std::optional<char32_t> code = NextCodePoint(utf8, at);
    if (code && !IsControl(*code) && ByteOf(*code))
      kept += utf8.substr(start, at - start);
  }
  return kept;
}

}  // namespace frost
