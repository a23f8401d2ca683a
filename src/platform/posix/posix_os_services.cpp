#include "platform/posix/posix_os_services.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/private_folder.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

std::string RunningProgramPath() {
  constexpr const char* kSelf = "/proc/self/exe";
  std::string path(256, '\0');
  for (;;) {
    ssize_t length = ::readlink(kSelf, path.data(), path.size());
    if (length < 0) {
      ThrowFileError(errno, kSelf);
    }
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

PosixOsServices::PosixOsServices(PosixOsOptions options)
    : program_path_(std::move(options.program_path)), lock_path_(std::move(options.lock_path)) {}

std::string PosixOsServices::ProgramPath() {
  return program_path_.empty() ? RunningProgramPath() : program_path_;
}

std::optional<std::string> PosixOsServices::Environment(const std::string& name) {
  if (const char* value = std::getenv(name.c_str())) {
    return value;
  }
  return std::nullopt;
}

std::string PosixOsServices::PrivateFolder() {
  std::string why;
  if (auto folder = frost::PrivateFolder(why))
    return *folder;
  throw RuntimeError(error::kPathFileAccess, "No private folder: " + why);
}

}  // namespace frost
