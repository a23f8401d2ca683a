#include "platform/win32/gdi_text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "platform/text_engine.h"
#include "platform/win32/dib.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

namespace {

// Sizes beyond what a screen can show are clamped, as the FreeType engine does.
int PixelHeight(const FontSpec& font, double pixelsPerInch) {
  const double pixels = font.size * pixelsPerInch / 72;
  return static_cast<int>(std::lround(std::isfinite(pixels) ? std::clamp(pixels, 1.0, 1000.0) : 1));
}

// A 32-bit top-down DIB section of the given size, all black.
HBITMAP BlackSection(HDC dc, int width, int height, std::uint32_t** pixels) {
  BITMAPINFO info = TopDownDib(width, height);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = static_cast<std::uint32_t*>(bits);
  if (section != nullptr)
    std::fill_n(*pixels, static_cast<std::size_t>(width) * height, 0u);
  return section;
}

}  // namespace

struct GdiTextEngine::State {
  ~State() {
    for (auto& [key, font] : fonts) DeleteObject(font);
    if (dc != nullptr)
      DeleteDC(dc);
  }

  // Selects the font into the memory DC and returns its line height.
  int Select(const FontSpec& font) {
    const int height = PixelHeight(font, pixelsPerInch);
    auto key = std::tuple{font.name, height, font.italic, font.bold};
    auto found = fonts.find(key);
    if (found == fonts.end()) {
      // A negative height asks for the em size, as points do.
      HFONT made =
          CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str());
      found = fonts.emplace(key, made).first;
    }
    SelectObject(dc, found->second);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
  }

  double pixelsPerInch = 96;
  HDC dc = CreateCompatibleDC(nullptr);
  std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts;
};

GdiTextEngine::GdiTextEngine(double pixelsPerInch) : state_(std::make_unique<State>()) {
  state_->pixelsPerInch = pixelsPerInch;
}

GdiTextEngine::~GdiTextEngine() = default;

TextExtent GdiTextEngine::Measure(const FontSpec& font, std::string_view text) {
  const int height = state_->Select(font);
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(state_->dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return {static_cast<int>(size.cx), height};
}

CoverageMask GdiTextEngine::Render(const FontSpec& font, std::string_view text) {
  const TextExtent extent = Measure(font, text);
  // Italic letters lean past their advance; the mask leaves them room.
  const int width = extent.width + (font.italic ? extent.height / 2 : 0);
  CoverageMask mask{width, extent.height, {}};
  if (width <= 0 || extent.height <= 0)
    return mask;
  std::uint32_t* pixels = nullptr;
  HBITMAP section = BlackSection(state_->dc, width, extent.height, &pixels);
  if (section == nullptr)
    return mask;
  HGDIOBJ previous = SelectObject(state_->dc, section);
  SetTextColor(state_->dc, 0xFFFFFF);
  SetBkMode(state_->dc, TRANSPARENT);
  const std::wstring wide = Widen(text);
  TextOutW(state_->dc, 0, 0, wide.c_str(), static_cast<int>(wide.size()));
  GdiFlush();
  mask.coverage.resize(static_cast<std::size_t>(width) * extent.height);
  // White on black: any channel is the coverage; green is what grey-scale text sets exactly.
  std::transform(pixels, pixels + mask.coverage.size(), mask.coverage.begin(),
                 [](std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 8); });
  SelectObject(state_->dc, previous);
  DeleteObject(section);
  return mask;
}

std::unique_ptr<TextEngine> MakePlatformTextEngine(double pixelsPerInch) {
  return std::make_unique<GdiTextEngine>(pixelsPerInch);
}

}  // namespace frost
