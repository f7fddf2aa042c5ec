#include "editor/toolkit/x11/x11_window.h"

#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cstdio>

#include "editor/drawing/cairo/cairo_canvas.h"
#include "editor/toolkit/x11/double_click_time.h"
#include "editor/toolkit/x11/x11_error_trap.h"
#include "platform/module_services.h"

namespace VSTGUI {

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | StructureNotifyMask;

// Modifier keys and held buttons of an X event state, in the toolkit's bits.
uint32_t ToolkitButtons(unsigned int state) {
  uint32_t buttons = 0;
  if (state & Button1Mask) buttons |= kLButton;
  if (state & Button2Mask) buttons |= kMButton;
  if (state & Button3Mask) buttons |= kRButton;
  if (state & ShiftMask) buttons |= kShift;
  if (state & ControlMask) buttons |= kControl;
  if (state & Mod1Mask) buttons |= kAlt;
  return buttons;
}

// The toolkit bit of a pressed button; 0 for the wheel and buttons it does not know.
uint32_t ButtonBit(unsigned int button) {
  switch (button) {
    case Button1:
      return kLButton;
    case Button2:
      return kMButton;
    case Button3:
      return kRButton;
    case 8:
      return kButton4;
    case 9:
      return kButton5;
    default:
      return 0;
  }
}

// The pointer query on our own connection: where the pointer is relative to `window`.
CPoint PointerIn(Display* display, Window window) {
  Window root, child;
  int rootX, rootY, x = 0, y = 0;
  unsigned int mask;
  X11ErrorTrap trap(display);
  XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
  return {double(x), double(y)};
}

CRect Union(const CRect& a, const CRect& b) {
  if (a.isEmpty()) return b;
  if (b.isEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

std::unique_ptr<NativeWindow> NativeWindow::create(void* parent, const CRect& size,
                                                   NativeWindowEvents& events) {
  return X11Window::create(static_cast<Window>(reinterpret_cast<uintptr_t>(parent)), size, events);
}

std::unique_ptr<X11Window> X11Window::create(Window parent, const CRect& size,
                                             NativeWindowEvents& events) {
  if (parent == None || size.isEmpty()) return nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  std::unique_ptr<X11Window> native(new X11Window(display, events, size));
  const auto width = static_cast<unsigned int>(size.width());
  const auto height = static_cast<unsigned int>(size.height());
  XWindowAttributes parentAttributes{};
  {
    X11ErrorTrap trap(display);
    if (!XGetWindowAttributes(display, parent, &parentAttributes) || trap.errors() > 0) {
      return nullptr;
    }
    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    attributes.background_pixmap = None;
    native->window =
        XCreateWindow(display, parent, 0, 0, width, height, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
    char className[64];
    std::snprintf(className, sizeof className, "Plugin%p", OwnModuleHandle());
    XClassHint classHint{className, className};
    XSetClassHint(display, native->window, &classHint);
    XStoreName(display, native->window, "Window");
    XMapWindow(display, native->window);
    if (trap.errors() > 0) {
      native->destroyed = true;  // nothing of it exists on the server
      return nullptr;
    }
    XWindowAttributes own{};
    XGetWindowAttributes(display, native->window, &own);
    native->windowSurface = cairo_xlib_surface_create(
        display, native->window, own.visual, static_cast<int>(width), static_cast<int>(height));
    native->makePicture(own);
  }
  native->backBuffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width),
                                                  static_cast<int>(height));
  native->dirty = size;
  return native;
}

X11Window::X11Window(Display* display, NativeWindowEvents& events, const CRect& size)
    : display(display),
      events(events),
      size(size),
      doubleClickTime(DesktopDoubleClickTime(display)) {}

X11Window::~X11Window() {
  if (backBuffer) cairo_surface_destroy(backBuffer);
  {
    // The host may have destroyed our window with its own.
    X11ErrorTrap trap(display);
    if (windowSurface) cairo_surface_destroy(windowSurface);
    if (pictureSurface) cairo_surface_destroy(pictureSurface);
    if (picture != None) XFreePixmap(display, picture);
    if (window != None && !destroyed) XDestroyWindow(display, window);
  }
  XCloseDisplay(display);
}

void X11Window::makePicture(const XWindowAttributes& own) {
  if (pictureSurface) cairo_surface_destroy(pictureSurface);
  if (picture != None) XFreePixmap(display, picture);
  const int width = static_cast<int>(size.width()), height = static_cast<int>(size.height());
  picture = XCreatePixmap(display, window, static_cast<unsigned int>(width),
                          static_cast<unsigned int>(height), static_cast<unsigned int>(own.depth));
  pictureSurface = cairo_xlib_surface_create(display, picture, own.visual, width, height);
  // Black, as every paint begins, until the first paint.
  cairo_t* cr = cairo_create(pictureSurface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(pictureSurface);
  XSetWindowBackgroundPixmap(display, window, picture);
}

void X11Window::invalidRect(const CRect& rect) {
  dirty = Union(dirty, rect.intersect(size));
}

void X11Window::processEvents() {
  if (destroyed) return;
  X11ErrorTrap trap(display);
  while (!destroyed && XPending(display) > 0) {
    XEvent event;
    // Every move is passed on, in order: the first move over a view only enters it.
    XNextEvent(display, &event);
    handle(event);
  }
  if (!destroyed) paint();
}

void X11Window::paintNow(const CRect& rect) {
  if (destroyed) return;
  invalidRect(rect);
  X11ErrorTrap trap(display);
  paint();
  XFlush(display);  // the server shows it now, not at the next idle
}

void X11Window::handle(XEvent& event) {
  switch (event.type) {
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      invalidRect({double(e.x), double(e.y), double(e.x + e.width), double(e.y + e.height)});
      break;
    }
    case ButtonPress:
    case ButtonRelease:
      handleButton(event.xbutton, event.type == ButtonPress);
      break;
    case MotionNotify:
      events.onNativeMouseMoved({double(event.xmotion.x), double(event.xmotion.y)},
                                ToolkitButtons(event.xmotion.state));
      break;
    case LeaveNotify:
      if (event.xcrossing.mode == NotifyNormal)
        events.onNativeMouseLeave(mouseLocation(), mouseButtons());
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == window) {
        destroyed = true;
        events.onNativeWindowDestroyed();
      }
      break;
    default:
      break;
  }
}

void X11Window::handleButton(const XButtonEvent& event, bool pressed) {
  const CPoint where{double(event.x), double(event.y)};
  const uint32_t modifiers = ToolkitButtons(event.state) & (kShift | kControl | kAlt);
  if (event.button == Button4 || event.button == Button5) {
    if (pressed) events.onNativeWheel(where, event.button == Button4 ? 1.0f : -1.0f, modifiers);
    return;
  }
  const uint32_t bit = ButtonBit(event.button);
  if (bit == 0) return;
  // The state holds the buttons before this event: add a press, drop a release.
  uint32_t buttons = ToolkitButtons(event.state);
  if (!pressed) {
    events.onNativeMouseUp(where, buttons & ~bit);
    return;
  }
  buttons |= bit;
  const bool doubleClick = !lastPressWasDoubleClick && event.button == lastPressButton &&
                           event.time - lastPressTime <= static_cast<Time>(doubleClickTime);
  if (doubleClick) buttons |= kDoubleClick;
  lastPressWasDoubleClick = doubleClick;
  lastPressButton = event.button;
  lastPressTime = event.time;
  // X holds the pointer for this window until the last button is released, so
  // moves and the release keep arriving outside it.
  events.onNativeMouseDown(where, buttons);
}

void X11Window::paint() {
  if (dirty.isEmpty() || pictureSurface == nullptr) return;
  const CRect area = dirty;
  dirty = {};
  {
    auto context = SharedPointer<CDrawContext>::adopt(
        new CDrawContext(std::make_unique<CairoCanvas>(backBuffer), size, {}, cursorLocator()));
    events.onPaint(context.get(), area);
  }
  cairo_surface_flush(backBuffer);
  // The whole buffer goes to the server, not only the area: it holds the last
  // picture everywhere, and Cairo 1.16 loses a block on its connection's close
  // once it has copied part of an image to a drawable.
  cairo_t* cr = cairo_create(pictureSurface);
  cairo_set_source_surface(cr, backBuffer, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(pictureSurface);
  // The server copies its background into the window: one picture, two places.
  XClearArea(display, window, 0, 0, 0, 0, False);
}

namespace {

// The X cursor font shape of a toolkit cursor; 0 for the window's own cursor.
unsigned int FontCursorFor(CCursorType type) {
  switch (type) {
    case kCursorWait:
      return XC_watch;
    case kCursorHSize:
      return XC_sb_h_double_arrow;
    case kCursorVSize:
      return XC_sb_v_double_arrow;
    case kCursorSizeAll:
      return XC_fleur;
    case kCursorNESWSize:
      return XC_bottom_left_corner;
    case kCursorNWSESize:
      return XC_bottom_right_corner;
    case kCursorNotAllowed:
      return XC_X_cursor;
    case kCursorHand:
      return XC_hand2;
    default:
      return 0;
  }
}

}  // namespace

void X11Window::setCursor(CCursorType type) {
  if (destroyed) return;
  X11ErrorTrap trap(display);
  const unsigned int shape = FontCursorFor(type);
  if (shape == 0) {
    XUndefineCursor(display, window);  // back to the cursor of the host's window
    return;
  }
  const Cursor cursor = XCreateFontCursor(display, shape);
  XDefineCursor(display, window, cursor);
  XFreeCursor(display, cursor);
}

CPoint X11Window::mouseLocation() {
  return PointerIn(display, window);
}

CursorLocator X11Window::cursorLocator() const {
  return [display = display, window = window] { return PointerIn(display, window); };
}

uint32_t X11Window::mouseButtons() {
  Window root, child;
  int rootX, rootY, x, y;
  unsigned int mask = 0;
  X11ErrorTrap trap(display);
  XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
  return ToolkitButtons(mask);
}

SharedPointer<CDrawContext> X11Window::makeSurface() {
  if (destroyed || windowSurface == nullptr) return {};
  return SharedPointer<CDrawContext>::adopt(
      new CDrawContext(std::make_unique<CairoCanvas>(windowSurface), size, {}, cursorLocator()));
}

void X11Window::resize(const CRect& newSize) {
  size = newSize;
  const int width = static_cast<int>(size.width()), height = static_cast<int>(size.height());
  if (backBuffer) cairo_surface_destroy(backBuffer);
  backBuffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  dirty = size;
  if (destroyed) return;
  X11ErrorTrap trap(display);
  XResizeWindow(display, window, static_cast<unsigned int>(width),
                static_cast<unsigned int>(height));
  if (windowSurface) cairo_xlib_surface_set_size(windowSurface, width, height);
  // The server tiles a background smaller than its window: the old picture
  // would repeat in the new strip.
  XWindowAttributes own{};
  if (XGetWindowAttributes(display, window, &own)) makePicture(own);
}

}  // namespace VSTGUI
