#include "editor/toolkit/x11/x11_error_trap.h"

namespace VSTGUI {

namespace {

// Editor thread only: one trap at a time.
Display* trappedDisplay = nullptr;
XErrorHandler hostHandler = nullptr;
int trappedErrors = 0;
int errorsInTrap = 0;

int TrapHandler(Display* display, XErrorEvent* error) {
  if (display == trappedDisplay) {
    ++trappedErrors;
    ++errorsInTrap;
    return 0;
  }
  return hostHandler ? hostHandler(display, error) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display) {
  XSync(display, False);
  trappedDisplay = display;
  errorsInTrap = 0;
  previous = XSetErrorHandler(TrapHandler);
  hostHandler = previous;
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display, False);
  XSetErrorHandler(previous);
  trappedDisplay = nullptr;
  hostHandler = nullptr;
}

int X11ErrorTrap::errors() {
  XSync(display, False);
  return errorsInTrap;
}

int TrappedX11Errors() {
  return trappedErrors;
}

}  // namespace VSTGUI
