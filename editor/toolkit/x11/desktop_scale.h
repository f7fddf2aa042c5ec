// The X desktop's scale: Xft.dpi in the root window's resources, as desktops set
// it (and `xrdb` does), over the 96 dots per inch that stand for scale 1.
#pragma once

#include <optional>
#include <string_view>

namespace VSTGUI {

// From the text of the resource database (XResourceManagerString).
std::optional<double> ScaleFromXResources(std::string_view resources);

}  // namespace VSTGUI
