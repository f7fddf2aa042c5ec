// The frame window's drop target: passes each drag to the frame's views. No
// view of this editor takes drops, so it answers "no effect" to every drag: a
// source told "copied" or "moved" might act on its data.
#pragma once

#include <memory>

#include "editor/toolkit/native_window.h"
#include "editor/toolkit/win32/drag_container.h"

namespace VSTGUI {

class CDropTarget final : public IDropTarget {
 public:
  // Registers a new target for `window` that tells `events` of drags; null
  // when OLE refuses (the window then takes no drags). The registration holds
  // the target until revoked.
  static CDropTarget* registerFor(HWND window, NativeWindowEvents& events);
  // From now on drags reach no frame (one that is going away).
  void detach() { events = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL where,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL where, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL where,
                                 DWORD* effect) override;

 private:
  explicit CDropTarget(NativeWindowEvents& events) : events(&events) {}
  ~CDropTarget() = default;  // through Release only

  void tell(DragEvent event);

  LONG references = 0;  // OLE calls on the window's thread only
  NativeWindowEvents* events;
  std::unique_ptr<WinDragContainer> drag;  // the drag in progress
};

}  // namespace VSTGUI
