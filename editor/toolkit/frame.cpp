#include "editor/toolkit/frame.h"

#include <cstring>

namespace VSTGUI {

CFrame::CFrame(const CRect& frameSize, void* parent, VSTGUIEditorInterface* editor)
    : CViewContainer(frameSize), editor(editor) {
  attachedFlag = true;
  parentFrame = this;
  window = NativeWindow::create(parent, frameSize, *this);
  if (!window) openFlag = false;
}

CFrame::~CFrame() {
  modalView = nullptr;
  removeAll();
  window.reset();
}

void CFrame::invalidRect(const CRect& rect) {
  if (visibleFlag && openFlag && window) window->invalidRect(rect);
}

void CFrame::idle() {
  if (!openFlag) return;
  invalidateDirtyViews();
  if (window) window->processEvents();
}

void CFrame::redrawNow(const CRect& rect) {
  if (openFlag && window) window->paintNow(rect);
}

bool CFrame::setSize(double width, double height) {
  constexpr double kLargestSide = 32767;  // Cairo's and X's limit alike
  if (!openFlag || !window) return false;
  if (!(width >= 1 && width <= kLargestSide && height >= 1 && height <= kLargestSide)) {
    return false;
  }
  if (width == size.width() && height == size.height()) return true;
  size = {size.left, size.top, size.left + width, size.top + height};
  mouseableArea = size;
  window->resize(size);
  invalid();
  return true;
}

bool CFrame::isKindOf(const char* className) const {
  return std::strcmp(className, "CFrame") == 0 || CViewContainer::isKindOf(className);
}

void CFrame::onPaint(CDrawContext* context, const CRect& updateRect) {
  const CRect saved = context->getClipRect();
  const CRect area = updateRect.intersect(saved);
  context->setClipRect(area);
  if (!area.isEmpty()) CViewContainer::drawUpdate(context, area);
  context->setClipRect(saved);
}

SharedPointer<CDrawContext> CFrame::makeSurface() {
  return window ? window->makeSurface() : SharedPointer<CDrawContext>();
}

void CFrame::leaveMouseOverView(CPoint where, uint32_t buttons) {
  if (mouseOverView == nullptr) return;
  CView* leaving = mouseOverView;
  mouseOverView = nullptr;
  leaving->onMouseExited(where, buttons);
}

CMouseEventResult CFrame::onNativeMouseDown(CPoint where, uint32_t buttons) {
  frameMouseDownView = nullptr;
  focusView = nullptr;
  leaveMouseOverView(where, buttons);
  if (modalView) return modalView->onMouseDown(where, buttons);
  const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
  if (result == kMouseEventHandled) frameMouseDownView = mouseDownView;
  return result;
}

CMouseEventResult CFrame::onNativeMouseUp(CPoint where, uint32_t buttons) {
  if (modalView) return modalView->onMouseUp(where, buttons);
  frameMouseDownView = nullptr;
  return CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult CFrame::onNativeMouseMoved(CPoint where, uint32_t buttons) {
  if (modalView) return modalView->onMouseMoved(where, buttons);
  if (mouseDownView) {
    const CMouseEventResult result = CViewContainer::onMouseMoved(where, buttons);
    if (mouseDownView == nullptr) frameMouseDownView = nullptr;
    return result;
  }
  CView* under = getViewAt(where);
  if (under != nullptr && under == mouseOverView) {
    return under->onMouseMoved(where, frameMouseDownView ? buttons : 0);
  }
  leaveMouseOverView(where, buttons);
  if (under) {
    mouseOverView = under;
    under->onMouseEntered(where, buttons);
  }
  return kMouseEventHandled;
}

void CFrame::onNativeMouseLeave(CPoint where, uint32_t buttons) {
  leaveMouseOverView(where, buttons);
}

void CFrame::onNativeWheel(CPoint where, float distance, uint32_t buttons) {
  if (modalView) {
    modalView->onWheel(where, distance, buttons);
  } else {
    onWheel(where, distance, buttons);
  }
}

void CFrame::onNativeDrag(DragEvent event, CDragContainer* drag) {
  const CPoint where = getCurrentMouseLocation();
  switch (event) {
    case DragEvent::kEnter:
      onDragEnter(drag, where);
      break;
    case DragEvent::kOver:
      onDragOver(drag, where);
      break;
    case DragEvent::kLeave:
      onDragLeave(drag, where);
      break;
    case DragEvent::kDrop:
      onDragDrop(drag, where);
      break;
  }
}

// The window object stays until the frame goes: it is the one calling.
void CFrame::onNativeWindowDestroyed() {
  openFlag = false;
}

void CFrame::onNativeScaleChanged() {
  if (editor) editor->desktopScaleChanged();
}

int32_t CFrame::onKeyDown(CKeyCode& key) {
  for (CView* view : {focusView, modalView}) {
    if (view == nullptr) continue;
    const int32_t result = view->onKeyDown(key);
    if (result != kKeyNotUsed) return result;
  }
  if (key.virt == kVirtualKeyTab) {
    CView* next = nextFocusView(focusView, (key.modifier & 1) != 0);
    if (next) {
      focusView = next;
      return kKeyUsed;
    }
  }
  return kKeyNotUsed;
}

int32_t CFrame::onKeyUp(CKeyCode& key) {
  for (CView* view : {focusView, modalView}) {
    if (view == nullptr) continue;
    const int32_t result = view->onKeyUp(key);
    if (result != kKeyNotUsed) return result;
  }
  return kKeyNotUsed;
}

void CFrame::setCursorType(CCursorType type) {
  if (window) window->setCursor(type);
}

CPoint CFrame::getCurrentMouseLocation() {
  return window ? window->mouseLocation() : CPoint{};
}

uint32_t CFrame::getCurrentMouseButtons() {
  return window ? window->mouseButtons() : 0;
}

}  // namespace VSTGUI
