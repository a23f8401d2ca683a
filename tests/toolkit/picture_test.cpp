// Pictures decoded from memory, and what corrupt or truncated data does.
#include "toolkit/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

#include "toolkit/errors.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace frost {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 2 x 2: red, green / blue, white.
const Bytes kGif = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0xf1, 0x03, 0x00,
                    0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x21,
                    0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x02,
                    0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0x34, 0x05, 0x00, 0x3b};

void Append(void* context, void* data, int size) {
  auto* out = static_cast<Bytes*>(context);
  auto* bytes = static_cast<std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// A 16 x 8 picture, red on the left half and blue on the right.
std::vector<std::uint8_t> HalvesRgb() {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool left = x < 8;
      rgb.insert(rgb.end(), {std::uint8_t(left ? 220 : 0), 0, std::uint8_t(left ? 0 : 230)});
    }
  }
  return rgb;
}

Bytes Jpeg() {
  Bytes out;
  stbi_write_jpg_to_func(Append, &out, 16, 8, 3, HalvesRgb().data(), 100);
  return out;
}

Bytes Png() {
  Bytes out;
  stbi_write_png_to_func(Append, &out, 16, 8, 3, HalvesRgb().data(), 16 * 3);
  return out;
}

void ExpectInvalidPicture(const Bytes& bytes) {
  try {
    LoadPicture(bytes);
    ADD_FAILURE() << "decoded " << bytes.size() << " bytes";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), error::kInvalidPicture);
  }
}

TEST(LoadPicture, GifGivesItsPixelsInTheColourLayout) {
  const Picture picture = LoadPicture(kGif);
  ASSERT_EQ(picture.Width(), 2);
  ASSERT_EQ(picture.Height(), 2);
  EXPECT_EQ(picture.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(picture.At(1, 0), RGB(0, 255, 0));
  EXPECT_EQ(picture.At(0, 1), RGB(0, 0, 255));
  EXPECT_EQ(picture.At(1, 1), RGB(255, 255, 255));
}

TEST(LoadPicture, PngIsExactAndJpegClose) {
  const Picture png = LoadPicture(Png());
  ASSERT_EQ(png.Width(), 16);
  ASSERT_EQ(png.Height(), 8);
  EXPECT_EQ(png.At(3, 4), RGB(220, 0, 0));
  EXPECT_EQ(png.At(12, 4), RGB(0, 0, 230));

  const Picture jpeg = LoadPicture(Jpeg());
  ASSERT_EQ(jpeg.Width(), 16);
  ASSERT_EQ(jpeg.Height(), 8);
  EXPECT_NEAR(jpeg.At(2, 4).Red(), 220, 12);
  EXPECT_NEAR(jpeg.At(2, 4).Blue(), 0, 12);
  EXPECT_NEAR(jpeg.At(13, 4).Blue(), 230, 12);
  EXPECT_NEAR(jpeg.At(13, 4).Red(), 0, 12);
}

TEST(LoadPicture, EveryTruncationOfJpegGifAndPngIsAnInvalidPicture) {
  for (const Bytes& whole : {Jpeg(), kGif, Png()}) {
    for (std::size_t length = 0; length < whole.size(); ++length) {
      SCOPED_TRACE(length);
      ExpectInvalidPicture(Bytes(whole.begin(), whole.begin() + length));
    }
  }
}

TEST(LoadPicture, CorruptBytesNeverCrashOnlyFail) {
  std::mt19937 random(5);
  for (const Bytes& whole : {Jpeg(), kGif, Png()}) {
    std::uniform_int_distribution<std::size_t> position(0, whole.size() - 1);
    for (int trial = 0; trial < 300; ++trial) {
      Bytes corrupt = whole;
      for (int i = 0; i < 1 + trial % 4; ++i) corrupt[position(random)] ^= 1 + random() % 255;
      try {
        const Picture picture = LoadPicture(corrupt);
        EXPECT_FALSE(picture.Empty());
      } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), error::kInvalidPicture);
      }
    }
  }
}

TEST(LoadPicture, JpegHuffmanTableWithMoreThan256CodesIsAnInvalidPicture) {
  Bytes jpeg = Jpeg();
  const std::uint8_t dht[] = {0xFF, 0xC4};
  auto table = std::search(jpeg.begin(), jpeg.end(), std::begin(dht), std::end(dht));
  ASSERT_NE(table, jpeg.end());
  // Marker, length, class and id, then the 16 code counts.
  std::fill_n(table + 5, 16, 0xFF);
  ExpectInvalidPicture(jpeg);
}

TEST(LoadPicture, OtherDataIsAnInvalidPicture) {
  ExpectInvalidPicture({});
  ExpectInvalidPicture({'B', 'M', 0, 0, 0, 0});
  ExpectInvalidPicture(Bytes(64, 0xFF));
  // A GIF whose trailer comes before any image.
  ExpectInvalidPicture(
      {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x3b});
}

}  // namespace
}  // namespace frost
