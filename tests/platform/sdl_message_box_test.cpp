#include "platform/sdl/sdl_message_box.h"

#include <gtest/gtest.h>

#include "platform_test_support.h"

namespace frost {
namespace {

using testing_support::ScopedEnvironment;

// With no display at all no box can be shown; the user must still be told.
TEST(SdlMessageBox, WithoutADisplayTheMessageGoesToStderr) {
  ScopedEnvironment display("DISPLAY", std::nullopt);
  ScopedEnvironment wayland("WAYLAND_DISPLAY", std::nullopt);
  SdlMessageBox window;

  ::testing::internal::CaptureStderr();
  window.MessageBox("Permission denied: /cards/Frost_Mail.exe", "Frostmail");
  const std::string printed = ::testing::internal::GetCapturedStderr();

  EXPECT_THAT(printed, ::testing::HasSubstr("Frostmail"));
  EXPECT_THAT(printed, ::testing::HasSubstr("Permission denied: /cards/Frost_Mail.exe"));
}

}  // namespace
}  // namespace frost
