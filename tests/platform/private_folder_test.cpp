// The user's private folder for the tune and the single-instance lock, and files written
// without following links.
#include "platform/posix/private_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/posix_os_services.h"
#include "platform_test_support.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ScopedEnvironment;
using testing_support::WriteFile;

class PrivateFolderTest : public ::testing::Test {
 protected:
  std::string Folder(const std::string& name, mode_t mode) {
    const std::string path = temp_.File(name);
    fs::create_directory(path);
    ::chmod(path.c_str(), mode);
    return path;
  }
  const std::string own_ = "frostmail-" + std::to_string(::getuid());
  std::string Own() const { return temp_.File(own_); }

  testing_support::ScratchFolder temp_;
  ScopedEnvironment tmpdir_{"TMPDIR", temp_.Path().string() + "/"};
  ScopedEnvironment runtime_{"XDG_RUNTIME_DIR", std::nullopt};
  std::string why_;
};

TEST_F(PrivateFolderTest, OnlyAFolderOfTheUsersOwnClosedToOthersIsPrivate) {
  EXPECT_TRUE(IsPrivateFolder(Folder("mine", 0700), ::getuid(), why_));
  EXPECT_FALSE(IsPrivateFolder(Folder("mine", 0700), ::getuid() + 1, why_));
  EXPECT_EQ(why_, temp_.File("mine") + " belongs to another user");
  EXPECT_FALSE(IsPrivateFolder(Folder("shared", 0755), ::getuid(), why_));
  EXPECT_EQ(why_, temp_.File("shared") + " is open to other users");
  fs::create_directory_symlink(temp_.File("mine"), temp_.File("link"));
  EXPECT_FALSE(IsPrivateFolder(temp_.File("link"), ::getuid(), why_));
  EXPECT_FALSE(IsPrivateFolder(temp_.File("missing"), ::getuid(), why_));
}

TEST_F(PrivateFolderTest, TheRuntimeFolderWhenPrivateElseAFolderMadeInTheTemporaryFolder) {
  {
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", Folder("run", 0700));
    EXPECT_EQ(PrivateFolder(why_), temp_.File("run"));
  }
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", Folder("open-run", 0777));
  EXPECT_EQ(PrivateFolder(why_), Own());
  struct stat status {};
  ASSERT_EQ(::lstat(Own().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  EXPECT_EQ(PrivateFolder(why_), Own()) << "made once, then used again";
}

TEST_F(PrivateFolderTest, WhatAnotherUserPlantedUnderTheFoldersNameIsRefused) {
  fs::create_directory_symlink(Folder("attacker", 0700), Own());
  EXPECT_EQ(PrivateFolder(why_), std::nullopt);
  EXPECT_EQ(why_, Own() + " is not a folder");
  fs::remove(Own());
  Folder(own_, 0777);
  EXPECT_EQ(PrivateFolder(why_), std::nullopt);
  // Without a private place the card runs without its guard and says so.
  EXPECT_EQ(DefaultLockPath(), "");
  PosixOsServices platform;
  EXPECT_TRUE(platform.AcquireSingleInstance());
  EXPECT_THROW(platform.PrivateFolder(), RuntimeError);
}

TEST_F(PrivateFolderTest, TheLockLiesInThePrivateFolderAndNamesTheUser) {
  EXPECT_EQ(DefaultLockPath(), Own() + "/frostmail-" + std::to_string(::getuid()) + ".lock");
}

TEST_F(PrivateFolderTest, AWholeFileIsNeverWrittenThroughALinkOrIntoAnotherName) {
  PosixOsServices platform({.program_path = "", .lock_path = ""});
  const std::string victim = temp_.File("victim"), tune = temp_.File("mm.mid");
  WriteFile(victim, "precious");
  const std::uint8_t bytes[] = {'M', 'T', 'h', 'd'};
  fs::create_symlink(victim, tune);
  EXPECT_THROW(platform.WriteWholeFile(tune, bytes), RuntimeError);
  fs::remove(tune);
  fs::create_hard_link(victim, tune);
  EXPECT_THROW(platform.WriteWholeFile(tune, bytes), RuntimeError);
  EXPECT_EQ(ReadFile(victim), "precious");
}

}  // namespace
}  // namespace frost
