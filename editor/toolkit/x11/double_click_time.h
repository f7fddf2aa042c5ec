// The desktop's double-click time, as its settings manager publishes it.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace VSTGUI {

// Milliseconds; the common default when no settings manager says otherwise.
int32_t DesktopDoubleClickTime(Display* display);

// Reads "Net/DoubleClickTime" from an XSETTINGS property; -1 when absent.
int32_t DoubleClickTimeFromSettings(const std::vector<unsigned char>& settings);

}  // namespace VSTGUI
