// How a frame routes keys and the mouse to its views: focus, modal view and
// tab, mouse-down and mouse-over views, and the older tracking call. The
// frames here have no window: routing needs none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/toolkit/frame.h"
#include "tests/support/recording_view.h"

using namespace VSTGUI;

namespace {

using Calls = std::vector<std::string>;

constexpr unsigned char kShiftModifier = 1;

class FrameRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrame(CRect{0, 0, 600, 600}, nullptr, nullptr);
    left = Add(CRect{0, 0, 300, 600});
    right = Add(CRect{300, 0, 600, 600});
  }
  void TearDown() override { frame->release(); }

  RecordingView* Add(const CRect& size) {
    auto* view = new RecordingView(size);
    frame->addView(view);
    view->release();
    return view;
  }

  static CKeyCode Key(int32_t character, unsigned char virt = 0, unsigned char modifier = 0) {
    return CKeyCode{character, virt, modifier};
  }
  int32_t KeyDown(CKeyCode key) { return frame->onKeyDown(key); }
  int32_t KeyUp(CKeyCode key) { return frame->onKeyUp(key); }

  CFrame* frame = nullptr;
  RecordingView* left = nullptr;
  RecordingView* right = nullptr;
};

}  // namespace

TEST_F(FrameRouting, KeysAreNotUsedWithoutAFocusOrModalViewAndNoViewThatTakesFocus) {
  EXPECT_EQ(KeyDown(Key('a')), kKeyNotUsed);
  EXPECT_EQ(KeyDown(Key(0, kVirtualKeyTab)), kKeyNotUsed);
  EXPECT_EQ(KeyUp(Key('a')), kKeyNotUsed);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_TRUE(left->events.empty());
  EXPECT_TRUE(right->events.empty());
}

TEST_F(FrameRouting, TabMovesFocusToTheNextViewThatWantsItAndShiftTabBack) {
  RecordingView* refuses = Add(CRect{0, 0, 10, 10});
  left->setWantsFocus(true);
  right->setWantsFocus(true);
  EXPECT_EQ(KeyDown(Key(0, kVirtualKeyTab)), kKeyUsed);
  EXPECT_EQ(frame->getFocusView(), left);
  EXPECT_EQ(KeyDown(Key(0, kVirtualKeyTab)), kKeyUsed);
  EXPECT_EQ(frame->getFocusView(), right);
  // Past the last one: not used, and the focus stays.
  EXPECT_EQ(KeyDown(Key(0, kVirtualKeyTab)), kKeyNotUsed);
  EXPECT_EQ(frame->getFocusView(), right);
  EXPECT_EQ(KeyDown(Key(0, kVirtualKeyTab, kShiftModifier)), kKeyUsed);
  EXPECT_EQ(frame->getFocusView(), left);
  // Only a key down moves it.
  EXPECT_EQ(KeyUp(Key(0, kVirtualKeyTab)), kKeyNotUsed);
  EXPECT_EQ(frame->getFocusView(), left);
  EXPECT_TRUE(refuses->events.empty());
}

TEST_F(FrameRouting, TheFocusViewHearsAKeyFirstThenTheModalView) {
  RecordingView* modal = Add(CRect{0, 0, 10, 10});
  frame->setFocusView(left);
  frame->setModalView(modal);
  left->keyAnswer = kKeyUsed;
  EXPECT_EQ(KeyDown(Key('x')), kKeyUsed);
  EXPECT_EQ(modal->kinds(), Calls{});
  left->keyAnswer = kKeyNotUsed;
  modal->keyAnswer = kKeyUsed;
  EXPECT_EQ(KeyDown(Key('x')), kKeyUsed);
  EXPECT_EQ(KeyUp(Key('x')), kKeyUsed);
  EXPECT_EQ(left->kinds(), (Calls{"key down", "key down", "key up"}));
  EXPECT_EQ(modal->kinds(), (Calls{"key down", "key up"}));
  // A used tab is the view's, not a focus move.
  modal->keyAnswer = kKeyUsed;
  right->setWantsFocus(true);
  EXPECT_EQ(KeyDown(Key(0, kVirtualKeyTab)), kKeyUsed);
  EXPECT_EQ(frame->getFocusView(), left);
  frame->setModalView(nullptr);
}

TEST_F(FrameRouting, APressClearsTheFocus) {
  frame->setFocusView(left);
  frame->onNativeMouseDown({400, 10}, kLButton);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameRouting, AModalViewTakesTheMouseFromTheViewsBelowIt) {
  RecordingView* modal = Add(CRect{0, 0, 10, 10});
  frame->setModalView(modal);
  EXPECT_EQ(frame->onNativeMouseDown({100, 100}, kLButton), kMouseEventHandled);
  frame->onNativeMouseMoved({400, 100}, kLButton);
  frame->onNativeMouseUp({400, 100}, 0);
  frame->setModalView(nullptr);
  EXPECT_EQ(modal->kinds(), (Calls{"down", "moved", "up"}));
  EXPECT_TRUE(left->events.empty());
  EXPECT_TRUE(right->events.empty());
}

TEST_F(FrameRouting, TheTopmostViewUnderAPressTakesItAndTheFollowingMovesAndRelease) {
  RecordingView* onTop = Add(CRect{250, 0, 350, 100});
  EXPECT_EQ(frame->onNativeMouseDown({260, 50}, kRButton | kShift), kMouseEventHandled);
  frame->onNativeMouseMoved({700, -20}, kRButton);  // beyond the frame: still the same view
  EXPECT_EQ(frame->onNativeMouseUp({700, -20}, 0), kMouseEventHandled);
  EXPECT_EQ(onTop->kinds(), (Calls{"down", "moved", "up"}));
  EXPECT_EQ(onTop->events[0].buttons, kRButton | kShift);
  EXPECT_EQ(onTop->events[1].where.x, 700);
  EXPECT_EQ(onTop->events[1].where.y, -20);
  EXPECT_TRUE(left->events.empty());
  EXPECT_TRUE(right->events.empty());
  // Released: the next up has no view to go to.
  EXPECT_EQ(frame->onNativeMouseUp({260, 50}, 0), kMouseEventNotHandled);
}

TEST_F(FrameRouting, APressOnNoViewIsNotHandled) {
  frame->release();
  frame = new CFrame(CRect{0, 0, 600, 600}, nullptr, nullptr);
  RecordingView* small = Add(CRect{0, 0, 10, 10});
  EXPECT_EQ(frame->onNativeMouseDown({300, 300}, kLButton), kMouseEventNotHandled);
  EXPECT_TRUE(small->events.empty());
}

TEST_F(FrameRouting, AViewThatDoesNotImplementThePressGetsTheOlderTrackingCallAndNoDrag) {
  left->mouseAnswer = kMouseEventNotImplemented;
  EXPECT_EQ(frame->onNativeMouseDown({30, 40}, kLButton | kControl), kMouseEventNotImplemented);
  ASSERT_EQ(left->kinds(), (Calls{"down", "tracked"}));
  EXPECT_EQ(left->events[1].where.x, 30);
  EXPECT_EQ(left->events[1].where.y, 40);
  EXPECT_EQ(left->events[1].buttons, kLButton | kControl);
  // No view holds the mouse: the release reaches none.
  EXPECT_EQ(frame->onNativeMouseUp({30, 40}, 0), kMouseEventNotHandled);
  EXPECT_EQ(left->events.size(), 2u);
}

TEST_F(FrameRouting, AViewThatStopsTakingMovesLosesTheDrag) {
  frame->onNativeMouseDown({30, 40}, kLButton);
  left->mouseAnswer = kMouseEventNotHandled;
  frame->onNativeMouseMoved({35, 40}, kLButton);
  left->mouseAnswer = kMouseEventHandled;
  frame->onNativeMouseMoved({36, 40}, kLButton);  // now a hover: the view is entered
  EXPECT_EQ(frame->onNativeMouseUp({36, 40}, 0), kMouseEventNotHandled);
  EXPECT_EQ(left->kinds(), (Calls{"down", "moved", "entered"}));
}

TEST_F(FrameRouting, HoveringEntersThenMovesWithoutButtonsAndAPressLeaves) {
  frame->onNativeMouseMoved({10, 10}, 0);
  frame->onNativeMouseMoved({20, 10}, kShift);
  EXPECT_EQ(frame->getMouseOverView(), left);
  frame->onNativeMouseMoved({310, 10}, 0);
  EXPECT_EQ(frame->getMouseOverView(), right);
  frame->onNativeMouseDown({320, 10}, kLButton);
  EXPECT_EQ(frame->getMouseOverView(), nullptr);
  EXPECT_EQ(left->kinds(), (Calls{"entered", "moved", "exited"}));
  EXPECT_EQ(left->events[1].buttons, 0u);  // no view holds the mouse: no buttons
  EXPECT_EQ(right->kinds(), (Calls{"entered", "exited", "down"}));
  frame->onNativeMouseUp({320, 10}, 0);
  frame->onNativeMouseLeave({700, 10}, 0);
  EXPECT_EQ(right->kinds().back(), "up");  // nothing hovered, nothing left
}
