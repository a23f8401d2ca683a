#include "platform/posix/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/path_join.h"

namespace frost {
namespace {

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0')
    return std::nullopt;
  return WithoutTrailingSlashes(value);
}

// Another user may have made the folder first, or planted a link under its name; mkdir then
// fails with EEXIST and the check refuses what is there.
std::optional<std::string> OwnFolderIn(const std::string& temp, std::string& why) {
  const std::string folder = JoinPath(temp, "frostmail-" + std::to_string(::getuid()));
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    why = folder + " cannot be made (" + std::strerror(errno) + ")";
    return std::nullopt;
  }
  if (!IsPrivateFolder(folder, ::getuid(), why))
    return std::nullopt;
  return folder;
}

}  // namespace

bool IsPrivateFolder(const std::string& path, uid_t owner, std::string& why) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    why = path + " cannot be examined (" + std::strerror(errno) + ")";
  } else if (!S_ISDIR(status.st_mode)) {
    why = path + " is not a folder";
  } else if (status.st_uid != owner) {
    why = path + " belongs to another user";
  } else if ((status.st_mode & 077) != 0) {
    why = path + " is open to other users";
  } else {
    return true;
  }
  return false;
}

std::optional<std::string> PrivateFolder(std::string& why) {
  if (const auto runtime = Variable("XDG_RUNTIME_DIR")) {
    if (IsPrivateFolder(*runtime, ::getuid(), why))
      return runtime;
  }
  return OwnFolderIn(Variable("TMPDIR").value_or("/tmp"), why);
}

}  // namespace frost
