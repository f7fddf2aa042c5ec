// Texts reach the surface as UTF-8; one that is not valid UTF-8 is drawn as empty.
#pragma once

#include <string_view>

namespace VSTGUI {

bool IsValidUtf8(std::string_view text);

inline std::string_view DrawableText(std::string_view text) {
  return IsValidUtf8(text) ? text : std::string_view();
}

}  // namespace VSTGUI
