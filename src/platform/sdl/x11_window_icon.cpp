#include "platform/sdl/x11_window_icon.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace frost {
namespace {

// _NET_WM_ICON: for each image its width, its height and its ARGB pixels row by row. Xlib
// takes 32-bit property items as longs.
std::vector<long> IconProperty(std::span<const CursorImage> images) {
  std::vector<long> items;
  for (const CursorImage& image : images) {
    items.push_back(image.width);
    items.push_back(image.height);
    items.insert(items.end(), image.argb.begin(), image.argb.end());
  }
  return items;
}

}  // namespace

void SetX11WindowIcon(SDL_Window* window, std::span<const CursorImage> images) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return;
  Display* display = info.info.x11.display;
  const std::vector<long> items = IconProperty(images);
  XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_ICON", False),
                  XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(items.data()),
                  static_cast<int>(items.size()));
  XFlush(display);
}

}  // namespace frost
