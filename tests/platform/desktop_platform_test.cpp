#include "platform/sdl/desktop_platform.h"

#include <gtest/gtest.h>

#include "platform_test_support.h"

namespace frost {
namespace {

using testing_support::ScopedEnvironment;

// With no display at all no box can be shown; the user must still be told.
TEST(DesktopPlatform, WithoutADisplayTheMessageGoesToStderr) {
  ScopedEnvironment display("DISPLAY", std::nullopt);
  ScopedEnvironment wayland("WAYLAND_DISPLAY", std::nullopt);
  ::testing::NiceMock<testing_support::MockSoundOutput> sound;
  DesktopPlatform platform(sound, {.program_path = "", .lock_path = ""});

  ::testing::internal::CaptureStderr();
  platform.MessageBox("Permission denied: /cards/Frost_Mail.exe", "Frostmail");
  const std::string printed = ::testing::internal::GetCapturedStderr();

  EXPECT_THAT(printed, ::testing::HasSubstr("Frostmail"));
  EXPECT_THAT(printed, ::testing::HasSubstr("Permission denied: /cards/Frost_Mail.exe"));
}

}  // namespace
}  // namespace frost
