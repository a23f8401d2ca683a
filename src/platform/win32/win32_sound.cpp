#include "platform/win32/win32_sound.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

// The flags are the multimedia call's own, so they pass through unchanged. Names are given
// wide, so that a path with letters outside the ANSI code page still plays.
int Win32Sound::PlaySound(const char* name, std::uint32_t flags) {
  if (name == nullptr)
    return PlaySoundW(nullptr, nullptr, flags);
  return PlaySoundW(Widen(name).c_str(), nullptr, flags);
}

std::uint32_t Win32Sound::SendMciCommand(const std::string& command) {
  return mciSendStringW(Widen(command).c_str(), nullptr, 0, nullptr);
}

int Win32Sound::WaveOutDeviceCount() {
  return static_cast<int>(waveOutGetNumDevs());
}

int Win32Sound::MidiOutDeviceCount() {
  return static_cast<int>(midiOutGetNumDevs());
}

void Win32Sound::Beep() {
  MessageBeep(MB_OK);
}

}  // namespace frost
