#include "platform/posix/quiet_alsa.h"

#include <dlfcn.h>

#include <atomic>

namespace frost {

namespace {

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA comes into the process with FluidSynth and SDL; it is reached through the loader so
// that the build needs no ALSA of its own. Without ALSA there is nothing to hold back.
void SetAlsaErrorHandler(AlsaErrorHandler handler) {
  using Setter = int (*)(AlsaErrorHandler);
  static const auto setter =
      reinterpret_cast<Setter>(dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler"));
  if (setter != nullptr)
    setter(handler);
}

std::atomic<int> guards{0};

}  // namespace

QuietAlsa::QuietAlsa() {
  if (guards++ == 0)
    SetAlsaErrorHandler(IgnoreAlsaError);
}

QuietAlsa::~QuietAlsa() {
  if (--guards == 0)
    SetAlsaErrorHandler(nullptr);  // ALSA's own printing again
}

}  // namespace frost
