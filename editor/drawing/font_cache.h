// The font families the script has asked for on one adapter, in the order first
// asked, each description holding one reference. It lives on the adapter, so a
// family asked for again in a later paint is found by name.
#pragma once

#include <string_view>
#include <vector>

#include "editor/drawing/base_object.h"
#include "editor/drawing/font_desc.h"
#include "host/cdazu.h"

namespace VSTGUI {

class FontCache : public CDaZUFontCache {
 public:
  // The adapter's cache, made on first use.
  static FontCache& of(CDaZU& adapter);

  // The newest description whose family equals `name` ignoring ASCII case;
  // when there is none, a new one (size 0, regular) is kept and answered.
  CFontDesc* family(std::string_view name);
  const std::vector<SharedPointer<CFontDesc>>& entries() const { return fonts; }

 private:
  std::vector<SharedPointer<CFontDesc>> fonts;
};

}  // namespace VSTGUI
