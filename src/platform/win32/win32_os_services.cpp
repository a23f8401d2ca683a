#include "platform/win32/win32_os_services.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_prelude.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

std::string RunningProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      ThrowFileError(GetLastError(), "the running program");
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);  // a long path: the name was cut off
  }
}

// GetEnvironmentVariableW and GetTempPathW: a size query, then the value.
template <class Query>
std::optional<std::wstring> QueryText(Query query) {
  std::wstring text(64, L'\0');
  for (;;) {
    const DWORD length = query(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0)
      return std::nullopt;
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length);
  }
}

}  // namespace

Win32OsServices::Win32OsServices(Win32OsOptions options)
    : program_path_(std::move(options.program_path)), mutex_name_(std::move(options.mutex_name)) {}

std::string Win32OsServices::ProgramPath() {
  return program_path_.empty() ? RunningProgramPath() : program_path_;
}

std::optional<std::string> Win32OsServices::Environment(const std::string& name) {
  const std::wstring wide_name = Widen(name);
  SetLastError(ERROR_SUCCESS);
  std::optional<std::wstring> value = QueryText([&](wchar_t* buffer, DWORD size) {
    return GetEnvironmentVariableW(wide_name.c_str(), buffer, size);
  });
  // A variable set to "" also reports length 0, without an error.
  if (!value && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
    return std::nullopt;
  return Narrow(value.value_or(L""));
}

// The user's temporary folder is per user on Windows; without one there is no private folder,
// and a shared one such as C:\Windows\Temp would not do.
std::string Win32OsServices::PrivateFolder() {
  std::optional<std::wstring> folder =
      QueryText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
  if (!folder) {
    throw RuntimeError(error::kPathFileAccess,
                       "No private folder: the temporary folder is unknown"
                       " (Windows error " +
                           std::to_string(GetLastError()) + ")");
  }
  // "C:\" keeps its backslash: "C:" alone would mean the drive's current folder.
  while (folder->size() > 3 && folder->back() == L'\\') folder->pop_back();
  return Narrow(*folder);
}

}  // namespace frost
