#pragma once
#include <chrono>

namespace frost::frostcard {

// A progress line on stderr while a terminal shows it: steps done of all, the time so far and
// an estimate of the time left. Silent when stderr is not a terminal.
class Progress {
 public:
  explicit Progress(int total);
  // Ends a line left open, so that an error message starts on a line of its own.
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Step();
  // Ends the line.
  void Done();

 private:
  void Draw();

  int total_;
  int done_ = 0;
  bool shown_;
  bool lineOpen_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point drawn_{};
};

}  // namespace frost::frostcard
