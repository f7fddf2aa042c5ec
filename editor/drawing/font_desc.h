// A font description: family, pixel size and style, with the back end's font
// made on first use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/drawing/base_object.h"
#include "editor/drawing/canvas.h"

namespace VSTGUI {

enum FontStyle : int32_t { kNormalFace = 0, kBoldFace = 1, kItalicFace = 2, kUnderlineFace = 4 };

class CFontDesc : public CBaseObject {
 public:
  CFontDesc(std::string name, double size, int32_t style)
      : name(std::move(name)), size(size), style(style) {}

  const std::string& getName() const { return name; }
  double getSize() const { return size; }
  int32_t getStyle() const { return style; }
  void setName(std::string newName);

  // The back end's font, made on first use; null for a family nobody knows.
  PlatformFont* getPlatformFont();
  void releasePlatformFont();

 private:
  std::string name;
  double size;
  int32_t style;
  std::unique_ptr<PlatformFont> platformFont;
  bool platformFontTried = false;
};

// The descriptions that exist from start-up; the first is every new surface's font.
enum StaticFont {
  kSystemFont,
  kNormalFontVeryBig,
  kNormalFontBig,
  kNormalFont,
  kNormalFontSmall,
  kNormalFontSmaller,
  kNormalFontVerySmall,
  kSymbolFont,
  kStaticFontCount
};
CFontDesc* GetStaticFont(StaticFont which);
void ReleaseStaticPlatformFonts();

}  // namespace VSTGUI
