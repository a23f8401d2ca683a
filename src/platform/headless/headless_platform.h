#pragma once
#include <string>
#include <vector>

#include "platform/headless/headless_os.h"
#include "platform/platform.h"

namespace frost {

struct MessageBoxCall {
  std::string text;
  std::string caption;
  bool operator==(const MessageBoxCall&) const = default;
};

// Message boxes recorded instead of shown.
class RecordedMessageBoxes : public WindowServices {
 public:
  void MessageBox(const std::string& text, const std::string& caption) override {
    message_boxes.push_back({text, caption});
  }

  std::vector<MessageBoxCall> message_boxes;
};

// The services of tests and headless renders: the headless OS services, sound to the given
// output, and recorded message boxes.
class HeadlessPlatform {
 public:
  explicit HeadlessPlatform(SoundOutput& sound, NativeOsOptions options = UnguardedOsOptions())
      : os(std::move(options)), sound_(sound) {}

  Platform Services() { return {os, sound_, window}; }

  HeadlessOs os;
  RecordedMessageBoxes window;

 private:
  SoundOutput& sound_;
};

}  // namespace frost
