#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/posix/posix_os_services.h"
#include "platform_test_support.h"
#include "resources/embedded.h"

namespace frost {
namespace {

using testing_support::ScopedEnvironment;

class PosixProgram : public ::testing::Test {
 protected:
  PosixOsServices platform_{{.program_path = "", .lock_path = ""}};
};

TEST_F(PosixProgram, EnvironmentTellsUnsetFromEmpty) {
  ScopedEnvironment windir("Windir", "/home/card/windows");
  ScopedEnvironment empty("FROST_EMPTY", "");
  ScopedEnvironment unset("FROST_UNSET", std::nullopt);

  EXPECT_EQ(platform_.Environment("Windir"), "/home/card/windows");
  EXPECT_EQ(platform_.Environment("FROST_EMPTY"), "");
  EXPECT_EQ(platform_.Environment("FROST_UNSET"), std::nullopt);
}

TEST_F(PosixProgram, ProgramPathIsTheRunningProgramUnlessSet) {
  const std::string running = platform_.ProgramPath();
  EXPECT_EQ(std::filesystem::path(running).filename(), "platform_test");
  EXPECT_TRUE(platform_.FileExists(running));

  platform_.SetProgramPath("/cards/Frost_Mail.exe");
  EXPECT_EQ(platform_.ProgramPath(), "/cards/Frost_Mail.exe");
  PosixOsServices as_card({.program_path = "/cards/Frostmail.exe", .lock_path = ""});
  EXPECT_EQ(as_card.ProgramPath(), "/cards/Frostmail.exe");
}

TEST_F(PosixProgram, ResourcesAreTheCompiledInAssets) {
  const auto nativity = platform_.LoadResource("PICTURE", 201);
  ASSERT_TRUE(nativity);
  const auto embedded = resources::Find("PICTURE", 201);
  ASSERT_TRUE(embedded);
  EXPECT_TRUE(std::ranges::equal(*nativity, *embedded));
  EXPECT_EQ(platform_.LoadResource("PICTURE", 999), std::nullopt);
  EXPECT_EQ(platform_.LoadResource("CUSTOM", 201), std::nullopt);
}

}  // namespace
}  // namespace frost
