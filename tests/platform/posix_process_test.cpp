#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/posix/posix_os_services.h"
#include "platform_test_support.h"

namespace frost {
namespace {

using testing_support::ScopedEnvironment;
using testing_support::WaitForLine;
using testing_support::WriteFile;
using testing_support::WriteScript;

class PosixProcess : public ::testing::Test {
 protected:
  PosixOsServices platform_{{.program_path = "", .lock_path = ""}};
  testing_support::ScratchFolder folder_;
  const std::string marker_ = folder_.File("marker");
};

TEST_F(PosixProcess, StartsAnExecutableInASessionOfItsOwn) {
  const std::string program = folder_.File("Frostmail.exe");
  WriteScript(program,
              "read -r _ _ _ _ _ session _ < /proc/$$/stat\necho \"$session\" > " + marker_ + "\n");

  EXPECT_EQ(platform_.ShellExecuteOpen(program), kShellExecuteStarted);

  const auto session = WaitForLine(marker_);
  ASSERT_TRUE(session) << "the program did not run";
  EXPECT_NE(std::stoi(*session), ::getsid(0));
}

TEST_F(PosixProcess, MissingFileIsNotFound) {
  EXPECT_EQ(platform_.ShellExecuteOpen(folder_.File("Frost_Mail.exe")), 2);
}

TEST_F(PosixProcess, AddressesAndDocumentsGoToTheDesktopOpener) {
  WriteScript(folder_.File("xdg-open"), "echo \"$1\" > " + marker_ + "\n");
  ScopedEnvironment path("PATH", folder_.Path().string());
  const std::string document = folder_.File("mm.mid");
  WriteFile(document, "MThd");

  EXPECT_EQ(platform_.ShellExecuteOpen("https://example.org/card"), kShellExecuteStarted);
  EXPECT_EQ(WaitForLine(marker_), "https://example.org/card");
  std::filesystem::remove(marker_);
  EXPECT_EQ(platform_.ShellExecuteOpen(document), kShellExecuteStarted);
  EXPECT_EQ(WaitForLine(marker_), document);
}

TEST_F(PosixProcess, WithoutADesktopOpenerAnAddressHasNoAssociation) {
  ScopedEnvironment path("PATH", folder_.Path().string());
  EXPECT_EQ(platform_.ShellExecuteOpen("https://example.org/card"), 31);
}

}  // namespace
}  // namespace frost
