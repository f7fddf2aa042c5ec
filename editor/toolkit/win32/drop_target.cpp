#include "editor/toolkit/win32/drop_target.h"

namespace VSTGUI {

CDropTarget* CDropTarget::registerFor(HWND window, NativeWindowEvents& events) {
  auto* target = new CDropTarget(events);
  target->AddRef();
  const bool registered = SUCCEEDED(RegisterDragDrop(window, target));
  target->Release();  // gone now unless the registration holds it
  return registered ? target : nullptr;
}

HRESULT CDropTarget::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CDropTarget::AddRef() {
  return static_cast<ULONG>(++references);
}

ULONG CDropTarget::Release() {
  const LONG left = --references;
  if (left <= 0) {
    delete this;
    return 0;
  }
  return static_cast<ULONG>(left);
}

void CDropTarget::tell(DragEvent event) {
  if (events && drag) events->onNativeDrag(event, drag.get());
}

HRESULT CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  drag = std::make_unique<WinDragContainer>(data);
  tell(DragEvent::kEnter);
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT CDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  tell(DragEvent::kOver);
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT CDropTarget::DragLeave() {
  tell(DragEvent::kLeave);
  drag.reset();
  return S_OK;
}

HRESULT CDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
  tell(DragEvent::kDrop);
  drag.reset();
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

}  // namespace VSTGUI
