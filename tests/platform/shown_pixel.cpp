#include "shown_pixel.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace frost::testing {

long ShownPixel(int x, int y) {
  for (Uint32 id = 1; id < 1000; ++id) {
    SDL_Window* window = SDL_GetWindowFromID(id);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) == 0 ||
        !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
      continue;
    }
    Display* display = info.info.x11.display;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, info.info.x11.window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
      return -1;
    }
    XImage* image = XGetImage(display, info.info.x11.window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
      return -1;
    const long pixel = static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
  }
  return -1;
}

}  // namespace frost::testing
