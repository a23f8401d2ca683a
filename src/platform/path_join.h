#pragma once
#include <string>

namespace frost {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name; a folder given with a trailing separator does not get a second.
inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == kPathSeparator)
    return folder + name;
  return folder + kPathSeparator + name;
}

}  // namespace frost
