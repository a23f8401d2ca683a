#pragma once
// The Windows headers for the win32 backend's .cpp files, and only for them: no header of the
// card includes this. The headers define macros under names the card's interfaces also use
// (OsServices::DeleteFile, SoundOutput::PlaySound, WindowServices::MessageBox; RGB, DrawText),
// which would rename those members behind our back; they are undefined here, so these files
// call the wide-character functions (DeleteFileW, MessageBoxW, ...) by their own names.
// Wide characters throughout, also for the headers' own names such as IDC_ARROW.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// mmsystem.h needs windows.h first.
#include <mmsystem.h>

#undef DeleteFile
#undef PlaySound
#undef MessageBox
#undef DrawText
#undef RGB
