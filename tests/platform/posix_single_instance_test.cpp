#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/posix/posix_os_services.h"
#include "platform_test_support.h"

namespace frost {
namespace {

using testing_support::WaitForLine;
using testing_support::WriteScript;

class SingleInstance : public ::testing::Test {
 protected:
  PosixOsOptions WithLock() const { return {.program_path = "", .lock_path = lock_}; }

  testing_support::ScratchFolder folder_;
  const std::string lock_ = folder_.File("frostmail.lock");
  PosixOsServices platform_{WithLock()};
};

TEST_F(SingleInstance, OnlyTheFirstInstanceHoldsTheGuard) {
  PosixOsServices second(WithLock());

  EXPECT_TRUE(platform_.AcquireSingleInstance());
  EXPECT_TRUE(platform_.AcquireSingleInstance());  // holding it already
  EXPECT_FALSE(second.AcquireSingleInstance());

  platform_.ReleaseSingleInstance();
  EXPECT_TRUE(second.AcquireSingleInstance());
  EXPECT_FALSE(platform_.AcquireSingleInstance());
}

TEST_F(SingleInstance, TheGuardEndsWithItsPlatform) {
  {
    PosixOsServices first(WithLock());
    ASSERT_TRUE(first.AcquireSingleInstance());
  }
  EXPECT_TRUE(platform_.AcquireSingleInstance());
}

// The card starts its personalised copy while it still holds the guard; the copy, and what
// it starts in turn, must find the guard free once the card has ended.
TEST_F(SingleInstance, AStartedProgramDoesNotInheritTheGuard) {
  const std::string program = folder_.File("Frost_Mail.exe");
  const std::string marker = folder_.File("marker");
  WriteScript(program, "echo $$ > " + marker + "\nexec sleep 5\n");
  ASSERT_TRUE(platform_.AcquireSingleInstance());
  ASSERT_EQ(platform_.ShellExecuteOpen(program), kShellExecuteStarted);
  const auto child = WaitForLine(marker);
  ASSERT_TRUE(child) << "the program did not run";

  platform_.ReleaseSingleInstance();
  PosixOsServices next(WithLock());
  EXPECT_TRUE(next.AcquireSingleInstance());

  ::kill(std::stoi(*child), SIGKILL);
}

TEST_F(SingleInstance, AGuardThatCannotBeCreatedLetsTheCardRun) {
  platform_.SetInstanceGuard(folder_.File("no-such-folder/frostmail.lock"));
  EXPECT_TRUE(platform_.AcquireSingleInstance());
}

}  // namespace
}  // namespace frost
