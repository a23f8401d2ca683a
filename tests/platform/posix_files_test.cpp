#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/posix/posix_os_services.h"
#include "platform_test_support.h"
#include "toolkit/errors.h"

extern char** environ;

namespace frost {
namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

class PosixFiles : public ::testing::Test {
 protected:
  // Expects the call to raise the run-time error with this number, naming the path.
  template <class Call>
  void ExpectError(int number, const std::string& path, Call call) {
    try {
      call();
      ADD_FAILURE() << "no error for " << path;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), number) << error.what();
      EXPECT_THAT(error.what(), ::testing::HasSubstr(path));
    }
  }

  static bool IsExecutable(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IXUSR) != 0;
  }

  PosixOsServices platform_;
  testing_support::ScratchFolder folder_;
  const std::string card_ = folder_.File("Frostmail.exe");
  const std::string copy_ = folder_.File("Frost_Mail.exe");
  const std::string bytes_ = std::string("MZ\0\x01\xff~end", 9);
};

TEST_F(PosixFiles, MissingFilesRaiseFileNotFound) {
  const std::string missing = folder_.File("missing.exe");
  ExpectError(error::kFileNotFound, missing, [&] { platform_.DeleteFile(missing); });
  ExpectError(error::kFileNotFound, missing, [&] { platform_.FileLength(missing); });
  ExpectError(error::kFileNotFound, missing,
              [&] { platform_.OpenBinary(missing, FileMode::Read); });
  const std::string in_missing_folder = folder_.File("nowhere/Frostmail.exe");
  ExpectError(error::kFileNotFound, in_missing_folder,
              [&] { platform_.WriteWholeFile(in_missing_folder, {}); });
  EXPECT_FALSE(std::filesystem::exists(copy_));
}

TEST_F(PosixFiles, ExistsLengthAndDelete) {
  WriteFile(card_, bytes_);

  EXPECT_TRUE(platform_.FileExists(card_));
  EXPECT_FALSE(platform_.FileExists(copy_));
  EXPECT_FALSE(platform_.FileExists(folder_.Path()));  // a folder is not a file
  EXPECT_EQ(platform_.FileLength(card_), 9);

  platform_.DeleteFile(card_);
  EXPECT_FALSE(platform_.FileExists(card_));
}

TEST_F(PosixFiles, ByteAccessCountsPositionsFromOne) {
  WriteFile(card_, bytes_);
  auto file = platform_.OpenBinary(card_, FileMode::Read);

  EXPECT_EQ(file->Length(), 9);
  EXPECT_EQ(file->GetByte(1), 'M');
  EXPECT_EQ(file->GetByte(3), 0);
  EXPECT_EQ(file->GetByte(4), 1);
  EXPECT_EQ(file->GetByte(5), 0xff);
  EXPECT_EQ(file->GetByte(9), 'd');
  EXPECT_EQ(file->GetByte(10), 0);  // past the end: nothing read, no error
  EXPECT_THROW(file->GetByte(0), RuntimeError);
}

TEST_F(PosixFiles, ByteWritesChangeAndExtendTheFile) {
  WriteFile(card_, bytes_);
  auto file = platform_.OpenBinary(card_, FileMode::ReadWrite);

  file->PutByte(1, 'm');
  const std::uint8_t tail[] = {'!', '?'};
  file->PutBytes(10, tail);

  EXPECT_EQ(file->Length(), 11);
  EXPECT_EQ(file->GetByte(1), 'm');
  file.reset();
  EXPECT_EQ(ReadFile(card_), "m" + bytes_.substr(1) + "!?");
  EXPECT_THROW(platform_.OpenBinary(card_, FileMode::ReadWrite)->PutByte(0, 1), RuntimeError);
}

TEST_F(PosixFiles, ReadWriteAccessCreatesTheFileAndReadAccessWritesNothing) {
  platform_.OpenBinary(copy_, FileMode::ReadWrite)->PutByte(3, 'x');
  EXPECT_EQ(ReadFile(copy_), std::string("\0\0x", 3));

  ExpectError(error::kPathFileAccess, copy_,
              [&] { platform_.OpenBinary(copy_, FileMode::Read)->PutByte(1, 'y'); });
  EXPECT_EQ(ReadFile(copy_), std::string("\0\0x", 3));
}

TEST_F(PosixFiles, WriteWholeFileReplacesTheContents) {
  WriteFile(card_, std::string(100, 'x'));
  const std::uint8_t tune[] = {'M', 'T', 'h', 'd'};

  platform_.WriteWholeFile(card_, tune);

  EXPECT_EQ(ReadFile(card_), "MThd");
}

// Linux refuses writes into a running program; the card must see "permission denied" and
// retry, as it would for a file in use.
TEST_F(PosixFiles, WritingIntoARunningProgramIsPermissionDenied) {
  std::filesystem::copy_file("/bin/sleep", card_);
  ::chmod(card_.c_str(), 0755);
  std::string program = card_, seconds = "10";
  char* argv[] = {program.data(), seconds.data(), nullptr};
  pid_t running = 0;
  ASSERT_EQ(posix_spawn(&running, card_.c_str(), nullptr, nullptr, argv, environ), 0);

  ExpectError(error::kPermissionDenied, card_, [&] { platform_.WriteWholeFile(card_, {}); });
  // A complete copy takes the name in one rename, which a running program does not prevent:
  // the hand-over relies on it.
  platform_.WriteCompleteCopy("/bin/true", card_, {});
  EXPECT_EQ(ReadFile(card_), ReadFile("/bin/true"));

  ::kill(running, SIGKILL);
  ::waitpid(running, nullptr, 0);
}

}  // namespace
}  // namespace frost

namespace frost {
namespace {

class CompleteCopy : public PosixFiles {
 protected:
  // The names in the folder, to see that no temporary file was left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(CompleteCopy, ReplacesTheTargetWithTheEditedBytesAndKeepsTheModeOfTheSource) {
  WriteFile(card_, bytes_);
  ::chmod(card_.c_str(), 0555);
  WriteFile(copy_, std::string(100, 'x'));
  ::chmod(copy_.c_str(), 0444);

  platform_.WriteCompleteCopy(card_, copy_, [](BinaryFile& file) { file.PutByte(2, 'z'); });

  EXPECT_EQ(ReadFile(copy_), "M" + std::string("z") + bytes_.substr(2));
  struct stat status {};
  ASSERT_EQ(::stat(copy_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0755u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Frost_Mail.exe", "Frostmail.exe"}));
}

TEST_F(CompleteCopy, OntoItsOwnSourceItRewritesTheFileWhole) {
  WriteFile(card_, bytes_);
  platform_.WriteCompleteCopy(card_, card_, [](BinaryFile& file) { file.PutByte(9, 'D'); });
  EXPECT_EQ(ReadFile(card_), bytes_.substr(0, 8) + "D");
  EXPECT_EQ(Names(), std::vector<std::string>{"Frostmail.exe"});
}

TEST_F(CompleteCopy, AnAbandonedOrMisshapenCopyLeavesTheTargetAndNoOtherFile) {
  WriteFile(card_, bytes_);
  WriteFile(copy_, "older copy");
  EXPECT_THROW(platform_.WriteCompleteCopy(card_, copy_,
                                           [](BinaryFile&) { throw RuntimeError(5, "stop here"); }),
               RuntimeError);
  EXPECT_THROW(platform_.WriteCompleteCopy(card_, copy_, [](BinaryFile&) { throw EndProgram{}; }),
               EndProgram);
  ExpectError(error::kPathFileAccess, copy_, [&] {
    platform_.WriteCompleteCopy(card_, copy_, [](BinaryFile& file) { file.PutByte(20, '!'); });
  });
  EXPECT_EQ(ReadFile(copy_), "older copy");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Frost_Mail.exe", "Frostmail.exe"}));
}

TEST_F(CompleteCopy, FailuresNameTheTargetAndLeaveNothing) {
  const std::string missing = folder_.File("missing.exe");
  ExpectError(error::kFileNotFound, missing,
              [&] { platform_.WriteCompleteCopy(missing, copy_, {}); });
  WriteFile(card_, bytes_);
  const std::string in_missing_folder = folder_.File("nowhere/Frost_Mail.exe");
  ExpectError(error::kFileNotFound, in_missing_folder,
              [&] { platform_.WriteCompleteCopy(card_, in_missing_folder, {}); });
  EXPECT_EQ(Names(), std::vector<std::string>{"Frostmail.exe"});
}

TEST_F(CompleteCopy, FilesAreIdenticalOnlyByteForByte) {
  WriteFile(card_, bytes_);
  WriteFile(copy_, bytes_);
  EXPECT_TRUE(platform_.FilesIdentical(card_, copy_));
  WriteFile(copy_, bytes_.substr(0, 8) + "D");
  EXPECT_FALSE(platform_.FilesIdentical(card_, copy_));
  WriteFile(copy_, bytes_ + "x");
  EXPECT_FALSE(platform_.FilesIdentical(card_, copy_));
  // Longer than one read: a difference in the last byte still counts.
  const std::string big(200'000, 'b');
  WriteFile(card_, big);
  WriteFile(copy_, big.substr(0, big.size() - 1) + "c");
  EXPECT_FALSE(platform_.FilesIdentical(card_, copy_));
  WriteFile(copy_, big);
  EXPECT_TRUE(platform_.FilesIdentical(card_, copy_));
}

}  // namespace
}  // namespace frost
