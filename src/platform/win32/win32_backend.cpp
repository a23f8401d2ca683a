#include "platform/win32/win32_backend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <vector>

#include "platform/win32/dib.h"
#include "platform/win32/gdi_text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

namespace {

constexpr wchar_t kWindowClass[] = L"FrostmailCard";
constexpr int kWindowIconId = 401;  // the icon group of the resource script

// Twips per pixel from the screen's logical DPI; the process is DPI-aware, so this is the
// real one and Windows does not stretch the card.
double ScreenTwipsPerPixel() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? 1440.0 / dpi : 15;
}

int Modifiers() {
  return (GetKeyState(VK_SHIFT) < 0 ? kShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? kControl : 0) |
         (GetKeyState(VK_MENU) < 0 ? kAlt : 0);
}

HCURSOR Arrow() {
  return LoadCursorW(nullptr, IDC_ARROW);
}

PixelPoint PointOf(LPARAM lParam) {
  // Signed: a captured mouse may report points left of or above the window.
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The toolkit's colour r + 256 g + 65536 b is the DIB's blue-green-red order reversed.
std::uint32_t DibPixel(std::uint32_t color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// An icon or cursor from 0xAARRGGBB pixels, which in memory are a 32-bit DIB with alpha.
HICON IconOf(const CursorImage& image, bool isIcon) {
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = image.width;
  header.bV5Height = -image.height;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                   &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (color == nullptr)
    return nullptr;
  std::copy(image.argb.begin(), image.argb.end(), static_cast<std::uint32_t*>(bits));
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, nullptr);
  ICONINFO info{isIcon, static_cast<DWORD>(image.hotSpot.x), static_cast<DWORD>(image.hotSpot.y),
                mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return icon;
}

}  // namespace

struct Win32Backend::State {
  ~State() {
    if (window != nullptr)
      DestroyWindow(window);
    for (auto& [image, made] : cursors) DestroyCursor(made);
    for (HICON held : icons) {
      if (held != nullptr)
        DestroyIcon(held);
    }
    timeEndPeriod(1);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleKeyboard(UINT message, WPARAM wParam);
  void Paint();
  // Puts `rect` of the kept frame (within it) on the window.
  void Draw(HDC dc, const PixelRect& rect);
  void Pump();

  HWND window = nullptr;
  std::deque<InputEvent> events;
  CharacterInput characters;
  bool trackingLeave = false;
  std::vector<std::uint32_t> frame;  // the last frame in the DIB's pixel order
  int frameWidth = 0;
  int frameHeight = 0;
  double twipsPerPixel = 15;
  std::unique_ptr<GdiTextEngine> text;
  std::map<const CursorImage*, HCURSOR> cursors;
  HCURSOR cursor = Arrow();
  std::array<HICON, 2> icons{};  // ICON_SMALL, ICON_BIG
  LARGE_INTEGER frequency{};
  LARGE_INTEGER start{};
};

bool Win32Backend::State::HandleMouse(UINT message, WPARAM, LPARAM lParam) {
  const PixelPoint at = PointOf(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        trackingLeave = TrackMouseEvent(&track) != FALSE;
      }
      events.push_back(MouseMoveEvent{at});
      return true;
    case WM_MOUSELEAVE:
      // The mouse leaving the window is a move to a point outside it.
      trackingLeave = false;
      events.push_back(MouseMoveEvent{{-1, -1}});
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      events.push_back(MouseDownEvent{at, MouseButton::Left, message == WM_LBUTTONDBLCLK ? 2 : 1});
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      events.push_back(MouseDownEvent{at, MouseButton::Right, message == WM_RBUTTONDBLCLK ? 2 : 1});
      return true;
    case WM_MBUTTONDOWN:
      events.push_back(MouseDownEvent{at, MouseButton::Middle, 1});
      return true;
    case WM_LBUTTONUP:
      events.push_back(MouseUpEvent{at, MouseButton::Left});
      return true;
    case WM_RBUTTONUP:
      events.push_back(MouseUpEvent{at, MouseButton::Right});
      return true;
    case WM_MBUTTONUP:
      events.push_back(MouseUpEvent{at, MouseButton::Middle});
      return true;
    default:
      return false;
  }
}

// Alt+F4 is left to DefWindowProc (a system key), which turns it into WM_CLOSE.
bool Win32Backend::State::HandleKeyboard(UINT message, WPARAM wParam) {
  if (message == WM_KEYDOWN) {
    if (std::optional<InputEvent> key = KeyDownOf(static_cast<unsigned>(wParam), Modifiers()))
      events.push_back(*key);
    return true;
  }
  if (message == WM_CHAR) {
    if (std::optional<TextInputEvent> typed = characters.Add(static_cast<wchar_t>(wParam)))
      events.push_back(*typed);
    return true;
  }
  return false;
}

void Win32Backend::State::Draw(HDC dc, const PixelRect& rect) {
  if (rect.Empty())
    return;
  // The rows of the rectangle as a DIB of their own: its source then starts at row 0, which
  // means the same whichever way up GDI counts the rows.
  BITMAPINFO info = TopDownDib(frameWidth, rect.Height());
  const std::uint32_t* rows = frame.data() + static_cast<std::size_t>(rect.top) * frameWidth;
  SetDIBitsToDevice(dc, rect.left, rect.top, rect.Width(), rect.Height(), rect.left, 0, 0,
                    rect.Height(), rows, &info, DIB_RGB_COLORS);
}

void Win32Backend::State::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  Draw(dc, PixelRect{0, 0, frameWidth, frameHeight});
  EndPaint(window, &paint);
}

LRESULT CALLBACK Win32Backend::State::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (state == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  if (state->HandleMouse(message, wParam, lParam) || state->HandleKeyboard(message, wParam))
    return 0;
  switch (message) {
    case WM_CLOSE:
      // The card decides whether and how to end; the window stays until then.
      state->events.push_back(CloseRequestEvent{});
      return 0;
    case WM_PAINT:
      state->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted from the frame
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(state->cursor);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Backend::State::Pump() {
  MSG message;
  while (events.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::unique_ptr<Win32Backend> Win32Backend::Open(std::string& error) {
  SetProcessDPIAware();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = State::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kWindowIconId));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when a second backend registers again

  auto state = std::make_unique<State>();
  timeBeginPeriod(1);  // millisecond sleeps and waits, for the 10 ms show timer
  QueryPerformanceFrequency(&state->frequency);
  QueryPerformanceCounter(&state->start);
  state->twipsPerPixel = ScreenTwipsPerPixel();
  state->window = CreateWindowExW(0, kWindowClass, L"Frostmail", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, instance, state.get());
  if (state->window == nullptr) {
    error = "Frostmail: cannot open the card window (Windows error " +
            std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::unique_ptr<Win32Backend>(new Win32Backend(std::move(state)));
}

Win32Backend::Win32Backend(std::unique_ptr<State> state) : state_(std::move(state)) {}

Win32Backend::~Win32Backend() = default;

double Win32Backend::Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - state_->start.QuadPart) /
         static_cast<double>(state_->frequency.QuadPart);
}

void Win32Backend::Sleep(double seconds) {
  if (seconds > 0)
    ::Sleep(static_cast<DWORD>(std::lround(std::min(seconds, 3600.0) * 1000)));
}

std::optional<InputEvent> Win32Backend::PollEvent() {
  state_->Pump();
  if (state_->events.empty())
    return std::nullopt;
  InputEvent event = std::move(state_->events.front());
  state_->events.pop_front();
  return event;
}

std::optional<InputEvent> Win32Backend::WaitEvent(double until) {
  // An hour at most per wait keeps the milliseconds within a DWORD.
  constexpr double kLongestWait = 3600;
  for (;;) {
    if (std::optional<InputEvent> event = PollEvent())
      return event;
    const double remaining = until - Now();
    if (remaining <= 0)
      return std::nullopt;
    const auto timeout = static_cast<DWORD>(std::ceil(std::min(remaining, kLongestWait) * 1000));
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

double Win32Backend::TwipsPerPixelX() {
  return state_->twipsPerPixel;
}
double Win32Backend::TwipsPerPixelY() {
  return state_->twipsPerPixel;
}

TextEngine& Win32Backend::Text() {
  if (!state_->text)
    state_->text = std::make_unique<GdiTextEngine>(1440 / state_->twipsPerPixel);
  return *state_->text;
}

// Centred in the screen's work area (the screen less the task bar).
void Win32Backend::SetWindowSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(state_->window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Backend::SetWindowVisible(bool visible) {
  ShowWindow(state_->window, visible ? SW_SHOW : SW_HIDE);
  if (visible) {
    SetForegroundWindow(state_->window);
    UpdateWindow(state_->window);
  }
}

void Win32Backend::SetWindowTitle(const std::string& title) {
  SetWindowTextW(state_->window, Widen(title).c_str());
}

// The title bar and Alt+Tab take the image nearest their own size, as Windows asks for them.
void Win32Backend::SetWindowIcon(std::span<const CursorImage> images) {
  if (images.empty())
    return;
  const auto nearest = [&](int size) -> const CursorImage& {
    return *std::ranges::min_element(
        images, {}, [size](const CursorImage& image) { return std::abs(image.width - size); });
  };
  const std::array<int, 2> sizes{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON)};
  for (std::size_t kind = 0; kind < sizes.size(); ++kind) {
    HICON made = IconOf(nearest(sizes[kind]), true);
    if (made == nullptr)
      continue;
    SendMessageW(state_->window, WM_SETICON, kind == 0 ? ICON_SMALL : ICON_BIG,
                 reinterpret_cast<LPARAM>(made));
    if (state_->icons[kind] != nullptr)
      DestroyIcon(state_->icons[kind]);
    state_->icons[kind] = made;
  }
}

// One ExtCreateRegion call for all the rectangles: the card's tree is some thousand of them.
void Win32Backend::SetRegion(const std::optional<Region>& region) {
  if (!region) {
    SetWindowRgn(state_->window, nullptr, TRUE);
    return;
  }
  const std::size_t count = region->rects.size();
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  *header = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(count), 0, {}};
  auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < count; ++i) {
    const PixelRect& rect = region->rects[i];
    rects[i] = {rect.left, rect.top, rect.right, rect.bottom};
  }
  HRGN shape = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                               reinterpret_cast<RGNDATA*>(data.data()));
  // The window owns the region from here on.
  if (shape != nullptr && SetWindowRgn(state_->window, shape, TRUE) == 0)
    DeleteObject(shape);
}

void Win32Backend::SetCursor(const CursorImage* cursor) {
  State& state = *state_;
  if (cursor == nullptr) {
    state.cursor = Arrow();
  } else {
    auto [entry, created] = state.cursors.try_emplace(cursor, nullptr);
    if (created)
      entry->second = IconOf(*cursor, false);
    state.cursor = entry->second != nullptr ? entry->second : Arrow();
  }
  POINT mouse;
  if (GetCursorPos(&mouse) && WindowFromPoint(mouse) == state.window)
    ::SetCursor(state.cursor);
}

void Win32Backend::Present(const Bitmap& frame, const std::vector<PixelRect>& changed) {
  State& state = *state_;
  if (frame.Empty())
    return;
  std::vector<PixelRect> rects = changed;
  if (frame.Width() != state.frameWidth || frame.Height() != state.frameHeight) {
    state.frameWidth = frame.Width();
    state.frameHeight = frame.Height();
    state.frame.assign(frame.Pixels().size(), 0);
    rects = {frame.Bounds()};
  }
  HDC dc = GetDC(state.window);
  for (const PixelRect& changedRect : rects) {
    const PixelRect rect = changedRect.Intersect(frame.Bounds());
    for (int y = rect.top; y < rect.bottom; ++y) {
      std::transform(
          frame.Row(y) + rect.left, frame.Row(y) + rect.right,
          state.frame.begin() + static_cast<std::ptrdiff_t>(y) * frame.Width() + rect.left,
          DibPixel);
    }
    state.Draw(dc, rect);
  }
  ReleaseDC(state.window, dc);
}

std::string Win32Backend::ClipboardText() {
  if (!OpenClipboard(state_->window))
    return {};
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Narrow(wide);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void* Win32Backend::WindowHandle() const {
  return state_->window;
}

}  // namespace frost
