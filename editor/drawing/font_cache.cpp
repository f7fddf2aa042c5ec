#include "editor/drawing/font_cache.h"

#include <memory>
#include <string>

#include "runtime/ascii.h"

namespace VSTGUI {

FontCache& FontCache::of(EffectInstance& instance) {
  if (instance.getFontCache() == nullptr) instance.setFontCache(std::make_unique<FontCache>());
  // The only kind of font cache there is.
  return static_cast<FontCache&>(*instance.getFontCache());
}

CFontDesc* FontCache::family(std::string_view name) {
  for (auto it = fonts.rbegin(); it != fonts.rend(); ++it) {
    if (EqualIgnoringAsciiCase((*it)->getName(), name)) return it->get();
  }
  fonts.push_back(
      SharedPointer<CFontDesc>::adopt(new CFontDesc(std::string(name), 0, kNormalFace)));
  return fonts.back().get();
}

}  // namespace VSTGUI
