#include "editor/drawing/cairo/cairo_font.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "editor/drawing/font_desc.h"

namespace VSTGUI {

namespace {

bool HasFamily(FcPattern* font, const char* family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0) return true;
  }
  return false;
}

// The face fontconfig gives a request it knows nothing about.
FcPattern* MatchFor(const char* family) {
  FcPattern* request = FcPatternCreate();
  FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcConfigSubstitute(nullptr, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, request, &result);
  FcPatternDestroy(request);
  return match;
}

const std::string& FallbackFamily() {
  static const std::string family = [] {
    std::string name;
    if (FcPattern* match = MatchFor("\x01 no family has this name")) {
      FcChar8* found = nullptr;
      if (FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch) {
        name = reinterpret_cast<const char*>(found);
      }
      FcPatternDestroy(match);
    }
    return name;
  }();
  return family;
}

// fontconfig always finds some face. The family is known when the face carries
// the requested name, or when the configuration binds the name to a face of its
// own (Liberation Sans for Arial) rather than leaving it to the fallback that any
// unknown name gets.
bool BoundToRequestedFamily(const char* family, FcPattern* match) {
  if (HasFamily(match, family)) return true;
  FcChar8* found = nullptr;
  return FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
         FallbackFamily() != reinterpret_cast<const char*>(found);
}

// Exactly one style applies: underline, else italic, else bold.
void AddStyle(FcPattern* pattern, int32_t style) {
  if (style & kUnderlineFace) return;
  if (style & kItalicFace) {
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
  } else if (style & kBoldFace) {
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
  }
}

// The text rendering of both back ends, by the surface's antialias flag:
//   flag   GDI+ TextRenderingHint        Cairo antialias
//   set    ClearTypeGridFit (5)          CAIRO_ANTIALIAS_GRAY
//   clear  SystemDefault (0)             CAIRO_ANTIALIAS_DEFAULT (the desktop's
//                                        fontconfig and Xft settings)
// Grey rather than subpixel: an image or back buffer has no subpixel order,
// and subpixel coverage would fringe text drawn on transparent pixels.
cairo_antialias_t TextAntialias(bool antialias) {
  return antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_DEFAULT;
}

// GDI+'s default string format pads every string by 1/6 em on both sides,
// when it measures and when it draws.
constexpr double kPaddingPerEm = 1.0 / 6;

struct Key {
  std::string family;
  double size;
  int32_t style;
  bool operator==(const Key&) const = default;
};

cairo_scaled_font_t* MakeScaledFont(FcPattern* resolved, double size) {
  cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(resolved);
  cairo_matrix_t fontMatrix, identity;
  cairo_matrix_init_scale(&fontMatrix, size, size);
  cairo_matrix_init_identity(&identity);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_scaled_font_t* font = cairo_scaled_font_create(face, &fontMatrix, &identity, options);
  cairo_font_options_destroy(options);
  cairo_font_face_destroy(face);
  if (cairo_scaled_font_status(font) != CAIRO_STATUS_SUCCESS) {
    cairo_scaled_font_destroy(font);
    return nullptr;
  }
  return font;
}

// Finding a face is far slower than drawing with it, and a surface makes a new
// description for every size a script asks for: faces found are kept, per
// family, size and style, while a frame or an image is alive (editor thread only).
class ScaledFontCache {
 public:
  static constexpr size_t kCapacity = 64;

  ~ScaledFontCache() { clear(); }

  void clear() {
    for (Entry& entry : entries)
      cairo_scaled_font_destroy(entry.font);
    entries.clear();
  }

  cairo_scaled_font_t* find(const Key& key) const {
    for (const Entry& entry : entries) {
      if (entry.key == key) return cairo_scaled_font_reference(entry.font);
    }
    return nullptr;
  }

  void add(Key key, cairo_scaled_font_t* font) {
    if (entries.size() == kCapacity) clear();
    entries.push_back({std::move(key), cairo_scaled_font_reference(font)});
  }

 private:
  struct Entry {
    Key key;
    cairo_scaled_font_t* font;
  };

  std::vector<Entry> entries;
};

ScaledFontCache& Cache() {
  static ScaledFontCache cache;
  return cache;
}

cairo_scaled_font_t* FindScaledFont(const std::string& family, double size, int32_t style) {
  if (family.empty() || !(size > 0 && size < 10000)) return nullptr;
  FcPattern* request = FcPatternCreate();
  FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddDouble(request, FC_PIXEL_SIZE, size);
  AddStyle(request, style);
  FcConfigSubstitute(nullptr, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, request, &result);
  cairo_scaled_font_t* font = nullptr;
  if (match != nullptr && BoundToRequestedFamily(family.c_str(), match)) {
    FcPattern* resolved = FcFontRenderPrepare(nullptr, request, match);
    font = MakeScaledFont(resolved, size);
    FcPatternDestroy(resolved);
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(request);
  return font;
}

}  // namespace

std::unique_ptr<PlatformFont> MakePlatformFont(const std::string& family, double size,
                                               int32_t style) {
  Key key{family, size, style};
  cairo_scaled_font_t* font = Cache().find(key);
  if (font == nullptr) {
    font = FindScaledFont(family, size, style);
    if (font == nullptr) return nullptr;
    Cache().add(std::move(key), font);
  }
  return std::make_unique<CairoFont>(font, (style & kUnderlineFace) != 0);
}

void ReleaseCachedFonts() {
  Cache().clear();
}

double CairoFont::advance(std::string_view text) const {
  const std::string terminated(text);
  cairo_text_extents_t extents;
  cairo_scaled_font_text_extents(font, terminated.c_str(), &extents);
  return extents.x_advance;
}

double CairoFont::padding() const {
  cairo_matrix_t size;
  cairo_scaled_font_get_font_matrix(font, &size);
  return size.yy * kPaddingPerEm;
}

double CairoFont::layoutWidth(std::string_view text) const {
  return text.empty() ? 0 : advance(text) + 2 * padding();
}

double CairoFont::lineHeight() const {
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(font, &extents);
  return extents.height;
}

void CairoFont::select(cairo_t* cr, bool antialias) const {
  // After the font, which brings its own options and would replace these.
  cairo_set_scaled_font(cr, font);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_scaled_font_get_font_options(font, options);
  cairo_font_options_set_antialias(options, TextAntialias(antialias));
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void CairoFont::draw(cairo_t* cr, std::string_view text, double x, double top, CColor color,
                     bool antialias) const {
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(font, &extents);
  const double baseline = top + extents.ascent;
  const double start = x + padding();
  const std::string terminated(text);
  cairo_save(cr);
  select(cr, antialias);
  cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                        color.alpha / 255.0);
  cairo_move_to(cr, start, baseline);
  cairo_show_text(cr, terminated.c_str());
  if (underline) {
    const double thickness = std::max(1.0, extents.height / 16);
    cairo_rectangle(cr, start, baseline + thickness, advance(text), thickness);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

}  // namespace VSTGUI
