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
  if (context == nullptr || !image || context->getCanvas() == nullptr) return;
  const CPoint shift = context->getOffset();
  context->getCanvas()->drawImage(*image, TruncateToPixel(offset.x), TruncateToPixel(offset.y),
                                  TruncateToPixel(rect.width()), TruncateToPixel(rect.height()),
                                  TruncateToPixel(rect.left + shift.x),
                                  TruncateToPixel(rect.top + shift.y), opacity);
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
  if (destination.width() == source.width() && destination.height() == source.height()) {
    drawWithAlpha(context, destination, {source.left, source.top}, opacity);
    return;
  }
  if (context == nullptr || !image || context->getCanvas() == nullptr) return;
  PlatformImage* sharper = destination.width() > source.width() ? doubleSizeImage() : nullptr;
  const double density = sharper ? 2 : 1;
  const CRect artworkSource{source.left * density, source.top * density, source.right * density,
                            source.bottom * density};
  const CPoint shift = context->getOffset();
  context->getCanvas()->drawImageScaled(sharper ? *sharper : *image, artworkSource,
                                        destination.offset(shift.x, shift.y), opacity);
}

}  // namespace VSTGUI
