#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "platform_test_support.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

class Headless : public ::testing::Test {
 protected:
  HeadlessOs os_;
};

TEST(HeadlessWindow, RecordsMessageBoxesInOrder) {
  RecordedMessageBoxes window;
  window.MessageBox("Permission denied: /cards/Frost_Mail.exe", "Frostmail");
  window.MessageBox("second", "");

  EXPECT_EQ(window.message_boxes,
            (std::vector<MessageBoxCall>{{"Permission denied: /cards/Frost_Mail.exe", "Frostmail"},
                                         {"second", ""}}));
}

TEST_F(Headless, RecordsWhatItWouldOpenAndReportsSuccess) {
  EXPECT_EQ(os_.ShellExecuteOpen("/cards/Frost_Mail.exe"), kShellExecuteStarted);
  EXPECT_EQ(os_.ShellExecuteOpen("https://example.org"), kShellExecuteStarted);

  EXPECT_EQ(os_.opened_files,
            (std::vector<std::string>{"/cards/Frost_Mail.exe", "https://example.org"}));
}

TEST_F(Headless, RunsSideBySideUnlessGivenALock) {
  HeadlessOs other;
  EXPECT_TRUE(os_.AcquireSingleInstance());
  EXPECT_TRUE(other.AcquireSingleInstance());

  testing_support::ScratchFolder folder;
  HeadlessOs first;
  HeadlessOs second;
  first.SetInstanceGuard(folder.File("card.lock"));
  second.SetInstanceGuard(folder.File("card.lock"));
  EXPECT_TRUE(first.AcquireSingleInstance());
  EXPECT_FALSE(second.AcquireSingleInstance());
}

}  // namespace
}  // namespace frost

namespace frost {
namespace {

// The injected faults fail the copy where a full disk, a failing device or a peer would, and
// the complete copy's own clean-up still leaves the target as it was.
class HeadlessFaults : public Headless {
 protected:
  HeadlessFaults() { testing_support::WriteFile(card_, std::string(1000, 'c')); }
  std::string Copy() { return testing_support::ReadFile(copy_); }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder_.Path()),
                      std::filesystem::directory_iterator{}));
  }

  testing_support::ScratchFolder folder_;
  const std::string card_ = folder_.File("Frostmail.exe");
  const std::string copy_ = folder_.File("Frost_Mail.exe");
};

TEST_F(HeadlessFaults, ACopyRunsOutOfSpaceAfterTheGivenBytes) {
  os_.faults.space_for_bytes = 300;
  try {
    os_.WriteCompleteCopy(card_, copy_, {});
    ADD_FAILURE() << "the copy did not fail";
  } catch (const RuntimeError& failure) {
    EXPECT_THAT(failure.what(), ::testing::HasSubstr("No space left on device"));
    EXPECT_THAT(failure.what(), ::testing::HasSubstr(copy_));
  }
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(HeadlessFaults, TheChosenByteWriteFailsAndTheOthersGoThrough) {
  os_.faults.failing_byte_write = 3;
  auto writeBytes = [&](BinaryFile& file) {
    for (int i = 1; i <= 2; ++i) file.PutByte(i, 'w');
  };
  os_.WriteCompleteCopy(card_, copy_, writeBytes);
  EXPECT_EQ(Copy().substr(0, 3), "wwc");
  EXPECT_THROW(os_.WriteCompleteCopy(card_, copy_, writeBytes), RuntimeError);
  EXPECT_EQ(Copy().substr(0, 3), "wwc");
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(HeadlessFaults, RenamesAreRefusedAsOftenAsAPeerHoldsTheTarget) {
  testing_support::WriteFile(copy_, "held");
  os_.faults.refused_renames = 1;
  EXPECT_THROW(os_.WriteCompleteCopy(card_, copy_, {}), RuntimeError);
  EXPECT_EQ(Copy(), "held");
  os_.WriteCompleteCopy(card_, copy_, {});
  EXPECT_EQ(Copy(), std::string(1000, 'c'));
}

TEST_F(HeadlessFaults, AFailingStartStartsNothing) {
  os_.faults.start_result = 5;
  EXPECT_EQ(os_.ShellExecuteOpen(copy_), 5);
  EXPECT_TRUE(os_.opened_files.empty());
}

}  // namespace
}  // namespace frost
