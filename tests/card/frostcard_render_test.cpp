// End to end: `frostcard render` runs the real show headless; the trace and the frames are
// checked as a user would see them.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "support/commands.h"
#include "support/png_image.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

using testing::LoadPng;
using testing::Png;
using testing::RunCommand;

const std::string kFrostcard = std::string(FROST_BINARY_DIR) + "/frostcard";

struct TraceLine {
  double at;
  std::string phase;
};

class FrostcardRenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new testing::TempFolder;
    status = RunCommand(kFrostcard + " render --seed 1 --until 80 --at 3,6,20,60 --out " +
                        folder->Path().string() + " --trace " + folder->File("trace.txt"));
  }
  static void TearDownTestSuite() { delete folder; }

  static std::vector<TraceLine> Trace() {
    std::vector<TraceLine> lines;
    std::ifstream in(folder->File("trace.txt"));
    for (TraceLine line; in >> line.at >> line.phase;) lines.push_back(line);
    return lines;
  }
  static Png Frame(const std::string& at) { return LoadPng(folder->File("frame-" + at + ".png")); }

  static testing::TempFolder* folder;
  static int status;
};
testing::TempFolder* FrostcardRenderTest::folder = nullptr;
int FrostcardRenderTest::status = -1;

TEST_F(FrostcardRenderTest, TraceListsTheThirteenPhasesInOrderAtTheirTimes) {
  ASSERT_EQ(status, 0);
  const std::vector<std::pair<std::string, double>> nominal = {
      {"DrawSnow", 0},      {"DrawBack", 7},       {"DrawTree", 7},      {"AnimTree", 11},
      {"Pause1", 15},       {"DrawNativity", 25},  {"AnimNativity", 28}, {"DrawGreeting", 35},
      {"AnimGreeting", 42}, {"DrawFireworks", 43}, {"ReDrawTree", 44},   {"DrawFireworks1", 51},
      {"DrawRandSnow", 54}};
  const auto trace = Trace();
  ASSERT_EQ(trace.size(), nominal.size());
  EXPECT_EQ(trace[0].at, 0.0);
  for (std::size_t i = 0; i < trace.size(); ++i) {
    EXPECT_EQ(trace[i].phase, nominal[i].first);
    // Painting only ever delays a phase, and not by much on the virtual clock.
    EXPECT_GE(trace[i].at, nominal[i].second) << trace[i].phase;
    EXPECT_LT(trace[i].at, nominal[i].second + 8) << trace[i].phase;
  }
}

TEST_F(FrostcardRenderTest, FramesShowSnowFallingOverTheNativityPicture) {
  const Png early = Frame("3"), later = Frame("6");
  ASSERT_EQ(early.width, 516);
  ASSERT_EQ(early.height, 607);
  ASSERT_EQ(later.width, 516);
  int moved = 0;
  long brightness = 0;
  for (int y = 40; y < 560; ++y) {
    for (int x = 0; x < 516; ++x) {
      const unsigned char* a = early.At(x, y);
      const unsigned char* b = later.At(x, y);
      moved += a[0] != b[0] || a[1] != b[1] || a[2] != b[2];
      brightness += a[0];
    }
  }
  EXPECT_GT(moved, 300);                     // flakes are somewhere else three seconds on
  EXPECT_LT(moved, 516 * 520 / 10);          // ... over a picture that stays put
  EXPECT_LT(brightness / (516 * 520), 140);  // a night scene, not the bright backdrop
}

TEST_F(FrostcardRenderTest, TheLitTreeStandsInTheMiddle) {
  const Png frame = Frame("20");
  ASSERT_EQ(frame.width, 516);
  // The bottom tier's middle ball on its base line (x 3850, y 7700 twips) glows gold.
  const unsigned char* ball = frame.At(3850 / 15, 7700 / 15);
  EXPECT_GT(ball[0], 200);
  EXPECT_GT(ball[1], 140);
  EXPECT_LT(ball[2], ball[1]);
}

TEST_F(FrostcardRenderTest, AfterReDrawTreeTheWindowIsShapedToTheTree) {
  const Png frame = Frame("60");
  ASSERT_EQ(frame.width, 516);
  EXPECT_EQ(frame.At(5, 5)[3], 0);        // a corner lies outside the region
  EXPECT_EQ(frame.At(257, 400)[3], 255);  // the middle of the tree is inside it
}

TEST(FrostcardOptionsTest, BadOptionsGiveTheUsageAndExitCode2) {
  EXPECT_EQ(RunCommand(kFrostcard), 2);
  EXPECT_EQ(RunCommand(kFrostcard + " render --until soon"), 2);
  EXPECT_EQ(RunCommand(kFrostcard + " render --at 3,x"), 2);
  EXPECT_EQ(RunCommand(kFrostcard + " render --seed"), 2);
  EXPECT_EQ(RunCommand(kFrostcard + " render --colour red"), 2);
}

}  // namespace
}  // namespace frost
