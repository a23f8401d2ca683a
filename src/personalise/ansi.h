#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace frost {

// The greeting area stores one byte per character in the system's ANSI code page, Windows-1252;
// the text boxes hold UTF-8. Like Windows, the five bytes 1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so every byte has a
// character and every byte survives a round trip.

// Each byte as its character, in UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

// One entry per character of `utf8`: its byte in the code page, or nothing when the character has
// none (a malformed UTF-8 byte counts as one character that does not fit).
std::vector<std::optional<std::uint8_t>> Utf8ToAnsi(std::string_view utf8);

// `utf8` without what a greeting line must not take in: characters with no byte in the code
// page, malformed bytes, and control characters (also the five that 1252 leaves undefined).
std::string StorableText(std::string_view utf8);

}  // namespace frost
