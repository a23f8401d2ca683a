#pragma once
#include <span>

#include "toolkit/backend.h"

struct SDL_Window;

namespace frost {

// Gives an X11 window every size of its icon (_NET_WM_ICON), where SDL gives it only one.
// Does nothing on other video drivers.
void SetX11WindowIcon(SDL_Window* window, std::span<const CursorImage> images);

}  // namespace frost
