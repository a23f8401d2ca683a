#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/path_join.h"
#include "platform/posix/posix_os_services.h"
#include "platform/posix/private_folder.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

void NoGuard(const std::string& why) {
  std::fprintf(stderr, "Frostmail: running without the single-instance guard: %s\n", why.c_str());
}

}  // namespace

// A lock in a place others can write would let them hold it (the card then never shows) or
// plant something there that makes the guard fail.
std::string DefaultLockPath() {
  std::string why;
  const auto folder = PrivateFolder(why);
  if (!folder) {
    NoGuard(why);
    return "";
  }
  return JoinPath(*folder, "frostmail-" + std::to_string(::getuid()) + ".lock");
}

// flock belongs to the open file, so the guard lasts exactly as long as lock_ is open and
// vanishes with the process, however it ends. OpenFile sets close-on-exec: a program the
// card starts must not carry the guard on.
bool PosixOsServices::AcquireSingleInstance() {
  if (lock_path_.empty() || lock_.IsOpen()) {
    return true;
  }
  FileDescriptor lock;
  try {
    lock = OpenFile(lock_path_, O_RDWR | O_CREAT | O_NOFOLLOW, 0600);
  } catch (const RuntimeError& failure) {
    NoGuard(failure.what());  // better to show the card than to refuse it
    return true;
  }
  if (::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    return errno != EWOULDBLOCK;
  }
  lock_ = std::move(lock);
  return true;
}

void PosixOsServices::ReleaseSingleInstance() {
  lock_.Reset();
}

}  // namespace frost
