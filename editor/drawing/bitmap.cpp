#include "editor/drawing/bitmap.h"

#include "editor/drawing/draw_context.h"
#include "platform/module_services.h"

namespace VSTGUI {

namespace {

// The image of type "DATA" with this number or name; when there is none, the
// ordinary bitmap resource.
template <class ResourceId>
std::unique_ptr<PlatformImage> ResourceImage(const ResourceId& id) {
  const ModuleResource resource = FindModuleResource(id);
  return resource.bytes ? DecodeImage(resource.bytes, resource.size) : LoadBitmapResource(id);
}

}  // namespace

CBitmap::CBitmap(int32_t number) : sourceKind(kResourceNumber), resourceNumber(number) {
  adopt(ResourceImage(number));
}

CBitmap::CBitmap(const std::string& name) : sourceKind(kResourceName), resourceName(name) {
  adopt(ResourceImage(name));
}

CBitmap::CBitmap(std::unique_ptr<PlatformImage> decoded) : sourceKind(kNoSource) {
  adopt(std::move(decoded));
}

void CBitmap::adopt(std::unique_ptr<PlatformImage> decoded) {
  image = std::move(decoded);
  width = image ? image->width() : 0;
  height = image ? image->height() : 0;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, CPoint offset) {
  drawWithAlpha(context, rect, offset, 255);
}

void CBitmap::drawWithAlpha(CDrawContext* context, const CRect& rect, CPoint offset,
                            uint8_t opacity) {
  drawScaled(context, rect,
             CRect{offset.x, offset.y, offset.x + rect.width(), offset.y + rect.height()}, opacity);
}

PlatformImage* CBitmap::doubleSizeImage() {
  if (!doubleSizeLooked && sourceKind == kResourceNumber) {
    doubleSizeLooked = true;
    const ModuleResource resource = FindDoubleSizeResource(resourceNumber);
    if (resource.bytes) doubleSize = DecodeImage(resource.bytes, resource.size);
    // Artwork of another shape would shift the picture: none is better.
    if (doubleSize && (doubleSize->width() != 2 * width || doubleSize->height() != 2 * height)) {
      doubleSize.reset();
    }
  }
  return doubleSize.get();
}

void CBitmap::drawScaled(CDrawContext* context, const CRect& destination, const CRect& source,
                         uint8_t opacity) {
  if (context == nullptr || !image || context->getCanvas() == nullptr) return;
  PlatformImage* sharper = destination.width() > source.width() ? doubleSizeImage() : nullptr;
  PlatformImage& artwork = sharper ? *sharper : *image;
  const double density = sharper ? 2 : 1;
  const CRect from{source.left * density, source.top * density, source.right * density,
                   source.bottom * density};
  const CRect to = destination.offset(context->getOffset().x, context->getOffset().y);
  // Pixel for pixel where the artwork has the size drawn: a plain copy.
  if (from.width() == to.width() && from.height() == to.height()) {
    context->getCanvas()->drawImage(artwork, TruncateToPixel(from.left), TruncateToPixel(from.top),
                                    TruncateToPixel(to.width()), TruncateToPixel(to.height()),
                                    TruncateToPixel(to.left), TruncateToPixel(to.top), opacity);
    return;
  }
  context->getCanvas()->drawImageScaled(artwork, from, to, opacity);
}

}  // namespace VSTGUI
