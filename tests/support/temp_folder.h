#pragma once
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace frost::testing {

// A fresh folder under the system's temporary folder, only for this user, removed with
// everything in it. Portable: a random name, taken only if no folder of that name exists yet.
class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    std::mt19937_64 names(static_cast<std::uint64_t>(seed()) << 32 | seed());
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate = base / ("frost-test-" + std::to_string(names()));
      if (std::filesystem::create_directory(candidate))
        path_ = candidate;
    }
    if (path_.empty())
      throw std::runtime_error("no fresh temporary folder in " + base.string());
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // A single-instance guard of this folder's own: a lock file in it, or on Windows a mutex
  // named after it (a mutex name cannot hold a path).
  std::string InstanceGuard() const {
#ifdef _WIN32
    return "Local\\" + path_.filename().string();
#else
    return File(kGuardFile);
#endif
  }
  static constexpr const char* kGuardFile = "instance.lock";

 private:
  std::filesystem::path path_;
};

}  // namespace frost::testing
