#include "progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace frost::frostcard {
namespace {

constexpr int kBarWidth = 30;
// Redrawing more often than this only costs time.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(int total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

Progress::~Progress() {
  if (lineOpen_)
    std::fputc('\n', stderr);
}

void Progress::Step() {
  ++done_;
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && (now - drawn_ >= kRedrawInterval || done_ == total_)) {
    drawn_ = now;
    Draw();
  }
}

void Progress::Done() {
  if (!shown_)
    return;
  Draw();
  std::fputc('\n', stderr);
  lineOpen_ = false;
}

void Progress::Draw() {
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double share = total_ > 0 ? static_cast<double>(done_) / total_ : 1.0;
  const int filled = static_cast<int>(share * kBarWidth);
  const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '-');
  const double left = done_ > 0 ? elapsed * (total_ - done_) / done_ : 0;
  std::fprintf(stderr, "\r[%s] %d/%d frames, %.0f s elapsed, %.0f s left  ", bar.c_str(), done_,
               total_, elapsed, left);
  std::fflush(stderr);
  lineOpen_ = true;
}

}  // namespace frost::frostcard
