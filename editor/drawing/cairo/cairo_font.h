// Fonts of the Cairo back end: faces found through fontconfig.
#pragma once

#include <cairo.h>

#include <string_view>

#include "editor/drawing/canvas.h"

namespace VSTGUI {

class CairoFont : public PlatformFont {
 public:
  CairoFont(cairo_scaled_font_t* font, bool underline) : font(font), underline(underline) {}
  ~CairoFont() override { cairo_scaled_font_destroy(font); }
  CairoFont(const CairoFont&) = delete;
  CairoFont& operator=(const CairoFont&) = delete;

  // Laid out as GDI+ lays out text with its default string format, the look
  // both back ends share: 1/6 em of padding before and after the glyphs.
  double layoutWidth(std::string_view text) const;
  double lineHeight() const;
  // The layout box's top-left corner at (x, top).
  void draw(cairo_t* cr, std::string_view text, double x, double top, CColor color,
            bool antialias) const;
  // Makes this the context's font, rendered as the antialias flag asks.
  void select(cairo_t* cr, bool antialias) const;

 private:
  double advance(std::string_view text) const;
  double padding() const;

  cairo_scaled_font_t* font;
  bool underline;
};

// Drops the faces kept for later requests (when the last frame or image goes).
void ReleaseCachedFonts();

}  // namespace VSTGUI
