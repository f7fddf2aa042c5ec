#include "editor/drawing/font_desc.h"

#include <array>

namespace VSTGUI {

void CFontDesc::setName(std::string newName) {
  if (newName == name) return;
  name = std::move(newName);
  releasePlatformFont();
}

PlatformFont* CFontDesc::getPlatformFont() {
  if (!platformFontTried) {
    platformFont = MakePlatformFont(name, size, style);
    platformFontTried = true;
  }
  return platformFont.get();
}

void CFontDesc::releasePlatformFont() {
  platformFont.reset();
  platformFontTried = false;
}

namespace {

// Never destroyed through a reference count: they live as long as the module.
std::array<CFontDesc, kStaticFontCount>& StaticFonts() {
  static std::array<CFontDesc, kStaticFontCount> fonts = {{
      {"Arial", 12, kNormalFace},
      {"Arial", 18, kNormalFace},
      {"Arial", 14, kNormalFace},
      {"Arial", 12, kNormalFace},
      {"Arial", 11, kNormalFace},
      {"Arial", 10, kNormalFace},
      {"Arial", 9, kNormalFace},
      {"Symbol", 13, kNormalFace},
  }};
  return fonts;
}

}  // namespace

CFontDesc* GetStaticFont(StaticFont which) {
  return &StaticFonts()[which];
}

void ReleaseStaticPlatformFonts() {
  for (CFontDesc& font : StaticFonts())
    font.releasePlatformFont();
}

}  // namespace VSTGUI
