#include "editor/toolkit/x11/x11_error_trap.h"

#include <atomic>
#include <mutex>

namespace VSTGUI {

namespace {

// Xlib calls the handler on the thread that reads the error, which for our
// connections is the thread that opened the trap: the open traps are that
// thread's, and any other thread's errors pass straight to the host.
thread_local X11ErrorTrap* innermostTrap = nullptr;
thread_local bool inHandler = false;

// The process-wide handler is shared by every thread: installed by the first
// trap to open anywhere, handed back by the last to close.
std::mutex handlerLock;
int openTraps = 0;
std::atomic<XErrorHandler> hostHandler{nullptr};
std::atomic<int> trappedErrors{0};

}  // namespace

int X11ErrorTrap::handler(Display* display, XErrorEvent* error) {
  bool ours = false;
  for (X11ErrorTrap* trap = innermostTrap; trap; trap = trap->enclosing) {
    if (trap->display != display) continue;
    ++trap->errorCount;
    ours = true;
  }
  if (ours) {
    ++trappedErrors;
    return 0;
  }
  // A host handler that calls back into ours ends here, not in a loop.
  const XErrorHandler host = hostHandler.load();
  if (inHandler || host == nullptr) return 0;
  inHandler = true;
  const int result = host(display, error);
  inHandler = false;
  return result;
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), enclosing(innermostTrap) {
  XSync(display, False);
  innermostTrap = this;
  std::lock_guard<std::mutex> lock(handlerLock);
  if (openTraps++ == 0) {
    const XErrorHandler previous = XSetErrorHandler(handler);
    if (previous != handler) hostHandler = previous;
  }
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display, False);
  innermostTrap = enclosing;
  std::lock_guard<std::mutex> lock(handlerLock);
  if (--openTraps == 0) {
    // A handler the host set meanwhile is the host's latest: it stays.
    const XErrorHandler current = XSetErrorHandler(hostHandler.load());
    if (current != handler) XSetErrorHandler(current);
  }
}

int X11ErrorTrap::errors() {
  XSync(display, False);
  return errorCount;
}

int TrappedX11Errors() {
  return trappedErrors;
}

}  // namespace VSTGUI
