// Xlib reports errors through one handler for the whole process, which the
// host owns. While the plug-in talks to its own connection, errors on that
// connection are caught here (and counted); others go to the host's handler.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI {

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  // Waits for the server to answer everything sent, then restores the handler.
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Errors on this connection so far (after a sync).
  int errors();

 private:
  Display* display;
  XErrorHandler previous;
};

// Errors trapped on any of the plug-in's connections since the module loaded.
int TrappedX11Errors();

}  // namespace VSTGUI
