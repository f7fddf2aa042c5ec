// A view for the cursor tests of each platform: it notes where each paint's surface says the
// cursor is, so that paint surfaces are checked beside the frame's other surfaces.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "editor/toolkit/frame.h"

class CursorView : public VSTGUI::CView {
 public:
  using CView::CView;
  void draw(VSTGUI::CDrawContext* context) override { seen.push_back(context->cursorInWindow()); }
  std::vector<VSTGUI::CPoint> seen;
};

inline bool SamePoint(VSTGUI::CPoint a, VSTGUI::CPoint b) {
  return a.x == b.x && a.y == b.y;
}

// A surface made outside a paint and the surface of a paint both place the cursor at `expected`.
inline void ExpectCursorInWindow(VSTGUI::CFrame& frame, CursorView& view, VSTGUI::CPoint expected) {
  VSTGUI::SharedPointer<VSTGUI::CDrawContext> surface = frame.getNativeWindow()->makeSurface();
  ASSERT_TRUE(surface);
  EXPECT_TRUE(SamePoint(surface->cursorInWindow(), expected)) << "outside a paint";
  view.seen.clear();
  frame.redrawNow(frame.getViewSize());
  ASSERT_EQ(view.seen.size(), 1u);
  EXPECT_TRUE(SamePoint(view.seen[0], expected)) << "in a paint";
}
