#pragma once
#include <stb_image.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace frost::testing {

// An image read as 8-bit RGBA; empty (0 x 0) when the file cannot be read.
struct Png {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  const unsigned char* At(int x, int y) const { return &rgba[(y * width + x) * 4]; }
};

inline Png LoadPng(const std::string& path) {
  Png png;
  int channels = 0;
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  std::unique_ptr<unsigned char, void (*)(void*)> pixels(
      stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()), &png.width, &png.height, &channels, 4),
      stbi_image_free);
  if (pixels)
    png.rgba.assign(pixels.get(), pixels.get() + png.width * png.height * 4);
  return png;
}

}  // namespace frost::testing
