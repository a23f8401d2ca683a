#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

#include "video_sink.h"

namespace frost::frostcard {
namespace {

constexpr const char* kEncoderFile = "frostcard-video.so";

// Loaded once and kept for the program's life: the encoders it makes live in it.
OpenVideoEntry LoadEncoder() {
  std::error_code unknown;
  const auto folder = std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path();
  const std::string file = (folder / kEncoderFile).string();
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr)
    throw std::runtime_error(std::string("cannot load the video encoder: ") + dlerror());
  auto* entry = reinterpret_cast<OpenVideoEntry>(dlsym(library, kOpenVideoEntry));
  if (entry == nullptr)
    throw std::runtime_error(file + " is not frostcard's video encoder");
  return entry;
}

}  // namespace

std::unique_ptr<VideoSink> OpenVideo(const std::string& path, const VideoFormat& format,
                                     const GifPalette* palette) {
  static const OpenVideoEntry open = LoadEncoder();
  return std::unique_ptr<VideoSink>(open(path, format, palette));
}

}  // namespace frost::frostcard
