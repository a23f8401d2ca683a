#pragma once

namespace frost {

// ALSA prints lines of its own on stderr when there is no sound card. While audio outputs are
// tried one after another each one's failure is no news: for the lifetime of a QuietAlsa
// those lines are held back. Guards may nest.
class QuietAlsa {
 public:
  QuietAlsa();
  ~QuietAlsa();
  QuietAlsa(const QuietAlsa&) = delete;
  QuietAlsa& operator=(const QuietAlsa&) = delete;
};

}  // namespace frost
