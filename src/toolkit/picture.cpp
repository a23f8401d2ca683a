// Pictures from embedded bytes: JPEG, GIF and PNG through stb_image, after a structural check
// that the data is complete and sound. stb_image reads past a truncated stream as if it were
// padded with zeros (a half-grey picture instead of a failure), and this version trusts the
// code counts of a JPEG's Huffman tables.
#include "toolkit/picture.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>
#include <optional>

#include "toolkit/errors.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS (1 << 14)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace frost {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Reads big-endian fields and skips ahead, failing (nullopt) past the end.
class Reader {
 public:
  explicit Reader(Bytes bytes, std::size_t at = 0) : bytes_(bytes), at_(at) {}
  std::optional<std::uint8_t> Byte() {
    if (at_ >= bytes_.size())
      return std::nullopt;
    return bytes_[at_++];
  }
  std::optional<std::uint32_t> BigEndian(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      auto b = Byte();
      if (!b)
        return std::nullopt;
      value = (value << 8) | *b;
    }
    return value;
  }
  bool Skip(std::size_t count) {
    if (count > bytes_.size() - at_)
      return false;
    at_ += count;
    return true;
  }
  std::size_t Position() const { return at_; }

 private:
  Bytes bytes_;
  std::size_t at_;
};

bool StartsWith(Bytes bytes, std::initializer_list<std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// A Huffman table segment defines at most 256 codes per table: the decoder's tables have that
// many entries and it does not check.
bool HuffmanTablesSound(Bytes segment) {
  Reader in(segment);
  while (in.Position() < segment.size()) {
    if (!in.Byte())
      return false;  // table class and id
    std::size_t codes = 0;
    for (int length = 0; length < 16; ++length) {
      auto count = in.Byte();
      if (!count)
        return false;
      codes += *count;
    }
    if (codes > 256 || !in.Skip(codes))
      return false;
  }
  return true;
}

// Where the entropy-coded data that starts at `at` ends: at the next marker. Stuffed FF 00 and
// the restart markers belong to the data.
std::size_t EndOfScan(Bytes bytes, std::size_t at) {
  for (; at + 1 < bytes.size(); ++at) {
    const std::uint8_t next = bytes[at + 1];
    if (bytes[at] == 0xFF && next != 0 && (next < 0xD0 || next > 0xD7))
      return at;
  }
  return bytes.size();
}

// A JPEG is complete when its segments and scans run whole up to the end-of-image marker, with
// at least one scan on the way.
bool JpegComplete(Bytes bytes) {
  std::size_t at = 2;
  bool scanned = false;
  for (;;) {
    Reader in(bytes, at);
    auto prefix = in.Byte();
    auto marker = in.Byte();
    while (marker && *marker == 0xFF) marker = in.Byte();  // fill bytes
    if (!prefix || !marker || *prefix != 0xFF)
      return false;
    if (*marker == 0xD9)
      return scanned;
    auto length = in.BigEndian(2);
    if (!length || *length < 2)
      return false;
    const std::size_t payload = in.Position();
    if (!in.Skip(*length - 2))
      return false;
    if (*marker == 0xC4 && !HuffmanTablesSound(bytes.subspan(payload, *length - 2)))
      return false;
    at = in.Position();
    if (*marker == 0xDA) {
      scanned = true;
      at = EndOfScan(bytes, at);
    }
  }
}

// Skips a chain of GIF data sub-blocks up to its zero-length terminator.
bool SkipGifSubBlocks(Reader& in) {
  for (;;) {
    auto size = in.Byte();
    if (!size)
      return false;
    if (*size == 0)
      return true;
    if (!in.Skip(*size))
      return false;
  }
}

std::size_t GifColourTableSize(std::uint8_t flags) {
  return (flags & 0x80) ? 3u * (2u << (flags & 7)) : 0;
}

// A GIF is complete when its blocks run whole up to the trailer, with at least one image.
bool GifComplete(Bytes bytes) {
  Reader in(bytes, 10);
  auto screenFlags = in.Byte();
  if (!screenFlags || !in.Skip(2 + GifColourTableSize(*screenFlags)))
    return false;
  bool image = false;
  for (;;) {
    auto introducer = in.Byte();
    if (!introducer)
      return false;
    if (*introducer == 0x3B)
      return image;             // trailer
    if (*introducer == 0x21) {  // extension: label, then sub-blocks
      if (!in.Byte() || !SkipGifSubBlocks(in))
        return false;
    } else if (*introducer == 0x2C) {  // image: descriptor, colour table, LZW code size, data
      if (!in.Skip(8))
        return false;
      auto imageFlags = in.Byte();
      if (!imageFlags || !in.Skip(GifColourTableSize(*imageFlags) + 1) || !SkipGifSubBlocks(in)) {
        return false;
      }
      image = true;
    } else {
      return false;
    }
  }
}

// A PNG is complete when its chunks run whole up to IEND.
bool PngComplete(Bytes bytes) {
  Reader in(bytes, 8);
  for (;;) {
    auto length = in.BigEndian(4);
    auto type = in.BigEndian(4);
    if (!length || !type || !in.Skip(std::size_t{*length} + 4))
      return false;
    if (*type == 0x49454E44)
      return true;  // "IEND"
  }
}

bool Complete(Bytes bytes) {
  if (StartsWith(bytes, {0xFF, 0xD8}))
    return JpegComplete(bytes);
  if (StartsWith(bytes, {'G', 'I', 'F', '8'}))
    return GifComplete(bytes);
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}))
    return PngComplete(bytes);
  return false;
}

[[noreturn]] void InvalidPicture() {
  throw RuntimeError(error::kInvalidPicture, "Invalid picture");
}

}  // namespace

Picture LoadPicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > INT_MAX || !Complete(bytes))
    InvalidPicture();
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                            &channels, 3),
      stbi_image_free);
  if (!rgb || width <= 0 || height <= 0)
    InvalidPicture();
  Picture picture(width, height);
  const stbi_uc* p = rgb.get();
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x, p += 3) row[x] = RGB(p[0], p[1], p[2]).value;
  }
  return picture;
}

}  // namespace frost
