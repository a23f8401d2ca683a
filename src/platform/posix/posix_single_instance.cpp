#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/posix_platform.h"
#include "toolkit/errors.h"

namespace frost {

std::string DefaultLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
  return folder + "/frostmail-" + std::to_string(::getuid()) + ".lock";
}

// flock belongs to the open file, so the guard lasts exactly as long as lock_ is open and
// vanishes with the process, however it ends. OpenFile sets close-on-exec: a program the
// card starts must not carry the guard on.
bool PosixPlatform::AcquireSingleInstance() {
  if (lock_path_.empty() || lock_.IsOpen()) {
    return true;
  }
  FileDescriptor lock;
  try {
    lock = OpenFile(lock_path_, O_RDWR | O_CREAT | O_NOFOLLOW, 0600);
  } catch (const RuntimeError&) {
    return true;  // no place for a guard: better to show the card than to refuse it
  }
  if (::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    return errno != EWOULDBLOCK;
  }
  lock_ = std::move(lock);
  return true;
}

void PosixPlatform::ReleaseSingleInstance() {
  lock_.Reset();
}

}  // namespace frost
