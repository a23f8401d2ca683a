#pragma once
#include <string>
#include <string_view>

namespace frost {

// Windows takes text and paths as UTF-16; the card speaks UTF-8. Text that is not valid UTF-8
// is the card's single-byte greeting text and is read as Windows-1252.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace frost
