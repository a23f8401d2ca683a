#include "platform/headless/headless_platform.h"

namespace frost {

void HeadlessPlatform::MessageBox(const std::string& text, const std::string& caption) {
  message_boxes.push_back({text, caption});
}

int HeadlessPlatform::ShellExecuteOpen(const std::string& file) {
  opened_files.push_back(file);
  return kShellExecuteStarted;
}

}  // namespace frost
