#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_os_services.h"
#include "platform/win32/win32_sound.h"

namespace frost {

// The Windows card's services: the OS services of Windows, winmm sound and the Win32 message box.
struct Win32Platform {
  explicit Win32Platform(Win32OsOptions options = {}) : os(std::move(options)) {}

  Win32OsServices os;
  Win32Sound sound;
  Win32MessageBox window;

  Platform Services() { return {os, sound, window}; }
};

}  // namespace frost
