#include "pending_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace frost::frostcard {
namespace {

namespace fs = std::filesystem;

// The file an interrupt must remove; one pending file at a time.
char interrupted_path[4096];
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveAndDie(int signal) {
  unlink(interrupted_path);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void WatchForInterrupts(const std::string& path) {
  std::snprintf(interrupted_path, sizeof interrupted_path, "%s", path.c_str());
  for (int signal : kSignals) std::signal(signal, RemoveAndDie);
}

void StopWatching() {
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
}

// The read permissions a new file gets here: shared videos should be readable like any file.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

PendingFile::PendingFile(const std::string& target) : target_(target) {
  const fs::path where = fs::path(target).parent_path();
  const fs::path folder = where.empty() ? fs::path(".") : where;
  std::string pattern =
      (folder / ("." + fs::path(target).filename().string() + "-XXXXXX")).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    throw std::runtime_error("cannot write into the folder " + folder.string() + ": " +
                             std::strerror(errno));
  }
  fchmod(fd, NewFileMode());
  close(fd);
  path_ = pattern;
  WatchForInterrupts(path_);
}

PendingFile::~PendingFile() {
  StopWatching();
  if (!committed_)
    unlink(path_.c_str());
}

void PendingFile::Commit() {
  if (std::rename(path_.c_str(), target_.c_str()) != 0) {
    throw std::runtime_error("cannot write " + target_ + ": " + std::strerror(errno));
  }
  committed_ = true;
}

}  // namespace frost::frostcard
