// The window class of the editor's windows: "Plugin" followed by the module's
// handle, so that each loaded copy of the plug-in has its own. Registered
// with the first window and unregistered with the last.
#pragma once

#include <windows.h>

namespace VSTGUI {

class WindowClass {
 public:
  // Registers the class on the first use; null when it cannot be registered
  // (then nothing is counted).
  static const wchar_t* acquire(WNDPROC procedure);
  static void release();
  // Whether the user swapped the mouse buttons, as read at registration.
  static bool buttonsSwapped();
};

}  // namespace VSTGUI
