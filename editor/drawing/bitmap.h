// Images: a reference-counted CBitmap, the holder the script keeps per image
// slot, and drawing an image with its own alpha and an extra opacity.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/drawing/base_object.h"
#include "editor/drawing/canvas.h"
#include "editor/drawing/geometry.h"
#include "editor/drawing/graphics_globals.h"

namespace VSTGUI {

class CDrawContext;

class CBitmap : public CBaseObject {
 public:
  enum SourceKind : int32_t { kResourceNumber = 0, kResourceName = 1, kNoSource = 2 };

  // Decodes the module's image of this number or name; 0 × 0 when there is none.
  explicit CBitmap(int32_t resourceNumber);
  explicit CBitmap(const std::string& resourceName);
  // Takes an image decoded elsewhere (a file, an offscreen surface).
  explicit CBitmap(std::unique_ptr<PlatformImage> image);

  double getWidth() const { return width; }
  double getHeight() const { return height; }
  PlatformImage* getPlatformImage() const { return image.get(); }
  SourceKind getSourceKind() const { return sourceKind; }

  void draw(CDrawContext* context, const CRect& rect, CPoint offset = {});
  // For callers that ask for an image without transparency handling: the image's own alpha
  // still blends, exactly as in draw.
  void drawPlain(CDrawContext* context, const CRect& rect, CPoint offset = {}) {
    draw(context, rect, offset);
  }
  void drawWithAlpha(CDrawContext* context, const CRect& rect, CPoint offset, uint8_t opacity);
  // `source` in the image's own pixels, stretched over `destination`. Drawn
  // larger than itself, an image of the module's comes from its twice-size
  // artwork where it has one, so that a scaled editor shows no blurred image.
  void drawScaled(CDrawContext* context, const CRect& destination, const CRect& source,
                  uint8_t opacity);

  CColor transparentColor{255, 255, 255, 0};  // kept for callers; drawing never consults it
  uint8_t flag = 1;

 private:
  void adopt(std::unique_ptr<PlatformImage> decoded);
  // Decoded on first use: an editor at scale 1 never needs it. Null when there is none.
  PlatformImage* doubleSizeImage();

  GraphicsLibraryUser libraryUser;  // first: the library outlives the image
  SourceKind sourceKind;
  int32_t resourceNumber = 0;
  std::string resourceName;
  double width = 0;
  double height = 0;
  std::unique_ptr<PlatformImage> image;
  std::unique_ptr<PlatformImage> doubleSize;
  bool doubleSizeLooked = false;
};

// One image slot of the script: owns one reference to its bitmap, if any.
struct ImageHolder {
  SharedPointer<CBitmap> bitmap;
};

}  // namespace VSTGUI
