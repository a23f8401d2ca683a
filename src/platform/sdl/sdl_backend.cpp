#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

#include "platform/freetype/freetype_text.h"
#include "platform/sdl/x11_window_icon.h"

namespace frost {
namespace {

// The Color layout r + 256 g + 65536 b (XBGR8888) as XRGB8888, four pixels at a time.
void CopyAsXrgb(const std::uint32_t* from, int count, std::uint32_t* to) {
  using Quad = std::uint32_t __attribute__((vector_size(16)));
  auto swap = [](auto v) { return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF); };
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    Quad quad;
    std::memcpy(&quad, from + i, sizeof quad);
    quad = swap(quad);
    std::memcpy(to + i, &quad, sizeof quad);
  }
  for (; i < count; ++i) to[i] = swap(from[i]);
}

// Copies `rect` of the frame (within the surface) into the window surface, in its layout.
void CopyToSurface(const Bitmap& frame, const PixelRect& rect, SDL_Surface& surface) {
  auto* origin = static_cast<char*>(surface.pixels) + rect.top * surface.pitch +
                 rect.left * surface.format->BytesPerPixel;
  const Uint32 format = surface.format->format;
  if (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) {
    for (int y = rect.top; y < rect.bottom; ++y) {
      CopyAsXrgb(frame.Row(y) + rect.left, rect.Width(),
                 reinterpret_cast<std::uint32_t*>(origin + (y - rect.top) * surface.pitch));
    }
    return;
  }
  SDL_ConvertPixels(rect.Width(), rect.Height(), SDL_PIXELFORMAT_XBGR8888,
                    frame.Row(rect.top) + rect.left, frame.Width() * 4, format, origin,
                    surface.pitch);
}

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The surface shares the image's pixels: use it before the image changes.
SurfacePtr SurfaceOf(const CursorImage& image) {
  return SurfacePtr(SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(image.argb.data()), image.width, image.height, 32, image.width * 4,
      SDL_PIXELFORMAT_ARGB8888));
}

// Twips per pixel from the display's DPI. X servers often report a DPI computed from a
// guessed screen size, so only the classic settings count; anything else keeps the card's
// design value.
double ScreenTwipsPerPixel() {
  float dpi = 0;
  if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0)
    return 15;
  for (double classic : {96.0, 120.0, 144.0, 192.0}) {
    if (std::abs(dpi - classic) <= classic * 0.02)
      return 1440 / classic;
  }
  return 15;
}

std::optional<Key> KeyOf(SDL_Keycode code) {
  switch (code) {
    case SDLK_BACKSPACE:
      return Key::Backspace;
    case SDLK_DELETE:
      return Key::Delete;
    case SDLK_HOME:
      return Key::Home;
    case SDLK_END:
      return Key::End;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_UP:
      return Key::Up;
    case SDLK_DOWN:
      return Key::Down;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Key::Enter;
    case SDLK_ESCAPE:
      return Key::Escape;
    case SDLK_TAB:
      return Key::Tab;
    default:
      return std::nullopt;
  }
}

int ModifiersOf(Uint16 mod) {
  return ((mod & KMOD_SHIFT) != 0 ? kShift : 0) | ((mod & KMOD_CTRL) != 0 ? kControl : 0) |
         ((mod & KMOD_ALT) != 0 ? kAlt : 0);
}

MouseButton ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_RIGHT:
      return MouseButton::Right;
    case SDL_BUTTON_MIDDLE:
      return MouseButton::Middle;
    default:
      return MouseButton::Left;
  }
}

std::optional<InputEvent> KeyEventOf(const SDL_KeyboardEvent& key) {
  const int modifiers = ModifiersOf(key.keysym.mod);
  // Without a window manager nobody else turns Alt+F4 into a close request.
  if (key.keysym.sym == SDLK_F4 && (modifiers & kAlt) != 0)
    return CloseRequestEvent{};
  const bool letter = key.keysym.sym >= SDLK_a && key.keysym.sym <= SDLK_z;
  if ((modifiers & kControl) != 0 && letter) {
    return KeyDownEvent{Key::Other, modifiers, static_cast<char>(key.keysym.sym)};
  }
  if (std::optional<Key> known = KeyOf(key.keysym.sym))
    return KeyDownEvent{*known, modifiers};
  return std::nullopt;
}

}  // namespace

struct SdlBackend::State {
  ~State() {
    for (auto& [image, cursor] : cursors) SDL_FreeCursor(cursor);
    if (window != nullptr)
      SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  void ApplyShape();
  // The window surface, and what of `changed` must be copied into it: all of the frame after
  // the surface was made anew (a new size), which also clears what the frame does not cover.
  SDL_Surface* Surface(const Bitmap& frame, std::vector<PixelRect>& changed);
  void ShowFrame();
  std::optional<InputEvent> Translate(const SDL_Event& event);

  SDL_Window* window = nullptr;
  // The window surface is the kept picture: a present copies what changed into it and puts
  // only that on the screen; an exposure puts all of it there again.
  SDL_Surface* surface = nullptr;
  bool presented = false;
  int width = 1;
  int height = 1;
  bool shaped = false;
  std::optional<Region> region;
  double twipsPerPixel = 15;
  std::unique_ptr<FreeTypeTextEngine> text;
  std::map<const CursorImage*, SDL_Cursor*> cursors;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  double lastEmptyPoll = -1;  // show time SDL's queue was last found empty
};

void SdlBackend::State::ApplyShape() {
  if (!shaped)
    return;
  SurfacePtr mask(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32));
  if (!mask)
    return;
  const Uint32 inside = SDL_MapRGBA(mask->format, 255, 255, 255, 255);
  if (!region) {
    SDL_FillRect(mask.get(), nullptr, inside);
  } else {
    SDL_FillRect(mask.get(), nullptr, SDL_MapRGBA(mask->format, 0, 0, 0, 0));
    for (const PixelRect& rect : region->rects) {
      const SDL_Rect area{rect.left, rect.top, rect.Width(), rect.Height()};
      SDL_FillRect(mask.get(), &area, inside);
    }
  }
  SDL_WindowShapeMode mode{};
  mode.mode = ShapeModeBinarizeAlpha;
  mode.parameters.binarizationCutoff = 128;
  if (SDL_SetWindowShape(window, mask.get(), &mode) != 0) {
    std::fprintf(stderr, "Frostmail: the window shape was refused (%s)\n", SDL_GetError());
  }
}

SDL_Surface* SdlBackend::State::Surface(const Bitmap& frame, std::vector<PixelRect>& changed) {
  SDL_Surface* current = SDL_GetWindowSurface(window);
  if (current == nullptr)
    return nullptr;
  const PixelRect all{0, 0, current->w, current->h};
  if (current != surface || !presented) {
    surface = current;
    presented = true;
    SDL_FillRect(current, nullptr, SDL_MapRGB(current->format, 0, 0, 0));
    changed = {all};
  }
  for (PixelRect& rect : changed) rect = rect.Intersect(all).Intersect(frame.Bounds());
  std::erase_if(changed, [](const PixelRect& rect) { return rect.Empty(); });
  return current;
}

void SdlBackend::State::ShowFrame() {
  if (presented)
    SDL_UpdateWindowSurface(window);
}

std::optional<InputEvent> SdlBackend::State::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      return MouseMoveEvent{{event.motion.x, event.motion.y}};
    case SDL_MOUSEBUTTONDOWN:
      return MouseDownEvent{
          {event.button.x, event.button.y}, ButtonOf(event.button.button), event.button.clicks};
    case SDL_MOUSEBUTTONUP:
      return MouseUpEvent{{event.button.x, event.button.y}, ButtonOf(event.button.button)};
    case SDL_KEYDOWN:
      return KeyEventOf(event.key);
    case SDL_TEXTINPUT:
      return TextInputEvent{event.text.text};
    case SDL_QUIT:
      return CloseRequestEvent{};
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE)
        return CloseRequestEvent{};
      // The mouse leaving the window is a move to a point outside it.
      if (event.window.event == SDL_WINDOWEVENT_LEAVE)
        return MouseMoveEvent{{-1, -1}};
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
        ShowFrame();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::unique_ptr<SdlBackend> SdlBackend::Open(std::string& error) {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (display == nullptr && wayland == nullptr) {
    error = "Frostmail: no display found (DISPLAY is not set); cannot open the card window";
    return nullptr;
  }
  // Only a real display will do (SDL would otherwise fall back to drawing off screen). Shaped
  // windows need X11: under Wayland, XWayland's X11 driver comes first where it is there.
  if (std::getenv("SDL_VIDEODRIVER") == nullptr) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, display == nullptr   ? "wayland"
                                      : wayland == nullptr ? "x11"
                                                           : "x11,wayland");
  }
  // An accelerated window framebuffer recreates the window and loses its shape.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The close request comes once, as the window's own close event.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    const std::string which = display != nullptr
                                  ? std::string("cannot open display \"") + display + "\""
                                  : "cannot open the Wayland display";
    error = "Frostmail: no display found (" + which + "); cannot open the card window";
    return nullptr;
  }
  auto state = std::make_unique<State>();
  const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
  state->window = SDL_CreateShapedWindow("Frostmail", SDL_WINDOWPOS_CENTERED,
                                         SDL_WINDOWPOS_CENTERED, 1, 1, flags);
  state->shaped = state->window != nullptr;
  if (!state->shaped) {
    state->window =
        SDL_CreateWindow("Frostmail", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1, 1, flags);
  }
  // Frames go through the window surface: a window without one could show nothing.
  if (state->window == nullptr || SDL_GetWindowSurface(state->window) == nullptr) {
    error = std::string("Frostmail: cannot open the card window (") + SDL_GetError() + ")";
    return nullptr;
  }
  if (!state->shaped) {
    std::fprintf(stderr,
                 "Frostmail: this display cannot shape windows; the card stays "
                 "rectangular\n");
  }
  state->twipsPerPixel = ScreenTwipsPerPixel();
  return std::unique_ptr<SdlBackend>(new SdlBackend(std::move(state)));
}

SdlBackend::SdlBackend(std::unique_ptr<State> state) : state_(std::move(state)) {}

SdlBackend::~SdlBackend() = default;

double SdlBackend::Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - state_->start).count();
}

void SdlBackend::Sleep(double seconds) {
  if (seconds > 0)
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::optional<InputEvent> SdlBackend::PollEvent() {
  // The painters yield tens of thousands of times a second and a look at SDL's queue (which
  // pumps the X connection) costs more than the yield itself. A quarter of a 60 Hz frame is
  // quicker than any hand, and looking more often spent a tenth of the last phase's time.
  constexpr double kPollInterval = 0.004;
  const double now = Now();
  if (now - state_->lastEmptyPoll < kPollInterval)
    return std::nullopt;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (std::optional<InputEvent> input = state_->Translate(event))
      return input;
  }
  state_->lastEmptyPoll = now;
  return std::nullopt;
}

std::optional<InputEvent> SdlBackend::WaitEvent(double until) {
  // An hour at most per wait keeps the milliseconds within an int.
  constexpr double kLongestWait = 3600;
  for (;;) {
    const double remaining = until - Now();
    if (remaining <= 0)
      return PollEvent();
    SDL_Event event;
    const int timeout = static_cast<int>(std::ceil(std::min(remaining, kLongestWait) * 1000));
    if (SDL_WaitEventTimeout(&event, timeout) == 0)
      continue;
    if (std::optional<InputEvent> input = state_->Translate(event))
      return input;
  }
}

double SdlBackend::TwipsPerPixelX() {
  return state_->twipsPerPixel;
}
double SdlBackend::TwipsPerPixelY() {
  return state_->twipsPerPixel;
}

TextEngine& SdlBackend::Text() {
  if (!state_->text)
    state_->text = std::make_unique<FreeTypeTextEngine>(1440 / state_->twipsPerPixel);
  return *state_->text;
}

void SdlBackend::SetWindowSize(int width, int height) {
  state_->width = std::max(width, 1);
  state_->height = std::max(height, 1);
  SDL_SetWindowSize(state_->window, state_->width, state_->height);
  state_->presented = false;
  // The shape mask always has the window's size.
  state_->ApplyShape();
  // A shaped window is created off the screen; the card sits in the middle of it.
  SDL_SetWindowPosition(state_->window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlBackend::SetWindowVisible(bool visible) {
  if (visible) {
    SDL_ShowWindow(state_->window);
    SDL_RaiseWindow(state_->window);
    state_->ShowFrame();
  } else {
    SDL_HideWindow(state_->window);
  }
}

void SdlBackend::SetWindowTitle(const std::string& title) {
  SDL_SetWindowTitle(state_->window, title.c_str());
}

// SDL takes one image (the largest: scaled down it looks better than scaled up); on X11 the
// window then gets every size itself.
void SdlBackend::SetWindowIcon(std::span<const CursorImage> images) {
  if (images.empty())
    return;
  if (SurfacePtr surface = SurfaceOf(images.back()))
    SDL_SetWindowIcon(state_->window, surface.get());
  SetX11WindowIcon(state_->window, images);
}

void SdlBackend::SetRegion(const std::optional<Region>& region) {
  state_->region = region;
  state_->ApplyShape();
  state_->ShowFrame();
}

void SdlBackend::SetCursor(const CursorImage* cursor) {
  if (cursor == nullptr) {
    SDL_SetCursor(SDL_GetDefaultCursor());
    return;
  }
  auto [entry, created] = state_->cursors.try_emplace(cursor, nullptr);
  if (created) {
    if (SurfacePtr surface = SurfaceOf(*cursor)) {
      entry->second = SDL_CreateColorCursor(surface.get(), cursor->hotSpot.x, cursor->hotSpot.y);
    }
  }
  SDL_SetCursor(entry->second != nullptr ? entry->second : SDL_GetDefaultCursor());
}

void SdlBackend::Present(const Bitmap& frame, const std::vector<PixelRect>& changed) {
  State& state = *state_;
  std::vector<PixelRect> rects = changed;
  SDL_Surface* surface = state.Surface(frame, rects);
  if (surface == nullptr || rects.empty())
    return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
    return;
  std::vector<SDL_Rect> areas;
  for (const PixelRect& rect : rects) {
    CopyToSurface(frame, rect, *surface);
    areas.push_back({rect.left, rect.top, rect.Width(), rect.Height()});
  }
  if (SDL_MUSTLOCK(surface))
    SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurfaceRects(state.window, areas.data(), static_cast<int>(areas.size()));
}

std::string SdlBackend::ClipboardText() {
  char* text = SDL_GetClipboardText();
  std::string result = text != nullptr ? text : "";
  SDL_free(text);
  return result;
}

bool SdlBackend::Shaped() const {
  return state_->shaped;
}

}  // namespace frost
