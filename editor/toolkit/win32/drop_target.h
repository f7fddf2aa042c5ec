// The frame window's drop target. No view of this editor takes drops, so it
// refuses every drag: a source told "copied" or "moved" might act on its data.
#pragma once

#include <memory>

#include "editor/toolkit/win32/drag_container.h"

namespace VSTGUI {

class CDropTarget final : public IDropTarget {
 public:
  // Registers a new target for `window`; false when OLE refuses (the window
  // then takes no drags). The registration holds the target until revoked.
  static bool registerFor(HWND window);

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
  CDropTarget() = default;
  ~CDropTarget() = default;  // through Release only

  LONG references = 0;                     // OLE calls on the window's thread only
  std::unique_ptr<WinDragContainer> drag;  // the drag in progress, for views that take drops
};

}  // namespace VSTGUI
