// Xlib reports errors through one handler for the whole process, which the
// host owns. While the plug-in talks to its own connection, errors on that
// connection are caught here (and counted); every other error goes to the
// host's handler, once.
//
// Traps nest (the editor asks for the mouse while it handles an event): the
// outermost one takes the host's handler and the last to close gives it back.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI {

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  // Waits for the server to answer everything sent, then closes the trap.
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Errors on this connection since the trap opened (after a sync), those
  // met inside traps nested in it included.
  int errors();

 private:
  // The process's handler while any trap is open.
  static int handler(Display* display, XErrorEvent* error);

  Display* display;
  X11ErrorTrap* enclosing;  // the trap open before this one on this thread
  int errorCount = 0;
};

// Errors trapped on any of the plug-in's connections since the module loaded.
int TrappedX11Errors();

}  // namespace VSTGUI
