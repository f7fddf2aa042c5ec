// The font families the script has asked for on one instance, in the order first
// asked, each description holding one reference. It lives on the instance, so a
// family asked for again in a later paint is found by name.
#pragma once

#include <string_view>
#include <vector>

#include "core/effect_instance.h"
#include "editor/drawing/base_object.h"
#include "editor/drawing/font_desc.h"

namespace VSTGUI {

class FontCache : public InstanceFontCache {
 public:
  // The instance's cache, made on first use.
  static FontCache& of(EffectInstance& instance);

  // The newest description whose family equals `name` ignoring ASCII case;
  // when there is none, a new one (size 0, regular) is kept and answered.
  CFontDesc* family(std::string_view name);
  const std::vector<SharedPointer<CFontDesc>>& entries() const { return fonts; }

 private:
  std::vector<SharedPointer<CFontDesc>> fonts;
};

}  // namespace VSTGUI
