#include "platform/sdl/sdl_message_box.h"

#include <SDL.h>

#include <cstdio>

namespace frost {

void SdlMessageBox::MessageBox(const std::string& text, const std::string& caption) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(),
                               nullptr) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
}

}  // namespace frost
