#pragma once
// The OS services of the operating system the program is built for, for the code that runs
// the card on any of them (the headless backend).
#ifdef _WIN32
#include "platform/win32/win32_os_services.h"
#else
#include "platform/posix/posix_os_services.h"
#endif

namespace frost {

#ifdef _WIN32
using NativeOsServices = Win32OsServices;
using NativeOsOptions = Win32OsOptions;
inline NativeOsOptions UnguardedOsOptions() {
  return {.program_path = "", .mutex_name = ""};
}
#else
using NativeOsServices = PosixOsServices;
using NativeOsOptions = PosixOsOptions;
inline NativeOsOptions UnguardedOsOptions() {
  return {.program_path = "", .lock_path = ""};
}
#endif

}  // namespace frost
