// The editor's child window on Windows. The host's message loop delivers its
// messages; painting goes through GDI+ on the paint device context.
#pragma once

#include <windows.h>

#include "editor/drawing/offscreen_context.h"
#include "editor/toolkit/native_window.h"
#include "editor/toolkit/thread_services.h"
#include "editor/toolkit/win32/drop_target.h"

namespace VSTGUI {

class Win32Window : public NativeWindow {
 public:
  // Null when `parent` is no window or no window can be made in it.
  static std::unique_ptr<Win32Window> create(HWND parent, const CRect& size,
                                             NativeWindowEvents& events);
  ~Win32Window() override;

  void invalidRect(const CRect& rect) override;
  void processEvents() override {}  // the host's message loop does it
  void paintNow(const CRect& rect) override;
  void setCursor(CCursorType type) override;
  CPoint mouseLocation() override;
  uint32_t mouseButtons() override;
  SharedPointer<CDrawContext> makeSurface() override;
  // Then each window around it, up to the top-level one or an MDI client area, gets the new
  // size plus the border it had around the window before it.
  void resize(const CRect& newSize) override;
  uintptr_t handle() const override { return reinterpret_cast<uintptr_t>(window); }

 private:
  Win32Window(NativeWindowEvents& events, const CRect& size);

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // False when the message goes on to the default procedure.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  void mouseDown(WPARAM wParam, LPARAM lParam, uint32_t extraButtons);
  void mouseUp(WPARAM wParam, LPARAM lParam);
  void mouseMoved(WPARAM wParam, LPARAM lParam);
  void wheel(WPARAM wParam, LPARAM lParam);
  void destroyed();
  void revokeDropTarget();
  CPoint screenOrigin() const;
  CursorLocator cursorLocator() const;

  ThreadServices threadServices;  // first: OLE outlives the drop target
  NativeWindowEvents& events;
  CRect size;
  HWND window = nullptr;
  CDropTarget* dropTarget = nullptr;  // held by the registration
  bool alive = false;
  bool trackingLeave = false;
  bool composited;  // from Vista on the system double-buffers the window
  SharedPointer<COffscreenContext> backBuffer;  // only where it does not
  HCURSOR savedCursor = nullptr;
  bool cursorSaved = false;
};

}  // namespace VSTGUI
