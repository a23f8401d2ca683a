#pragma once
#include "platform/os_services.h"
#include "platform/sound_output.h"
#include "platform/window_services.h"

namespace frost {

// The services a backend gives the card, each from its own implementation: the operating
// system's, the sound output and the desktop's. The backend owns them; the card holds these
// references for its lifetime.
struct Platform {
  OsServices& os;
  SoundOutput& sound;
  WindowServices& window;
};

}  // namespace frost
