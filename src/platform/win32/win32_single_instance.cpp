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
  if (mutex == nullptr)
    return GetLastError() != ERROR_ACCESS_DENIED;  // denied: a card with other rights has it
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
