// The scale the desktop shows windows at, as the platform tells it.
#pragma once

#include <optional>

namespace VSTGUI {

// For a window in `parent` (null: before there is one); none when the platform
// tells none or an unusable one. Never changes the process's own settings.
std::optional<double> DesktopScale(void* parent);

}  // namespace VSTGUI
