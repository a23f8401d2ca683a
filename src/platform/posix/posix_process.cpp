#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

#include "platform/posix/posix_os_services.h"

extern char** environ;

namespace frost {

namespace {

// The shell call's failures.
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kBadFormat = 11;
constexpr int kOutOfMemory = 8;
constexpr int kNoAssociation = 31;

int ShellResultOf(int spawn_error) {
  switch (spawn_error) {
    case 0:
      return kShellExecuteStarted;
    case ENOENT:
    case ENOTDIR:
      return kFileNotFound;
    case EACCES:
    case EPERM:
    case ETXTBSY:
      return kAccessDenied;
    case ENOEXEC:
      return kBadFormat;
    default:
      return kOutOfMemory;
  }
}

bool IsWebAddress(const std::string& file) {
  return file.find("://") != std::string::npos || file.starts_with("mailto:");
}

enum class Lookup { ExactPath, SearchPath };

// The started program gets a session of its own, so that it outlives the card and a signal
// meant for the card's terminal does not reach it. A thread waits for its end so that no
// zombie stays behind while the card runs on.
int StartDetached(Lookup lookup, std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigaddset(&signals, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t child = 0;
  const int error = lookup == Lookup::SearchPath
                        ? posix_spawnp(&child, argv[0], nullptr, &attributes, argv.data(), environ)
                        : posix_spawn(&child, argv[0], nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (error == 0) {
    std::thread([child] {
      while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  }
  return error;
}

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

int OpenWithDesktop(const std::string& file) {
  const int error = StartDetached(Lookup::SearchPath, {"xdg-open", file});
  return error == ENOENT ? kNoAssociation : ShellResultOf(error);
}

}  // namespace

// A program file is started itself; anything else (a document, a folder, a web address)
// goes to the desktop's opener.
int PosixOsServices::ShellExecuteOpen(const std::string& file) {
  if (IsWebAddress(file)) {
    return OpenWithDesktop(file);
  }
  if (::access(file.c_str(), F_OK) != 0) {
    return kFileNotFound;
  }
  if (IsExecutableFile(file)) {
    return ShellResultOf(StartDetached(Lookup::ExactPath, {file}));
  }
  return OpenWithDesktop(file);
}

}  // namespace frost
