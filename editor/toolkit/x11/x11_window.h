// The editor's child window on X11, on a connection of the plug-in's own.
// Events are drained without waiting whenever the host idles the editor.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include "editor/toolkit/native_window.h"

namespace VSTGUI {

class X11Window : public NativeWindow {
 public:
  // Opens the connection and maps the window; null when either fails.
  static std::unique_ptr<X11Window> create(Window parent, const CRect& size,
                                           NativeWindowEvents& events);
  ~X11Window() override;

  void invalidRect(const CRect& rect) override;
  void processEvents() override;
  void paintNow(const CRect& rect) override;
  void setCursor(CCursorType type) override;
  CPoint mouseLocation() override;
  uint32_t mouseButtons() override;
  SharedPointer<CDrawContext> makeSurface() override;
  // The host's windows are its own: it hears of a new editor size from the editor, whose
  // rectangle it reads back, never from the frame's window alone.
  void resize(const CRect& newSize) override;
  uintptr_t handle() const override { return window; }
  // The connection of our own, so a host can wake us when its events arrive.
  int eventDescriptor() const override { return ConnectionNumber(display); }

 private:
  X11Window(Display* display, NativeWindowEvents& events, const CRect& size);

  void handle(XEvent& event);
  void handleButton(const XButtonEvent& event, bool pressed);
  void paint();
  // The server's copy of the picture at the window's size, set as its background.
  void makePicture(const XWindowAttributes& own);
  CursorLocator cursorLocator() const;

  Display* display;
  NativeWindowEvents& events;
  CRect size;
  Window window = None;
  bool destroyed = false;
  cairo_surface_t* windowSurface = nullptr;
  cairo_surface_t* backBuffer = nullptr;  // painted first, then copied: no flicker
  // The last picture on the server, as the window's background: the server
  // answers an expose with it at once, however rarely the host idles us.
  Pixmap picture = None;
  cairo_surface_t* pictureSurface = nullptr;
  CRect dirty;  // empty: nothing to paint
  int32_t doubleClickTime;
  Time lastPressTime = 0;
  unsigned int lastPressButton = 0;
  bool lastPressWasDoubleClick = false;
};

}  // namespace VSTGUI
