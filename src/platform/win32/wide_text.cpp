#include "platform/win32/wide_text.h"

#include "platform/win32/windows_prelude.h"

namespace frost {
namespace {

constexpr UINT kWindows1252 = 1252;

std::wstring Decode(UINT codePage, DWORD flags, std::string_view text) {
  const int length = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (count <= 0)
    return {};
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), count);
  return wide;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty())
    return {};
  std::wstring wide = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
  return wide.empty() ? Decode(kWindows1252, 0, utf8) : wide;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty())
    return {};
  const int length = static_cast<int>(utf16.size());
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  if (count <= 0)
    return {};
  std::string utf8(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, utf8.data(), count, nullptr, nullptr);
  return utf8;
}

}  // namespace frost
