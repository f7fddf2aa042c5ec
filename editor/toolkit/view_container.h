// A view that holds views: it draws its background, then its children, and
// sends the mouse to the topmost child under it.
#pragma once

#include <list>

#include "editor/toolkit/view.h"

namespace VSTGUI {

class CViewContainer : public CView {
 public:
  explicit CViewContainer(const CRect& size) : CView(size) {}
  ~CViewContainer() override;

  // Takes a reference; refuses no view and a view attached elsewhere.
  bool addView(CView* view);
  void removeAll();
  const std::list<CView*>& getChildren() const { return children; }

  void setBackgroundColor(CColor color) { backgroundColor = color; }
  CColor getBackgroundColor() const { return backgroundColor; }

  void draw(CDrawContext* context) override;
  void drawUpdate(CDrawContext* context, const CRect& updateRect) override;
  CMouseEventResult onMouseDown(CPoint& where, uint32_t buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, uint32_t buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, uint32_t buttons) override;
  bool onWheel(const CPoint& where, float distance, uint32_t buttons) override;
  // A drag goes to the child under it, which is told when the drag enters and leaves it.
  bool onDragDrop(CDragContainer* drag, const CPoint& where) override;
  void onDragEnter(CDragContainer* drag, const CPoint& where) override;
  void onDragLeave(CDragContainer* drag, const CPoint& where) override;
  void onDragOver(CDragContainer* drag, const CPoint& where) override;
  void attached(CViewContainer* parent, CFrame* frame) override;
  void removed() override;
  bool isKindOf(const char* className) const override;

  // The deepest visible view under `where` (container coordinates); null if none.
  CView* getViewAt(const CPoint& where, bool deep = true) const;
  // Invalidates dirty children: a dirty container whole, a clean one passes it on.
  void invalidateDirtyViews();
  // The next or previous view, after `current`, that wants focus.
  CView* nextFocusView(CView* current, bool reverse) const;

 protected:
  void drawBackground(CDrawContext* context);
  // The window's surface, made for the older tracking call.
  virtual SharedPointer<CDrawContext> makeSurface() { return {}; }

  std::list<CView*> children;
  CColor backgroundColor = kBlackCColor;
  CView* mouseDownView = nullptr;
  CView* dragOverView = nullptr;
};

}  // namespace VSTGUI
