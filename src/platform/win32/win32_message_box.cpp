#include "platform/win32/win32_message_box.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

void Win32MessageBox::MessageBox(const std::string& text, const std::string& caption) {
  MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace frost
