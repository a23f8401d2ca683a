#include "platform/freetype/freetype_text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/text_engine.h"

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few hundred bytes while parsing its configuration files, once per process;
// a sanitizer build must not count that as a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

namespace frost {
namespace {

// Code points of UTF-8 text; a byte that does not start a valid sequence stands for itself
// (Latin-1), so single-byte text still shows its accented letters.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                       : lead >= 0xE0                ? 3
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                                                     : 0;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length > 0 && i + length <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    if (valid && length > 1 && (point < 0x80u << (5 * (length - 2)) || point > 0x10FFFF)) {
      valid = false;  // overlong or out of range
    }
    points.push_back(valid ? point : lead);
    i += valid ? length : 1;
  }
  return points;
}

std::string Lowered(std::string_view name) {
  std::string lowered(name);
  std::ranges::transform(lowered, lowered.begin(), [](unsigned char c) { return std::tolower(c); });
  return lowered;
}

// A face with what fontconfig could not supply in the requested style, to be synthesised.
struct StyledFace {
  FT_Face face = nullptr;
  bool obliqueToAdd = false;
  bool boldToAdd = false;
};

struct Glyph {
  int x = 0;  // pen position
  int left = 0, top = 0, width = 0, rows = 0;
  std::vector<std::uint8_t> coverage;
};

struct Line {
  int ascent = 0;
  int height = 0;
  int width = 0;  // sum of advances
  std::vector<Glyph> glyphs;
};

// Sizes beyond what a screen can show are clamped so that FreeType never sees absurd values.
double PixelSize(const FontSpec& font, double pixelsPerInch) {
  const double pixels = font.size * pixelsPerInch / 72;
  return std::isfinite(pixels) ? std::clamp(pixels, 1.0, 1000.0) : 1.0;
}

}  // namespace

struct FreeTypeTextEngine::State {
  double pixelsPerInch = 96;
  FT_Library library = nullptr;
  std::map<std::pair<std::string, int>, FT_Face> facesByFile;
  std::map<std::tuple<std::string, bool, bool>, StyledFace> facesByFont;
  std::set<std::string> warnedNames;

  ~State() {
    for (auto& [file, face] : facesByFile) FT_Done_Face(face);
    if (library)
      FT_Done_FreeType(library);
  }

  StyledFace& Resolve(const FontSpec& font) {
    auto key = std::tuple{Lowered(font.name), font.italic, font.bold};
    auto found = facesByFont.find(key);
    if (found == facesByFont.end())
      found = facesByFont.emplace(key, Match(font)).first;
    return found->second;
  }

  StyledFace Match(const FontSpec& font) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.name.c_str()));
    FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    StyledFace styled;
    if (match) {
      if (!IsRequestedFamily(pattern, match))
        Warn(font.name, match);
      styled = Open(match, font);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    if (!styled.face)
      Warn(font.name, nullptr);
    return styled;
  }

  // The name itself and its strongly bound aliases (the metric-compatible faces) count as
  // found; the weakly bound rest is fontconfig's generic fallback.
  static bool IsRequestedFamily(FcPattern* pattern, FcPattern* match) {
    FcChar8* matched = nullptr;
    for (int m = 0; FcPatternGetString(match, FC_FAMILY, m, &matched) == FcResultMatch; ++m) {
      FcValue value;
      FcValueBinding binding;
      for (int p = 0;
           FcPatternGetWithBinding(pattern, FC_FAMILY, p, &value, &binding) == FcResultMatch; ++p) {
        if (binding == FcValueBindingWeak || value.type != FcTypeString)
          continue;
        if (FcStrCmpIgnoreCase(value.u.s, matched) == 0)
          return true;
      }
    }
    return false;
  }

  void Warn(const std::string& name, FcPattern* fallback) {
    if (!warnedNames.insert(Lowered(name)).second)
      return;
    FcChar8* family = nullptr;
    if (fallback && FcPatternGetString(fallback, FC_FAMILY, 0, &family) == FcResultMatch) {
      std::cerr << "frostmail: font \"" << name << "\" not found, using \""
                << reinterpret_cast<const char*>(family) << "\"\n";
    } else {
      std::cerr << "frostmail: font \"" << name << "\" not found and no fallback face\n";
    }
  }

  StyledFace Open(FcPattern* match, const FontSpec& font) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch)
      return {};
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FT_Face face = OpenFile(reinterpret_cast<const char*>(file), index);
    if (!face)
      return {};
    int slant = FC_SLANT_ROMAN, weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    return {face, font.italic && slant == FC_SLANT_ROMAN, font.bold && weight < FC_WEIGHT_DEMIBOLD};
  }

  FT_Face OpenFile(const std::string& file, int index) {
    auto key = std::pair{file, index};
    if (auto found = facesByFile.find(key); found != facesByFile.end())
      return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0)
      return nullptr;
    facesByFile.emplace(key, face);
    return face;
  }

  // GDI's line metrics: the Windows ascent and descent of the OS/2 table, when there is one.
  static std::pair<int, int> AscentDescent(FT_Face face, double pixels) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && face->units_per_EM > 0) {
      const double scale = pixels / face->units_per_EM;
      return {static_cast<int>(std::lround(os2->usWinAscent * scale)),
              static_cast<int>(std::lround(os2->usWinDescent * scale))};
    }
    const auto& metrics = face->size->metrics;
    return {static_cast<int>((metrics.ascender + 63) >> 6),
            static_cast<int>((-metrics.descender + 63) >> 6)};
  }

  // Lays the text out on one line; with `render`, every glyph's coverage is kept too.
  Line Layout(const FontSpec& font, std::string_view text, bool render) {
    Line line;
    StyledFace& styled = Resolve(font);
    const double pixels = PixelSize(font, pixelsPerInch);
    if (!styled.face || FT_Set_Char_Size(styled.face, 0, std::lround(pixels * 64), 72, 72) != 0) {
      line.height = static_cast<int>(std::lround(pixels));
      return line;
    }
    std::tie(line.ascent, line.height) = AscentDescent(styled.face, pixels);
    line.height += line.ascent;
    for (char32_t point : CodePoints(text)) {
      FT_GlyphSlot slot = LoadGlyph(styled, point);
      if (!slot)
        continue;
      if (render && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
        line.glyphs.push_back(Copy(slot, line.width));
      }
      line.width += static_cast<int>((slot->advance.x + 32) >> 6);
    }
    return line;
  }

  static FT_GlyphSlot LoadGlyph(const StyledFace& styled, char32_t point) {
    const FT_UInt index = FT_Get_Char_Index(styled.face, point);
    if (FT_Load_Glyph(styled.face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
      return nullptr;
    }
    FT_GlyphSlot slot = styled.face->glyph;
    if (styled.obliqueToAdd)
      FT_GlyphSlot_Oblique(slot);
    if (styled.boldToAdd)
      FT_GlyphSlot_Embolden(slot);
    return slot;
  }

  static Glyph Copy(FT_GlyphSlot slot, int x) {
    const FT_Bitmap& bitmap = slot->bitmap;
    Glyph glyph{x,
                slot->bitmap_left,
                slot->bitmap_top,
                static_cast<int>(bitmap.width),
                static_cast<int>(bitmap.rows),
                {}};
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
    for (int row = 0; row < glyph.rows; ++row) {
      const unsigned char* in = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
      std::copy_n(in, glyph.width,
                  glyph.coverage.data() + static_cast<std::size_t>(row) * glyph.width);
    }
    return glyph;
  }
};

FreeTypeTextEngine::FreeTypeTextEngine(double pixelsPerInch) : state_(std::make_unique<State>()) {
  state_->pixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : 96;
  FcInit();
  if (FT_Init_FreeType(&state_->library) != 0)
    state_->library = nullptr;
}

FreeTypeTextEngine::~FreeTypeTextEngine() = default;

TextExtent FreeTypeTextEngine::Measure(const FontSpec& font, std::string_view text) {
  if (!state_->library)
    return {};
  const Line line = state_->Layout(font, text, false);
  return {line.width, line.height};
}

CoverageMask FreeTypeTextEngine::Render(const FontSpec& font, std::string_view text) {
  if (!state_->library)
    return {};
  const Line line = state_->Layout(font, text, true);
  // Overhanging glyphs (italics) may reach past the advance width; the mask takes them in.
  int width = line.width;
  for (const Glyph& glyph : line.glyphs)
    width = std::max(width, glyph.x + glyph.left + glyph.width);
  CoverageMask mask{width, line.height, {}};
  mask.coverage.assign(static_cast<std::size_t>(width) * line.height, 0);
  for (const Glyph& glyph : line.glyphs) {
    for (int row = 0; row < glyph.rows; ++row) {
      const int y = line.ascent - glyph.top + row;
      if (y < 0 || y >= line.height)
        continue;
      for (int column = 0; column < glyph.width; ++column) {
        const int x = glyph.x + glyph.left + column;
        if (x < 0 || x >= width)
          continue;
        std::uint8_t& out = mask.coverage[static_cast<std::size_t>(y) * width + x];
        out = std::max(out, glyph.coverage[static_cast<std::size_t>(row) * glyph.width + column]);
      }
    }
  }
  return mask;
}

std::unique_ptr<TextEngine> MakePlatformTextEngine(double pixelsPerInch) {
  return std::make_unique<FreeTypeTextEngine>(pixelsPerInch);
}

}  // namespace frost
