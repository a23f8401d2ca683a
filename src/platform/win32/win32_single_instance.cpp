#include <cstdio>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_os_services.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

// The mutex exists while some card holds a handle to it; its existence is the guard, and it
// vanishes with the last handle, however the holder ends. The handle is not inheritable, so a
// program the card starts does not carry the guard on.
bool Win32OsServices::AcquireSingleInstance() {
  if (mutex_name_.empty() || instance_.IsOpen())
    return true;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, Widen(mutex_name_).c_str());
  if (mutex == nullptr) {
    const DWORD failure = GetLastError();
    if (failure == ERROR_ACCESS_DENIED)
      return false;  // a card with other rights has it
    // The card still runs, but says so where the Linux card does.
    std::fprintf(stderr,
                 "Frostmail: running without the single-instance guard: Windows error %lu\n",
                 static_cast<unsigned long>(failure));
    return true;
  }
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  UniqueHandle owner(mutex);
  if (existed)
    return false;
  instance_ = std::move(owner);
  return true;
}

void Win32OsServices::ReleaseSingleInstance() {
  instance_.Reset();
}

}  // namespace frost
