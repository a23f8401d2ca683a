// End to end: `frostcard export` makes a video of the real show with its music. The videos are
// read back with FFmpeg's own tools, as a receiver's player would read them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "support/commands.h"
#include "support/png_image.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

namespace fs = std::filesystem;
using testing::LoadPng;
using testing::Png;
using testing::RunCapturing;
using testing::RunCommand;
using testing::TempFolder;

const std::string kBuild = FROST_BINARY_DIR;
const std::string kFrostcard = kBuild + "/frostcard";
constexpr double kFrame = 1.0 / 30;
constexpr double kAudible = 0.01;  // RMS, full scale = 1

// ffprobe's view of a file: "streams.stream.1.sample_rate" -> "44100", "format.duration" -> ...
std::map<std::string, std::string> Probe(const std::string& file) {
  std::map<std::string, std::string> facts;
  std::istringstream lines(RunCapturing("ffprobe -v error -show_entries "
                                        "stream=codec_type,codec_name,width,height,pix_fmt,"
                                        "r_frame_rate,sample_rate,duration:format=duration "
                                        "-of flat '" +
                                        file + "'")
                               .output);
  for (std::string line; std::getline(lines, line);) {
    const auto equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    std::string value = line.substr(equals + 1);
    if (value.size() >= 2 && value.front() == '"')
      value = value.substr(1, value.size() - 2);
    facts[line.substr(0, equals)] = value;
  }
  return facts;
}

double Seconds(const std::string& text) {
  return text.empty() ? -1 : std::stod(text);
}

// The sound track as mono samples at 44.1 kHz.
std::vector<float> DecodeSound(const std::string& file) {
  const std::string bytes =
      RunCapturing("ffmpeg -v error -i '" + file + "' -ac 1 -ar 44100 -f f32le -").output;
  std::vector<float> samples(bytes.size() / sizeof(float));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
  return samples;
}

double Rms(const std::vector<float>& samples, double from, double to) {
  const auto begin = static_cast<std::size_t>(from * 44100);
  const auto end = std::min(samples.size(), static_cast<std::size_t>(to * 44100));
  double sum = 0;
  for (std::size_t i = begin; i < end; ++i) sum += samples[i] * samples[i];
  return end > begin ? std::sqrt(sum / (end - begin)) : 0;
}

Png DecodeFrame(const std::string& video, double seconds, const std::string& png) {
  RunCommand("ffmpeg -v error -ss " + std::to_string(seconds) + " -i '" + video +
             "' -frames:v 1 -sws_flags accurate_rnd+full_chroma_int+bicubic -y '" + png + "'");
  return LoadPng(png);
}

struct Box {
  int left, top, right, bottom;
};

// PSNR of `video` against `render` over the pixels of `box` inside the render's window region.
double RegionPsnr(const Png& render, const Png& video, Box box) {
  double squares = 0;
  long count = 0;
  for (int y = box.top; y < std::min({box.bottom, render.height, video.height}); ++y) {
    for (int x = box.left; x < std::min({box.right, render.width, video.width}); ++x) {
      if (render.At(x, y)[3] != 255)
        continue;
      for (int c = 0; c < 3; ++c) {
        const double d = render.At(x, y)[c] - video.At(x, y)[c];
        squares += d * d;
      }
      count += 3;
    }
  }
  return count == 0 ? 0 : 10 * std::log10(255.0 * 255.0 / (squares / count));
}

constexpr Box kWholeFrame{0, 0, 1 << 20, 1 << 20};

void ExpectColourNear(const unsigned char* pixel, int r, int g, int b) {
  EXPECT_NEAR(pixel[0], r, 8);
  EXPECT_NEAR(pixel[1], g, 8);
  EXPECT_NEAR(pixel[2], b, 8);
}

// --- the whole show as MP4 ----------------------------------------------------------------------

void ExpectAnEightySecondMp4ThatPlaysWhileItDownloads(const std::string& file) {
  auto facts = Probe(file);
  EXPECT_NEAR(Seconds(facts["format.duration"]), 80, kFrame);
  EXPECT_EQ(facts["streams.stream.0.codec_name"], "h264");
  EXPECT_EQ(facts["streams.stream.0.pix_fmt"], "yuv420p");
  EXPECT_EQ(facts["streams.stream.0.r_frame_rate"], "30/1");
  EXPECT_EQ(facts["streams.stream.0.width"], "516");
  EXPECT_EQ(facts["streams.stream.0.height"], "608");  // 607 padded to even
  EXPECT_EQ(facts["streams.stream.1.codec_name"], "aac");
  EXPECT_EQ(facts["streams.stream.1.sample_rate"], "44100");
  EXPECT_NEAR(Seconds(facts["streams.stream.1.duration"]), 80, kFrame);

  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));  // the index comes first
  EXPECT_LT(bytes.size(), 10u << 20);
}

void ExpectMusicThroughTheShowAndSilenceAfterItsStop(const std::string& file) {
  const auto sound = DecodeSound(file);
  for (int second = 1; second < 70; ++second) {
    EXPECT_GT(Rms(sound, second, second + 1), kAudible) << "at " << second << " s";
  }
  EXPECT_LT(Rms(sound, 76, 80), kAudible);
  EXPECT_LT(Rms(sound, 77, 80), kAudible / 10);
}

// The whole show is exported once (it takes seconds), and its aspects are checked in turn.
TEST(FrostcardExportMp4, TheWholeShowWithItsMusic) {
#if defined(__SANITIZE_ADDRESS__)
  // The short exports below run under the sanitizers too.
  GTEST_SKIP() << "the 80-second export is left to the default preset";
#endif
  TempFolder folder;
  const std::string video = folder.File("card.mp4");
  ASSERT_EQ(RunCommand(kFrostcard + " export --seed 1 --out " + video), 0);
  ASSERT_EQ(RunCommand(kFrostcard + " render --seed 1 --until 21 --at 20 --out " +
                       folder.Path().string()),
            0);
  ExpectAnEightySecondMp4ThatPlaysWhileItDownloads(video);
  ExpectMusicThroughTheShowAndSilenceAfterItsStop(video);

  const Png rendered = LoadPng(folder.File("frame-20.png"));
  const Png frame = DecodeFrame(video, 20, folder.File("video-20.png"));
  ASSERT_EQ(frame.width, 516);
  EXPECT_GT(RegionPsnr(rendered, frame, kWholeFrame), 35);

  const Png shaped = DecodeFrame(video, 78, folder.File("video-78.png"));
  ASSERT_EQ(shaped.height, 608);
  ExpectColourNear(shaped.At(5, 5), 0x0B, 0x10, 0x24);      // a corner outside the tree's region
  ExpectColourNear(shaped.At(300, 607), 0x0B, 0x10, 0x24);  // the padding row
}

// --- short exports ---------------------------------------------------------------------------

TEST(FrostcardExportKinds, WebmAndGifOpenWithTheirDurationAndSizeAndNothingOnStderr) {
  TempFolder folder;
  for (const std::string kind : {"webm", "gif"}) {
    const std::string video = folder.File("card." + kind);
    const auto run =
        RunCapturing(kFrostcard + " export --until 2 --outside '#203040' --out " + video + " 2>&1");
    EXPECT_EQ(run.status, 0) << kind;
    EXPECT_EQ(run.output, "") << kind;  // no progress bar when stderr is no terminal
    auto facts = Probe(video);
    EXPECT_NEAR(Seconds(facts["format.duration"]), 2, kFrame) << kind;
    EXPECT_EQ(facts["streams.stream.0.codec_name"], kind == "gif" ? "gif" : "vp9");
    EXPECT_EQ(facts["streams.stream.0.width"], "516") << kind;
    EXPECT_EQ(facts["streams.stream.0.height"], "608") << kind;
    EXPECT_EQ(facts["streams.stream.1.codec_name"], kind == "gif" ? "" : "opus");
  }
  // The padding row below the 607 rows of the window; a GIF keeps colours exactly.
  const Png frame = DecodeFrame(folder.File("card.gif"), 1, folder.File("frame.png"));
  ASSERT_EQ(frame.height, 608);
  ExpectColourNear(frame.At(100, 607), 0x20, 0x30, 0x40);
}

TEST(FrostcardExportPersonalised, TheVideoShowsTheCardsOwnLines) {
  TempFolder folder;
  const std::string card = folder.File("card.exe");
  fs::copy_file(kBuild + "/Frostmail.exe", card);
  ASSERT_EQ(RunCommand(kFrostcard + " greetings " + card +
                       " --set 4 'Frohe Weihnachten' --set 5 'Gelukkig Nieuwjaar'"),
            0);
  ASSERT_EQ(RunCommand(kFrostcard + " export --card " + card + " --fps 2 --until 48 --out " +
                       folder.File("card.mp4")),
            0);
  fs::create_directory(folder.File("own"));
  fs::create_directory(folder.File("default"));
  RunCommand(kFrostcard + " render --card " + card + " --until 48 --at 47 --out " +
             folder.File("own"));
  RunCommand(kFrostcard + " render --until 48 --at 47 --out " + folder.File("default"));

  const Png video = DecodeFrame(folder.File("card.mp4"), 47, folder.File("video-47.png"));
  const Box lines{150, 180, 370, 295};
  const double own = RegionPsnr(LoadPng(folder.File("own/frame-47.png")), video, lines);
  const double other = RegionPsnr(LoadPng(folder.File("default/frame-47.png")), video, lines);
  // Fine print loses a little to the video's halved colour resolution; the default lines
  // lie far off.
  EXPECT_GT(own, 30);
  EXPECT_GT(own - other, 8) << "own " << own << " dB, default lines " << other << " dB";
}

// --- bad input ---------------------------------------------------------------------------------

TEST(FrostcardExportBadInput, OneLineAnExitCodeAndNoFileLeftBehind) {
  TempFolder folder;
  const std::string out = folder.File("card.mp4");
  std::ofstream(folder.File("letter.txt")) << "not a card\n";
  std::ofstream(out) << "an older video";
  const auto run = [&](const std::string& arguments) {
    const auto result = RunCapturing(kFrostcard + " export --until 1 " + arguments + " 2>&1");
    EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'),
              result.status == 2 ? 2 : 1)  // usage errors add the usage line
        << result.output;
    return result.status;
  };
  EXPECT_EQ(run("--out " + folder.File("card.avi")), 2);
  EXPECT_EQ(run("--fps 0 --out " + out), 2);
  EXPECT_EQ(run("--fps 61 --out " + out), 2);
  EXPECT_EQ(run("--fps 2.5 --out " + out), 2);
  EXPECT_EQ(run("--outside gold --out " + out), 2);
  EXPECT_EQ(run("--out " + folder.File("missing/card.mp4")), 1);
  EXPECT_EQ(run("--card " + folder.File("letter.txt") + " --out " + out), 1);
  EXPECT_EQ(run("--card " + folder.File("missing.exe") + " --out " + out), 1);
  // A frostcard without its video encoder beside it says so.
  const std::string lone = folder.File("lone");
  fs::create_directory(lone);
  fs::copy_file(kFrostcard, lone + "/frostcard");
  const auto alone = RunCapturing(lone + "/frostcard export --until 1 --card " + kBuild +
                                  "/Frostmail.exe --out " + out + " 2>&1");
  EXPECT_EQ(alone.status, 1);
  EXPECT_NE(alone.output.find("cannot load the video encoder"), std::string::npos) << alone.output;

  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"card.mp4", "letter.txt", "lone"}));
  std::ifstream older(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(older), {}), "an older video");
}

}  // namespace
}  // namespace frost
