#pragma once
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace frost::testing_support {

using ScratchFolder = ::frost::testing::TempFolder;

using ::frost::testing::ScopedEnvironment;

inline void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

inline std::string ReadFile(const std::string& path) {
  std::ostringstream contents;
  contents << std::ifstream(path, std::ios::binary).rdbuf();
  return contents.str();
}

inline void WriteScript(const std::string& path, const std::string& body) {
  WriteFile(path, "#!/bin/sh\n" + body);
  ::chmod(path.c_str(), 0755);
}

// What a started program wrote once it has written a whole line; nullopt if it has not
// done so within a few seconds.
inline std::optional<std::string> WaitForLine(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    std::string contents = ReadFile(path);
    if (contents.ends_with('\n')) {
      return contents.substr(0, contents.size() - 1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

}  // namespace frost::testing_support
