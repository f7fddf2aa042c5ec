#include "editor/toolkit/view_container.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI {

CViewContainer::~CViewContainer() {
  removeAll();
}

bool CViewContainer::addView(CView* view) {
  if (view == nullptr || view->isAttached()) return false;
  children.push_back(view);
  view->retain();
  if (attachedFlag) {
    view->attached(this, parentFrame);
    view->invalid();
  }
  return true;
}

void CViewContainer::removeAll() {
  mouseDownView = nullptr;
  dragOverView = nullptr;
  while (!children.empty()) {
    CView* view = children.front();
    children.pop_front();
    if (view->isAttached()) view->removed();
    view->release();
  }
}

void CViewContainer::attached(CViewContainer* parent, CFrame* frame) {
  CView::attached(parent, frame);
  for (CView* child : children)
    child->attached(this, frame);
}

void CViewContainer::removed() {
  for (CView* child : children)
    child->removed();
  CView::removed();
}

void CViewContainer::drawBackground(CDrawContext* context) {
  if (transparentFlag && backgroundColor.alpha == 255) return;
  context->setFillColor(backgroundColor);
  context->setStrokeColor(backgroundColor);
  context->drawRect(size, kDrawFilledAndStroked);
}

void CViewContainer::draw(CDrawContext* context) {
  drawUpdate(context, size);
}

void CViewContainer::drawUpdate(CDrawContext* context, const CRect& updateRect) {
  drawBackground(context);
  const CRect saved = context->getClipRect();
  for (CView* child : children) {
    if (!child->isVisible()) continue;
    const CRect area = child->getViewSize().intersect(updateRect);
    if (area.isEmpty()) continue;
    context->setClipRect(area.intersect(saved));
    child->drawUpdate(context, area);
  }
  context->setClipRect(saved);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, uint32_t buttons) {
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* child = *it;
    if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(where)) continue;
    CPoint local = where;
    const CMouseEventResult result = child->onMouseDown(local, buttons);
    if (result == kMouseEventHandled) {
      mouseDownView = child;
    } else if (result == kMouseEventNotImplemented) {
      SharedPointer<CDrawContext> surface = makeSurface();
      child->mouse(surface.get(), local, buttons);
      return kMouseEventNotImplemented;
    }
    return result;
  }
  return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, uint32_t buttons) {
  if (mouseDownView == nullptr) return kMouseEventNotHandled;
  CView* view = mouseDownView;
  mouseDownView = nullptr;
  CPoint local = where;
  view->onMouseUp(local, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, uint32_t buttons) {
  if (mouseDownView == nullptr) return kMouseEventNotHandled;
  CPoint local = where;
  const CMouseEventResult result = mouseDownView->onMouseMoved(local, buttons);
  if (result != kMouseEventHandled) mouseDownView = nullptr;
  return result;
}

bool CViewContainer::onWheel(const CPoint& where, float distance, uint32_t buttons) {
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* child = *it;
    if (child->isVisible() && child->getMouseEnabled() && child->hitTest(where) &&
        child->onWheel(where, distance, buttons)) {
      return true;
    }
  }
  return false;
}

bool CViewContainer::onDragDrop(CDragContainer* drag, const CPoint& where) {
  CView* target = getViewAt(where, false);
  dragOverView = nullptr;
  return target && target->onDragDrop(drag, where);
}

void CViewContainer::onDragEnter(CDragContainer* drag, const CPoint& where) {
  dragOverView = nullptr;
  onDragOver(drag, where);
}

void CViewContainer::onDragLeave(CDragContainer* drag, const CPoint& where) {
  if (dragOverView) dragOverView->onDragLeave(drag, where);
  dragOverView = nullptr;
}

void CViewContainer::onDragOver(CDragContainer* drag, const CPoint& where) {
  CView* under = getViewAt(where, false);
  if (under == dragOverView) {
    if (under) under->onDragOver(drag, where);
    return;
  }
  onDragLeave(drag, where);
  dragOverView = under;
  if (under) under->onDragEnter(drag, where);
}

bool CViewContainer::isKindOf(const char* className) const {
  return std::strcmp(className, "CViewContainer") == 0 || CView::isKindOf(className);
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* child = *it;
    if (!child->isVisible() || !child->getViewSize().pointInside(where)) continue;
    if (deep && child->isKindOf("CViewContainer")) {
      if (CView* inner = static_cast<CViewContainer*>(child)->getViewAt(where, deep)) {
        return inner;
      }
    }
    return child;
  }
  return nullptr;
}

void CViewContainer::invalidateDirtyViews() {
  for (CView* child : children) {
    if (child->needsRedraw()) {
      child->invalid();
      child->setDirty(false);
    } else if (child->isKindOf("CViewContainer")) {
      static_cast<CViewContainer*>(child)->invalidateDirtyViews();
    }
  }
}

CView* CViewContainer::nextFocusView(CView* current, bool reverse) const {
  std::list<CView*> order = children;
  if (reverse) order.reverse();
  auto start = std::find(order.begin(), order.end(), current);
  start = start == order.end() ? order.begin() : std::next(start);
  for (auto it = start; it != order.end(); ++it) {
    if ((*it)->wantsFocus() && (*it)->isVisible()) return *it;
  }
  return nullptr;
}

}  // namespace VSTGUI
