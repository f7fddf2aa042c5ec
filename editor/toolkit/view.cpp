#include "editor/toolkit/view.h"

#include <cstring>

#include "editor/toolkit/view_container.h"

namespace VSTGUI {

void CView::draw(CDrawContext*) {}

void CView::drawUpdate(CDrawContext* context, const CRect&) {
  draw(context);
}

void CView::invalidRect(const CRect& rect) {
  if (attachedFlag && visibleFlag && parentView) parentView->invalidRect(rect);
}

CMouseEventResult CView::onMouseDown(CPoint&, uint32_t) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseUp(CPoint&, uint32_t) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseMoved(CPoint&, uint32_t) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseEntered(CPoint&, uint32_t) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseExited(CPoint&, uint32_t) {
  return kMouseEventNotImplemented;
}
void CView::mouse(CDrawContext*, CPoint&, uint32_t) {}
bool CView::onWheel(const CPoint&, float, uint32_t) {
  return false;
}
bool CView::onDragDrop(CDragContainer*, const CPoint&) {
  return false;
}
void CView::onDragEnter(CDragContainer*, const CPoint&) {}
void CView::onDragLeave(CDragContainer*, const CPoint&) {}
void CView::onDragOver(CDragContainer*, const CPoint&) {}
int32_t CView::onKeyDown(CKeyCode&) {
  return kKeyNotUsed;
}
int32_t CView::onKeyUp(CKeyCode&) {
  return kKeyNotUsed;
}

bool CView::isKindOf(const char* className) const {
  return std::strcmp(className, "CView") == 0;
}

void CView::attached(CViewContainer* parent, CFrame* frame) {
  parentView = parent;
  parentFrame = frame;
  attachedFlag = true;
}

void CView::removed() {
  parentView = nullptr;
  parentFrame = nullptr;
  attachedFlag = false;
}

}  // namespace VSTGUI
