// A rectangle of the editor that draws itself and may take the mouse and keys.
#pragma once

#include <cstdint>

#include "editor/drawing/base_object.h"
#include "editor/drawing/draw_context.h"
#include "editor/toolkit/buttons.h"
#include "editor/toolkit/drag_container.h"

namespace VSTGUI {

class CFrame;
class CViewContainer;

class CView : public CBaseObject {
 public:
  explicit CView(const CRect& size) : size(size), mouseableArea(size) {}

  virtual void draw(CDrawContext* context);
  virtual void drawUpdate(CDrawContext* context, const CRect& updateRect);
  virtual void invalidRect(const CRect& rect);
  void invalid() { invalidRect(size); }

  virtual CMouseEventResult onMouseDown(CPoint& where, uint32_t buttons);
  virtual CMouseEventResult onMouseUp(CPoint& where, uint32_t buttons);
  virtual CMouseEventResult onMouseMoved(CPoint& where, uint32_t buttons);
  virtual CMouseEventResult onMouseEntered(CPoint& where, uint32_t buttons);
  virtual CMouseEventResult onMouseExited(CPoint& where, uint32_t buttons);
  // The older tracking call, made when a view answers kMouseEventNotImplemented.
  virtual void mouse(CDrawContext* context, CPoint& where, uint32_t buttons);
  virtual bool onWheel(const CPoint& where, float distance, uint32_t buttons);
  // Drags pass over views; a view takes a drop by answering true.
  virtual bool onDragDrop(CDragContainer* drag, const CPoint& where);
  virtual void onDragEnter(CDragContainer* drag, const CPoint& where);
  virtual void onDragLeave(CDragContainer* drag, const CPoint& where);
  virtual void onDragOver(CDragContainer* drag, const CPoint& where);
  virtual int32_t onKeyDown(CKeyCode& key);
  virtual int32_t onKeyUp(CKeyCode& key);
  virtual bool wantsFocus() const { return wantsFocusFlag; }
  virtual bool hitTest(const CPoint& where) const { return mouseableArea.pointInside(where); }

  virtual void attached(CViewContainer* parent, CFrame* frame);
  virtual void removed();

  const CRect& getViewSize() const { return size; }
  // A new place and size; the view's parent repaints.
  void setViewSize(const CRect& newSize) {
    size = newSize;
    mouseableArea = newSize;
  }
  CFrame* getFrame() const { return parentFrame; }
  bool isAttached() const { return attachedFlag; }
  bool isVisible() const { return visibleFlag; }
  bool getMouseEnabled() const { return mouseEnabledFlag; }
  // Whether the frame's idle refresh should invalidate this view.
  virtual bool needsRedraw() const { return dirtyFlag; }
  void setDirty(bool state = true) { dirtyFlag = state; }
  void setWantsFocus(bool state) { wantsFocusFlag = state; }
  // Whether this is a view of the class so named or derived from it.
  virtual bool isKindOf(const char* className) const;

 protected:
  CRect size;
  CRect mouseableArea;
  CFrame* parentFrame = nullptr;
  CViewContainer* parentView = nullptr;
  bool dirtyFlag = false;
  bool mouseEnabledFlag = true;
  bool transparentFlag = false;
  bool wantsFocusFlag = false;
  bool attachedFlag = false;
  bool visibleFlag = true;
};

}  // namespace VSTGUI
