// Fonts of the GDI+ back end: a family by name at a size in pixels.
#pragma once

#include "editor/drawing/canvas.h"
#include "editor/drawing/gdiplus/gdiplus_library.h"

namespace VSTGUI {

class GdiplusFont : public PlatformFont {
 public:
  explicit GdiplusFont(Gdiplus::GpFont* font) : font(font) {}
  ~GdiplusFont() override { Gdiplus::DllExports::GdipDeleteFont(font); }
  GdiplusFont(const GdiplusFont&) = delete;
  GdiplusFont& operator=(const GdiplusFont&) = delete;

  Gdiplus::GpFont* get() const { return font; }

 private:
  GdiplusLibraryReference library;  // first: outlives the font
  Gdiplus::GpFont* font;
};

}  // namespace VSTGUI
