#include <dlfcn.h>

#include <stdexcept>

#include "beside_frostcard.h"
#include "video_sink.h"

namespace frost::frostcard {
namespace {

// Loaded once and kept for the program's life: the encoders it makes live in it.
OpenVideoEntry LoadEncoder() {
  const std::string file = BesideFrostcard("frostcard-video.so");
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
