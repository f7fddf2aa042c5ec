#include "tests/support/x11_host.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The handler may run on any of the host's threads.
std::array<std::atomic<Display*>, 16> hostConnections{};
std::atomic<int> errorsOnHostConnections{0};
std::atomic<int> errorsFromElsewhere{0};

int CountError(Display* display, XErrorEvent*) {
  const bool own = std::any_of(hostConnections.begin(), hostConnections.end(),
                               [&](const std::atomic<Display*>& c) { return c == display; });
  ++(own ? errorsOnHostConnections : errorsFromElsewhere);
  return 0;
}

void Register(Display* connection, Display* replacing) {
  for (std::atomic<Display*>& slot : hostConnections) {
    Display* expected = replacing;
    if (slot.compare_exchange_strong(expected, connection)) return;
  }
}

}  // namespace

X11Host::X11Host(bool mapped) : display(XOpenDisplay(nullptr)) {
  if (display == nullptr) return;
  Register(display, nullptr);
  // The host's own handler: an error that slips out of the plug-in lands here.
  XSetErrorHandler(CountError);
  errorsOnHostConnections = 0;
  errorsFromElsewhere = 0;
  const int screen = DefaultScreen(display);
  parentWindow = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 600, 600, 0,
                                     BlackPixel(display, screen), WhitePixel(display, screen));
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;  // no window manager moves it
  XChangeWindowAttributes(display, parentWindow, CWOverrideRedirect, &attributes);
  if (mapped) XMapRaised(display, parentWindow);
  XSync(display, False);
}

X11Host::~X11Host() {
  if (display == nullptr) return;
  for (Display* connection : connections) {
    XCloseDisplay(connection);
    Register(nullptr, connection);
  }
  if (parentWindow) XDestroyWindow(display, parentWindow);
  XCloseDisplay(display);
  Register(nullptr, display);
}

Window X11Host::editorWindow() const {
  Window root, parentOfParent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parentWindow, &root, &parentOfParent, &children, &count)) return None;
  const Window child = count > 0 ? children[0] : None;
  if (children) XFree(children);
  return child;
}

std::vector<VSTGUI::CColor> X11Host::screenshot(Window window, int width, int height) const {
  std::vector<VSTGUI::CColor> pixels;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      pixels.push_back({static_cast<uint8_t>((pixel >> 16) & 0xFF),
                        static_cast<uint8_t>((pixel >> 8) & 0xFF),
                        static_cast<uint8_t>(pixel & 0xFF), 255});
    }
  }
  XDestroyImage(image);
  return pixels;
}

void X11Host::showWindow(bool shown) {
  if (shown) {
    XMapRaised(display, parentWindow);
  } else {
    XUnmapWindow(display, parentWindow);
  }
  XSync(display, False);
}

void X11Host::coverAndUncover() {
  const int screen = DefaultScreen(display);
  const Window cover =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 600, 600, 0,
                          WhitePixel(display, screen), WhitePixel(display, screen));
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  XChangeWindowAttributes(display, cover, CWOverrideRedirect, &attributes);
  XMapRaised(display, cover);
  XDestroyWindow(display, cover);
  XSync(display, False);
}

void X11Host::moveTo(int x, int y) {
  XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
  XSync(display, False);
}

void X11Host::press(unsigned int button) {
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XSync(display, False);
}

void X11Host::release(unsigned int button) {
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XSync(display, False);
}

void X11Host::holdKey(unsigned long keysym, bool down) {
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False, CurrentTime);
  XSync(display, False);
}

void X11Host::destroyParent() {
  XDestroyWindow(display, parentWindow);
  XSync(display, False);
  parentWindow = 0;
}

bool X11Host::waitUntil(const std::function<void()>& step, const std::function<bool()>& done) {
  // Generous: a loaded machine may take a while to pass events between two clients.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    step();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

Display* X11Host::openConnection() {
  Display* connection = XOpenDisplay(nullptr);
  if (connection == nullptr) return nullptr;
  connections.push_back(connection);
  Register(connection, nullptr);
  return connection;
}

void X11Host::raiseError(Display* connection) {
  // A fresh id of the connection's own that names no window yet.
  XDestroyWindow(connection, XAllocID(connection));
  XSync(connection, False);
}

int X11Host::ownErrorsSeen() const {
  XSync(display, False);
  return errorsOnHostConnections;
}

int X11Host::hostErrors() const {
  XSync(display, False);
  return errorsFromElsewhere;
}

bool X11Host::handlerIsTheHosts() {
  const XErrorHandler current = XSetErrorHandler(CountError);
  XSetErrorHandler(current);
  return current == CountError;
}
