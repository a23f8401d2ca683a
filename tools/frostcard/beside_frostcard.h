#pragma once
#include <filesystem>
#include <string>

namespace frost::frostcard {

// A file in frostcard's own folder, where the build puts the card and the video encoder.
inline std::string BesideFrostcard(const std::string& name) {
  std::error_code ignored;
  const auto self = std::filesystem::canonical("/proc/self/exe", ignored);
  return (self.parent_path() / name).string();
}

}  // namespace frost::frostcard
