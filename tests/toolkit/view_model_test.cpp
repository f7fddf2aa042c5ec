// The view model under the frame: what kind a view is, the idle refresh of
// dirty views, and drags passed to the view under them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/cdazu_view.h"
#include "editor/toolkit/frame.h"
#include "tests/support/recording_view.h"

using namespace VSTGUI;

namespace {

using Calls = std::vector<std::string>;

class ProbeContainer : public CViewContainer {
 public:
  explicit ProbeContainer(const CRect& size) : CViewContainer(size) {}
  void invalidRect(const CRect& rect) override {
    invalidated.push_back(rect);
    CViewContainer::invalidRect(rect);
  }
  std::vector<CRect> invalidated;
};

class OneText : public CDragContainer {
 public:
  Kind kind() const override { return Kind::kText; }
  int32_t count() const override { return 1; }
  std::string item(int32_t index) const override { return index == 0 ? "take.wav" : ""; }
};

class ViewModel : public ::testing::Test {
 protected:
  void TearDown() override { frame->release(); }

  template <class T>
  T* Add(CViewContainer* parent, const CRect& size) {
    auto* view = new T(size);
    EXPECT_TRUE(parent->addView(view));
    view->release();
    return view;
  }

  CFrame* frame = new CFrame(CRect{0, 0, 600, 600}, nullptr, nullptr);
};

}  // namespace

TEST_F(ViewModel, EachViewKnowsItsKindAndTheKindsItDerivesFrom) {
  CView* view = Add<RecordingView>(frame, CRect{0, 0, 10, 10});
  CViewContainer* container = Add<ProbeContainer>(frame, CRect{0, 0, 10, 10});
  EXPECT_TRUE(view->isKindOf("CView"));
  EXPECT_FALSE(view->isKindOf("CViewContainer"));
  EXPECT_TRUE(container->isKindOf("CView"));
  EXPECT_TRUE(container->isKindOf("CViewContainer"));
  EXPECT_FALSE(container->isKindOf("CFrame"));
  EXPECT_TRUE(frame->isKindOf("CFrame"));
  EXPECT_TRUE(frame->isKindOf("CViewContainer"));
  EXPECT_TRUE(frame->isKindOf("CView"));
  EXPECT_FALSE(frame->isKindOf("CDropTarget"));
  // The script view keeps the base answer: it is a view and nothing more.
  CDaZUView script(CRect{0, 0, 600, 600}, nullptr);
  EXPECT_TRUE(script.isKindOf("CView"));
  EXPECT_FALSE(script.isKindOf("CDaZUView"));
}

TEST_F(ViewModel, AnAttachedViewIsAddedOnceAndNoViewNever) {
  RecordingView* view = Add<RecordingView>(frame, CRect{0, 0, 10, 10});
  EXPECT_FALSE(frame->addView(view));
  EXPECT_FALSE(frame->addView(nullptr));
  EXPECT_EQ(frame->getChildren().size(), 1u);
  // Adding to an attached container attached and invalidated the view.
  EXPECT_TRUE(view->isAttached());
  EXPECT_EQ(view->getFrame(), frame);
  ASSERT_EQ(view->invalidated.size(), 1u);
  EXPECT_EQ(view->invalidated[0], (CRect{0, 0, 10, 10}));
}

TEST_F(ViewModel, TheIdleRefreshInvalidatesDirtyViewsOnceAndLooksIntoCleanContainers) {
  RecordingView* dirty = Add<RecordingView>(frame, CRect{0, 0, 10, 10});
  RecordingView* clean = Add<RecordingView>(frame, CRect{10, 0, 20, 10});
  ProbeContainer* cleanBox = Add<ProbeContainer>(frame, CRect{100, 100, 200, 200});
  RecordingView* inner = Add<RecordingView>(cleanBox, CRect{110, 110, 120, 120});
  ProbeContainer* dirtyBox = Add<ProbeContainer>(frame, CRect{300, 300, 400, 400});
  RecordingView* innerOfDirty = Add<RecordingView>(dirtyBox, CRect{310, 310, 320, 320});
  for (RecordingView* v : {dirty, clean, inner, innerOfDirty})
    v->invalidated.clear();
  cleanBox->invalidated.clear();
  dirtyBox->invalidated.clear();
  dirty->setDirty();
  inner->setDirty();
  dirtyBox->setDirty();
  innerOfDirty->setDirty();

  frame->invalidateDirtyViews();
  EXPECT_EQ(dirty->invalidated, std::vector<CRect>{(CRect{0, 0, 10, 10})});
  EXPECT_EQ(inner->invalidated, std::vector<CRect>{(CRect{110, 110, 120, 120})});
  EXPECT_EQ(dirtyBox->invalidated, std::vector<CRect>{(CRect{300, 300, 400, 400})});
  EXPECT_TRUE(clean->invalidated.empty());
  // The container's whole area covers its children: they stay as they were.
  EXPECT_TRUE(innerOfDirty->invalidated.empty());
  EXPECT_TRUE(innerOfDirty->needsRedraw());
  EXPECT_FALSE(dirty->needsRedraw());
  EXPECT_FALSE(inner->needsRedraw());
  EXPECT_FALSE(dirtyBox->needsRedraw());

  frame->invalidateDirtyViews();
  EXPECT_EQ(dirty->invalidated.size(), 1u);
  EXPECT_EQ(inner->invalidated.size(), 1u);
}

TEST_F(ViewModel, AFrameWithoutWindowIsClosedAndItsIdleRefreshesNothing) {
  RecordingView* dirty = Add<RecordingView>(frame, CRect{0, 0, 10, 10});
  dirty->invalidated.clear();
  dirty->setDirty();
  EXPECT_FALSE(frame->isOpen());
  frame->idle();
  frame->redrawNow(CRect{0, 0, 10, 10});
  EXPECT_TRUE(dirty->invalidated.empty());
  EXPECT_TRUE(dirty->needsRedraw());
}

TEST_F(ViewModel, ADragGoesToTheViewUnderItWhichIsToldWhenItEntersAndLeaves) {
  RecordingView* left = Add<RecordingView>(frame, CRect{0, 0, 300, 600});
  RecordingView* right = Add<RecordingView>(frame, CRect{300, 0, 600, 600});
  OneText drag;
  frame->onDragEnter(&drag, {10, 10});
  frame->onDragOver(&drag, {20, 10});
  frame->onDragOver(&drag, {310, 10});
  frame->onDragOver(&drag, {700, 10});  // over no view
  frame->onDragOver(&drag, {320, 10});
  frame->onDragLeave(&drag, {320, 10});
  EXPECT_EQ(left->kinds(), (Calls{"drag entered", "drag over", "drag left"}));
  EXPECT_EQ(right->kinds(), (Calls{"drag entered", "drag left", "drag entered", "drag left"}));

  left->events.clear();
  frame->onDragEnter(&drag, {10, 10});
  EXPECT_TRUE(frame->onDragDrop(&drag, {10, 10}));
  EXPECT_EQ(left->kinds(), (Calls{"drag entered", "dropped take.wav"}));
  // A drop where no view takes it changes nothing.
  EXPECT_FALSE(frame->onDragDrop(&drag, {700, 10}));
  CView plain(CRect{0, 0, 10, 10});
  EXPECT_FALSE(plain.onDragDrop(&drag, {1, 1}));
}
