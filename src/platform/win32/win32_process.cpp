#include <cwctype>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_os_services.h"
#include "platform/win32/windows_prelude.h"

// windows_prelude.h leaves shellapi.h out (WIN32_LEAN_AND_MEAN); only this file needs it.
#include <objbase.h>
#include <shellapi.h>

namespace frost {

namespace {

bool IsProgramFile(const std::wstring& file) {
  if (file.size() < 4)
    return false;
  std::wstring extension = file.substr(file.size() - 4);
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension == L".exe";
}

// The shell's results for a failed start are the Win32 error codes for the common cases
// (2 file not found, 3 path not found, 5 access denied, 11 bad format); the rest is 8, out of
// memory or resources.
int ShellResultOf(DWORD failure) {
  switch (failure) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_ACCESS_DENIED:
    case ERROR_BAD_FORMAT:
      return static_cast<int>(failure);
    default:
      return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// The started program runs on by itself: its handles are closed at once and it inherits none
// of the card's (neither files nor the single-instance mutex).
int StartProgram(const std::wstring& program) {
  std::wstring command_line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return ShellResultOf(GetLastError());
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return kShellExecuteStarted;
}

// Shell handlers (the browser for a web address) may use COM, which the shell expects the
// calling thread to have started.
int OpenWithShell(const std::wstring& file) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", file.c_str(), L"", L"", SW_SHOWNORMAL));
  if (SUCCEEDED(com))
    CoUninitialize();
  return static_cast<int>(result);
}

}  // namespace

int Win32OsServices::ShellExecuteOpen(const std::string& file) {
  const std::wstring wide = Widen(file);
  return IsProgramFile(wide) ? StartProgram(wide) : OpenWithShell(wide);
}

}  // namespace frost
