#include "resources/embedded.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The toolkit has its own decoder; this test decodes with stb_image directly so that it checks
// the embedded bytes themselves and not the toolkit's reading of them.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#include "stb_image.h"

namespace frost::resources {
namespace {

enum class Kind { Jpeg, Gif, Png, Unknown };

Kind KindOf(std::span<const std::uint8_t> bytes) {
  auto starts_with = [&](std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), bytes.begin(),
                      [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
  };
  if (starts_with("\xFF\xD8\xFF"))
    return Kind::Jpeg;
  if (starts_with("GIF87a") || starts_with("GIF89a"))
    return Kind::Gif;
  if (starts_with("\x89PNG\r\n\x1A\n"))
    return Kind::Png;
  return Kind::Unknown;
}

struct Rgba {
  std::uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

// A decoded picture as RGBA, with the channel count the file itself carries.
struct Picture {
  int width = 0;
  int height = 0;
  int channels_in_file = 0;
  std::vector<Rgba> pixels;

  Rgba At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

std::optional<Picture> Decode(std::span<const std::uint8_t> bytes) {
  Picture picture;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> data(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &picture.width,
                            &picture.height, &picture.channels_in_file, 4),
      &stbi_image_free);
  if (!data)
    return std::nullopt;
  const auto* first = reinterpret_cast<const Rgba*>(data.get());
  picture.pixels.assign(first, first + picture.width * picture.height);
  return picture;
}

Picture DecodeNamed(std::string_view name) {
  const auto bytes = FindByName(name);
  if (!bytes) {
    ADD_FAILURE() << name << " is not embedded";
    return {};
  }
  const auto picture = Decode(*bytes);
  if (!picture) {
    ADD_FAILURE() << name << " does not decode: " << stbi_failure_reason();
    return {};
  }
  return *picture;
}

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kStripAmber{216, 169, 58, 255};

// --- Every picture decodes to its size and kind ---------------------------------------------

struct ExpectedPicture {
  const char* name;
  const char* type;
  Kind kind;
  int width, height;
};

void PrintTo(const ExpectedPicture& expected, std::ostream* out) {
  *out << expected.name;
}

const ExpectedPicture kExpectedPictures[] = {
    {"PictureSanta", "PICTURE", Kind::Jpeg, 474, 456},
    {"Image1", "PICTURE", Kind::Jpeg, 312, 402},
    {"ImagePause", "PICTURE", Kind::Gif, 18, 18},
    {"ImagePlay", "PICTURE", Kind::Gif, 18, 18},
    {"Image2", "PICTURE", Kind::Gif, 18, 18},
    {"ImageClose", "PICTURE", Kind::Gif, 18, 18},
    {"ImageEdit", "PICTURE", Kind::Gif, 18, 18},
    {"ImageEditCancel", "PICTURE", Kind::Gif, 18, 18},
    {"ImageEditSave", "PICTURE", Kind::Gif, 18, 18},
    {"HandCursor", "CURSOR", Kind::Png, 32, 32},
    {"Icon16", "ICON", Kind::Png, 16, 16},
    {"Icon24", "ICON", Kind::Png, 24, 24},
    {"Icon32", "ICON", Kind::Png, 32, 32},
    {"Icon48", "ICON", Kind::Png, 48, 48},
};

class EmbeddedPicture : public testing::TestWithParam<ExpectedPicture> {};

TEST_P(EmbeddedPicture, DecodesToItsKindAndSize) {
  const ExpectedPicture& expected = GetParam();
  const auto entry = std::find_if(All().begin(), All().end(),
                                  [&](const Resource& r) { return r.name == expected.name; });
  ASSERT_NE(entry, All().end()) << expected.name << " is not embedded";
  EXPECT_EQ(entry->type, expected.type);
  EXPECT_EQ(KindOf(entry->bytes), expected.kind);

  const auto picture = Decode(entry->bytes);
  ASSERT_TRUE(picture) << stbi_failure_reason();
  EXPECT_EQ(picture->width, expected.width);
  EXPECT_EQ(picture->height, expected.height);
}

INSTANTIATE_TEST_SUITE_P(AllPictures, EmbeddedPicture, testing::ValuesIn(kExpectedPictures),
                         [](const auto& test) { return std::string(test.param.name); });

// --- Lookup -------------------------------------------------------------------------------

TEST(EmbeddedLookup, NamesAndTypeIdPairsAreUnique) {
  std::set<std::string_view> names;
  std::set<std::pair<std::string_view, int>> keys;
  for (const Resource& r : All()) {
    EXPECT_TRUE(names.insert(r.name).second) << "name " << r.name << " twice";
    EXPECT_TRUE(keys.insert({r.type, r.id}).second) << r.type << " " << r.id << " twice";
    EXPECT_FALSE(r.bytes.empty()) << r.name;
  }
}

TEST(EmbeddedLookup, ByTypeAndIdFindsTheSameBytesAsByName) {
  for (const Resource& r : All()) {
    const auto by_id = Find(r.type, r.id);
    const auto by_name = FindByName(r.name);
    ASSERT_TRUE(by_id && by_name) << r.name;
    EXPECT_EQ(by_id->data(), r.bytes.data()) << r.name;
    EXPECT_EQ(by_name->data(), r.bytes.data()) << r.name;
  }
}

TEST(EmbeddedLookup, AnIdOfAnotherTypeOrAnUnknownNameFindsNothing) {
  const auto nativity = std::find_if(All().begin(), All().end(),
                                     [](const Resource& r) { return r.name == "PictureSanta"; });
  ASSERT_NE(nativity, All().end());
  EXPECT_FALSE(Find("ICON", nativity->id));
  EXPECT_FALSE(Find("PICTURE", -1));
  EXPECT_FALSE(FindByName("PictureSanta "));
  EXPECT_FALSE(FindByName(""));
}

TEST(EmbeddedLookup, TheTuneIsAStandardMidiFileUnderCustom101) {
  const auto tune = FindByName("Tune");
  if (!tune)
    GTEST_SKIP() << "resources/music/tune.mid was not there when the build was set up";
  const auto by_id = Find("CUSTOM", 101);
  ASSERT_TRUE(by_id);
  EXPECT_EQ(by_id->data(), tune->data());
  ASSERT_GE(tune->size(), 14u);
  EXPECT_EQ(std::string(tune->begin(), tune->begin() + 4), "MThd");
}

// --- The card drawing stays white where the glow must show ---------------------------------

TEST(CardDrawing, BorderPixelsArePureWhite) {
  const Picture card = DecodeNamed("Image1");
  ASSERT_EQ(card.width, 312);
  int off_white = 0;
  for (int y = 0; y < card.height; ++y) {
    for (int x = 0; x < card.width; ++x) {
      const bool on_border = x == 0 || y == 0 || x == card.width - 1 || y == card.height - 1;
      if (on_border && card.At(x, y) != kWhite) {
        if (off_white++ == 0)
          ADD_FAILURE() << "first off-white border pixel at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(off_white, 0);
}

// A bitwise AND with anything but pure white darkens the glow, so the ground between the lines
// has to come back from the JPEG exactly white, not merely near it.
TEST(CardDrawing, MostOfTheGroundIsExactlyWhite) {
  const Picture card = DecodeNamed("Image1");
  ASSERT_FALSE(card.pixels.empty());
  const auto white = std::count(card.pixels.begin(), card.pixels.end(), kWhite);
  EXPECT_GT(static_cast<double>(white) / static_cast<double>(card.pixels.size()), 0.65);
}

TEST(CardDrawing, LinesAreDarkGolden) {
  const Picture card = DecodeNamed("Image1");
  ASSERT_FALSE(card.pixels.empty());
  const Rgba darkest =
      *std::min_element(card.pixels.begin(), card.pixels.end(),
                        [](Rgba a, Rgba b) { return a.r + a.g + a.b < b.r + b.g + b.b; });
  EXPECT_LT(darkest.r, 128);
  EXPECT_GT(darkest.r, darkest.g);
  EXPECT_GT(darkest.g, darkest.b);
}

// --- Menu icons, cursor, window icon --------------------------------------------------------

TEST(MenuIcons, StandOnTheStripAmberAndAreAllDifferent) {
  const char* names[] = {"ImagePause", "ImagePlay",       "Image2",       "ImageClose",
                         "ImageEdit",  "ImageEditCancel", "ImageEditSave"};
  std::vector<std::vector<Rgba>> seen;
  for (const char* name : names) {
    const Picture icon = DecodeNamed(name);
    ASSERT_EQ(icon.width, 18) << name;
    for (auto [x, y] : {std::pair{0, 0}, {17, 0}, {0, 17}, {17, 17}}) {
      EXPECT_EQ(icon.At(x, y), kStripAmber) << name << " corner " << x << "," << y;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), icon.pixels), 0) << name << " repeats an icon";
    seen.push_back(icon.pixels);
  }
}

TEST(HandCursor, HotSpotIsTheTopmostOpaquePixel) {
  const Picture hand = DecodeNamed("HandCursor");
  ASSERT_EQ(hand.width, 32);
  EXPECT_EQ(hand.channels_in_file, 4);
  const CursorHotSpot spot = HandCursorHotSpot();
  ASSERT_TRUE(spot.x >= 0 && spot.x < 32 && spot.y >= 0 && spot.y < 32);
  EXPECT_GE(hand.At(spot.x, spot.y).a, 128);
  for (int y = 0; y < spot.y; ++y) {
    for (int x = 0; x < 32; ++x) EXPECT_LT(hand.At(x, y).a, 128) << x << "," << y;
  }
  EXPECT_EQ(hand.At(0, 31).a, 0);
  EXPECT_EQ(hand.At(31, 0).a, 0);
}

TEST(WindowIcon, EverySizeHasATransparentGround) {
  for (const char* name : {"Icon16", "Icon24", "Icon32", "Icon48"}) {
    const Picture icon = DecodeNamed(name);
    ASSERT_FALSE(icon.pixels.empty()) << name;
    EXPECT_EQ(icon.channels_in_file, 4) << name;
    EXPECT_EQ(icon.At(0, 0).a, 0) << name;
    EXPECT_EQ(icon.At(icon.width - 1, 0).a, 0) << name;
  }
}

// --- The nativity keeps to the card's warm palette -----------------------------------------

TEST(NativityPicture, IsWarmAmberOnAverage) {
  const Picture nativity = DecodeNamed("PictureSanta");
  ASSERT_FALSE(nativity.pixels.empty());
  double r = 0, g = 0, b = 0;
  for (const Rgba& p : nativity.pixels) {
    r += p.r;
    g += p.g;
    b += p.b;
  }
  EXPECT_GT(r, 1.2 * g);
  EXPECT_GT(g, 1.5 * b);
}

}  // namespace
}  // namespace frost::resources
