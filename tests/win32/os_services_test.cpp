#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/win32/win32_os_services.h"
#include "platform/win32/windows_prelude.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The card's paths are UTF-8.
fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(PathOf(path), std::ios::binary) << bytes;
}

// A fresh folder in the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = fs::temp_directory_path() / ("frost-win32-" + std::to_string(GetCurrentProcessId()) +
                                         "-" + std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  // The names of the files in the folder.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string File(const std::string& name) const {
    const std::u8string path = (path_ / PathOf(name)).u8string();
    return {path.begin(), path.end()};
  }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

class Win32Os : public ::testing::Test {
 protected:
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

  Win32OsServices platform_{{.program_path = "", .mutex_name = ""}};
  ScratchFolder folder_;
  const std::string card_ = folder_.File("Frostmail.exe");
  const std::string copy_ = folder_.File("Frost_Mail.exe");
  const std::string bytes_ = std::string("MZ\0\x01\xff~end", 9);
};

TEST_F(Win32Os, ACopyReplacesALongerTargetWithWhatFinishMadeAndLeavesNoPartBehind) {
  WriteFile(card_, bytes_);
  WriteFile(copy_, std::string(100, 'x'));

  platform_.WriteCompleteCopy(card_, copy_, [](BinaryFile& copy) { copy.PutByte(9, 'E'); });

  EXPECT_EQ(ReadFile(copy_), bytes_.substr(0, 8) + "E");
  EXPECT_THAT(folder_.Names(), ::testing::ElementsAre("Frost_Mail.exe", "Frostmail.exe"));
  EXPECT_FALSE(platform_.FilesIdentical(card_, copy_));
  platform_.WriteCompleteCopy(card_, copy_, nullptr);
  EXPECT_TRUE(platform_.FilesIdentical(card_, copy_));
}

TEST_F(Win32Os, AnAbandonedOrMisshapenCopyLeavesTheTargetAsItWas) {
  WriteFile(card_, bytes_);
  WriteFile(copy_, "old");
  const auto abandon = [](BinaryFile&) { throw RuntimeError(error::kInvalidCall, "abandoned"); };
  const auto lengthen = [](BinaryFile& copy) { copy.PutByte(20, 'x'); };

  EXPECT_THROW(platform_.WriteCompleteCopy(card_, copy_, abandon), RuntimeError);
  ExpectError(error::kPathFileAccess, copy_,
              [&] { platform_.WriteCompleteCopy(card_, copy_, lengthen); });
  ExpectError(error::kPermissionDenied, card_,
              [&] { platform_.WriteCompleteCopy(card_, card_, nullptr); });

  EXPECT_EQ(ReadFile(copy_), "old");
  EXPECT_EQ(ReadFile(card_), bytes_);
  EXPECT_THAT(folder_.Names(), ::testing::ElementsAre("Frost_Mail.exe", "Frostmail.exe"));
}

TEST_F(Win32Os, FilesAreIdenticalOnlyWithTheSameBytesBeyondTheFirstChunk) {
  const std::string large(200000, 'a');
  WriteFile(card_, large);
  WriteFile(copy_, large);
  EXPECT_TRUE(platform_.FilesIdentical(card_, copy_));
  WriteFile(copy_, large.substr(0, 150000) + "b" + large.substr(150001));
  EXPECT_FALSE(platform_.FilesIdentical(card_, copy_));
  WriteFile(copy_, large + "a");
  EXPECT_FALSE(platform_.FilesIdentical(card_, copy_));
}

TEST_F(Win32Os, MissingFilesRaiseFileNotFound) {
  const std::string missing = folder_.File("missing.exe");
  ExpectError(error::kFileNotFound, missing,
              [&] { platform_.WriteCompleteCopy(missing, copy_, nullptr); });
  ExpectError(error::kFileNotFound, missing, [&] { platform_.FilesIdentical(missing, copy_); });
  ExpectError(error::kFileNotFound, missing, [&] { platform_.DeleteFile(missing); });
  ExpectError(error::kFileNotFound, missing, [&] { platform_.FileLength(missing); });
  ExpectError(error::kFileNotFound, missing,
              [&] { platform_.OpenBinary(missing, FileMode::Read); });
  const std::string in_missing_folder = folder_.File("nowhere\\Frostmail.exe");
  ExpectError(error::kFileNotFound, in_missing_folder,
              [&] { platform_.WriteWholeFile(in_missing_folder, {}); });
  EXPECT_FALSE(platform_.FileExists(copy_));
  EXPECT_THAT(folder_.Names(), ::testing::IsEmpty());
}

TEST_F(Win32Os, PathsOutsideTheAnsiCodePageWork) {
  const std::string greek =
      folder_.File("\xce\xba\xce\xac\xcf\x81\xcf\x84\xce\xb1 \xe2\x82\xac.exe");
  WriteFile(card_, bytes_);

  platform_.WriteCompleteCopy(card_, greek, nullptr);

  EXPECT_TRUE(platform_.FileExists(greek));
  EXPECT_EQ(platform_.FileLength(greek), 9);
  EXPECT_EQ(platform_.OpenBinary(greek, FileMode::Read)->GetByte(6), '~');
  platform_.DeleteFile(greek);
  EXPECT_FALSE(platform_.FileExists(greek));
  EXPECT_FALSE(platform_.FileExists(folder_.File("")));  // a folder is not a file
}

TEST_F(Win32Os, ByteAccessCountsFromOneAndExtendsTheFile) {
  WriteFile(card_, bytes_);
  auto file = platform_.OpenBinary(card_, FileMode::ReadWrite);

  EXPECT_EQ(file->GetByte(5), 0xff);
  EXPECT_EQ(file->GetByte(10), 0);  // past the end: nothing read, no error
  EXPECT_THROW(file->GetByte(0), RuntimeError);
  file->PutByte(1, 'm');
  const std::uint8_t tail[] = {'!', '?'};
  file->PutBytes(10, tail);
  EXPECT_EQ(file->Length(), 11);
  file.reset();
  EXPECT_EQ(ReadFile(card_), "m" + bytes_.substr(1) + "!?");

  platform_.WriteWholeFile(card_, tail);
  EXPECT_EQ(ReadFile(card_), "!?");
}

// The hand-over's wait loops exist because Windows refuses to delete or overwrite a program
// file while it runs. Started through the same call the hand-over uses, a running copy keeps
// its file until it ends; retrying as the hand-over does then succeeds.
TEST_F(Win32Os, ARunningProgramFileCannotBeDeletedOrReplacedUntilItEnds) {
  const std::string running = folder_.File("Lingering.exe");
  platform_.WriteCompleteCopy(platform_.ProgramPath(), running, nullptr);
  WriteFile(card_, bytes_);

  ASSERT_GT(platform_.ShellExecuteOpen(running), 32);
  const std::string started = folder_.File("Lingering.started");
  for (int tries = 0; tries < 100 && !platform_.FileExists(started); ++tries)
    std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(platform_.FileExists(started));

  ExpectError(error::kPermissionDenied, running, [&] { platform_.DeleteFile(running); });
  ExpectError(error::kPermissionDenied, running,
              [&] { platform_.WriteCompleteCopy(card_, running, nullptr); });
  EXPECT_TRUE(platform_.FileExists(running));
  EXPECT_THAT(folder_.Names(),
              ::testing::ElementsAre("Frostmail.exe", "Lingering.exe", "Lingering.started"));

  bool deleted = false;
  for (int tries = 0; tries < 50 && !deleted; ++tries) {
    try {
      platform_.DeleteFile(running);
      deleted = true;
    } catch (const RuntimeError&) {
      std::this_thread::sleep_for(300ms);
    }
  }
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(platform_.FileExists(running));
}

TEST_F(Win32Os, TheSingleInstanceGuardIsHeldUntilReleased) {
  const std::string name = "Local\\frost-test-" + std::to_string(GetCurrentProcessId());
  Win32OsServices first({.program_path = "", .mutex_name = name});
  Win32OsServices second({.program_path = "", .mutex_name = name});

  EXPECT_TRUE(first.AcquireSingleInstance());
  EXPECT_TRUE(first.AcquireSingleInstance());  // held already
  EXPECT_FALSE(second.AcquireSingleInstance());
  first.ReleaseSingleInstance();
  EXPECT_TRUE(second.AcquireSingleInstance());
  EXPECT_FALSE(first.AcquireSingleInstance());
}

// A name Windows cannot make (a backslash past the namespace) must not stop the card, nor pass
// for a guard in silence.
TEST_F(Win32Os, AGuardThatCannotBeMadeLetsTheCardRunAndSaysSo) {
  Win32OsServices card({.program_path = "", .mutex_name = "Local\\no\\such\\folder"});
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(card.AcquireSingleInstance());
  EXPECT_THAT(::testing::internal::GetCapturedStderr(),
              ::testing::HasSubstr("running without the single-instance guard"));
}

TEST_F(Win32Os, EnvironmentPrivateFolderAndProgramPath) {
  SetEnvironmentVariableW(L"FROST_TEST_VALUE", L"C:\\Gr\u00fc\u00dfe");
  SetEnvironmentVariableW(L"FROST_TEST_EMPTY", L"");
  EXPECT_EQ(platform_.Environment("frost_test_value"),
            "C:\\Gr\xc3\xbc\xc3\x9f"
            "e");
  EXPECT_EQ(platform_.Environment("FROST_TEST_EMPTY"), "");
  EXPECT_EQ(platform_.Environment("FROST_TEST_MISSING"), std::nullopt);

  const std::string folder = platform_.PrivateFolder();
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(fs::is_directory(PathOf(folder)));

  EXPECT_THAT(platform_.ProgramPath(), ::testing::EndsWith("\\win32_test.exe"));
  EXPECT_TRUE(platform_.FileExists(platform_.ProgramPath()));
  Win32OsServices elsewhere({.program_path = card_, .mutex_name = ""});
  EXPECT_EQ(elsewhere.ProgramPath(), card_);
}

}  // namespace
}  // namespace frost
