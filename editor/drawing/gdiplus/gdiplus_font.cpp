#include "editor/drawing/gdiplus/gdiplus_font.h"

#include <cmath>

#include "editor/drawing/font_desc.h"
#include "platform/windows/utf16.h"

namespace VSTGUI {

namespace {

constexpr size_t kMaxFamilyName = 200;

// Exactly one style applies: underline, else italic, else bold.
INT FontStyleFor(int32_t style) {
  if (style & kUnderlineFace) return Gdiplus::FontStyleUnderline;
  if (style & kItalicFace) return Gdiplus::FontStyleItalic;
  if (style & kBoldFace) return Gdiplus::FontStyleBold;
  return Gdiplus::FontStyleRegular;
}

}  // namespace

std::unique_ptr<PlatformFont> MakePlatformFont(const std::string& family, double size,
                                               int32_t style) {
  using namespace Gdiplus::DllExports;
  if (!(size > 0 && size < 10000)) return nullptr;
  std::wstring name = Utf8ToUtf16(family);
  if (name.empty()) return nullptr;
  if (name.size() > kMaxFamilyName) name.resize(kMaxFamilyName);
  // Held while the font is made, so that a font made outside any frame or image works too.
  GdiplusLibraryReference library;
  if (!library.started()) return nullptr;
  Gdiplus::GpFontFamily* fontFamily = nullptr;
  if (GdipCreateFontFamilyFromName(name.c_str(), nullptr, &fontFamily) != Gdiplus::Ok) {
    return nullptr;
  }
  Gdiplus::GpFont* font = nullptr;
  const Gdiplus::Status status = GdipCreateFont(fontFamily, static_cast<Gdiplus::REAL>(size),
                                                FontStyleFor(style), Gdiplus::UnitPixel, &font);
  GdipDeleteFontFamily(fontFamily);
  if (status != Gdiplus::Ok) return nullptr;
  return std::make_unique<GdiplusFont>(font);
}

}  // namespace VSTGUI
