// The platform's child window inside the host's window, as the frame needs it.
#pragma once

#include <cstdint>
#include <memory>

#include "editor/drawing/draw_context.h"
#include "editor/toolkit/buttons.h"
#include "editor/toolkit/drag_container.h"

namespace VSTGUI {

enum class DragEvent { kEnter, kOver, kLeave, kDrop };

// What the window tells its frame.
class NativeWindowEvents {
 public:
  virtual ~NativeWindowEvents() = default;
  // `context` draws on the window (already clipped to `updateRect`).
  virtual void onPaint(CDrawContext* context, const CRect& updateRect) = 0;
  virtual CMouseEventResult onNativeMouseDown(CPoint where, uint32_t buttons) = 0;
  virtual CMouseEventResult onNativeMouseUp(CPoint where, uint32_t buttons) = 0;
  virtual CMouseEventResult onNativeMouseMoved(CPoint where, uint32_t buttons) = 0;
  virtual void onNativeMouseLeave(CPoint where, uint32_t buttons) = 0;
  virtual void onNativeWheel(CPoint where, float distance, uint32_t buttons) = 0;
  // A drag over the window, at the current mouse location; the answer to the
  // platform is the window's.
  virtual void onNativeDrag(DragEvent event, CDragContainer* drag) = 0;
  // The window is gone (destroyed with the host's window); no more events follow.
  virtual void onNativeWindowDestroyed() = 0;
  // The desktop's scale for the window changed (it moved to another monitor).
  virtual void onNativeScaleChanged() = 0;
};

class NativeWindow {
 public:
  // Null when no window can be made in `parent`.
  static std::unique_ptr<NativeWindow> create(void* parent, const CRect& size,
                                              NativeWindowEvents& events);
  virtual ~NativeWindow() = default;

  // Asks for a paint of `rect`; it happens when the window processes its events.
  virtual void invalidRect(const CRect& rect) = 0;
  // Handles what arrived since the last call, without waiting, then paints.
  virtual void processEvents() = 0;
  // Paints `rect` (and whatever else waits to be painted) before returning.
  virtual void paintNow(const CRect& rect) = 0;
  virtual void setCursor(CCursorType type) = 0;
  virtual CPoint mouseLocation() = 0;
  virtual uint32_t mouseButtons() = 0;
  // A surface on the window outside a paint (null when there is none).
  virtual SharedPointer<CDrawContext> makeSurface() = 0;
  // Gives the window the size of `newSize` (its position stays) and drops what was drawn at the
  // old size. Windows' version also resizes the host's windows around it by as much.
  virtual void resize(const CRect& newSize) = 0;
  // The platform's window handle, for tests and the host.
  virtual uintptr_t handle() const = 0;
  // A descriptor that becomes readable when events arrive, for a host that
  // watches it and calls processEvents; -1 where the platform has none.
  virtual int eventDescriptor() const { return -1; }
};

}  // namespace VSTGUI
