// The toolkit's frame in a real X11 child window: painting, mouse routing and
// the button bits, with input injected through XTest.
// GoogleTest comes before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <regex>
#include <string>
#include <vector>

#include "editor/toolkit/frame.h"
#include "editor/toolkit/x11/x11_error_trap.h"
#include "tests/support/recording_view.h"
#include "tests/support/x11_host.h"

using namespace VSTGUI;

namespace {

class X11Frame : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!host.available()) GTEST_SKIP() << "no X display";
    frame = new CFrame(CRect{0, 0, 600, 600}, host.parentHandle(), nullptr);
    view = new RecordingView(CRect{0, 0, 600, 600});
    frame->addView(view);
    view->release();
    ASSERT_TRUE(X11Host::waitUntil([&] { frame->idle(); }, [&] { return view->paints > 0; }));
  }
  void TearDown() override {
    if (frame) frame->release();
  }

  bool WaitFor(size_t events) {
    return X11Host::waitUntil([&] { frame->idle(); },
                              [&] { return view->events.size() >= events; });
  }

  X11Host host;
  CFrame* frame = nullptr;
  RecordingView* view = nullptr;
};

}  // namespace

TEST_F(X11Frame, TheWindowIsAMappedChildWithTheModulesClassAndTitle) {
  const Window window = host.editorWindow();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(window, frame->getNativeWindow()->handle());
  XWindowAttributes attributes{};
  XGetWindowAttributes(host.getDisplay(), window, &attributes);
  EXPECT_EQ(attributes.width, 600);
  EXPECT_EQ(attributes.height, 600);
  EXPECT_EQ(attributes.map_state, IsViewable);
  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(host.getDisplay(), window, &hint));
  EXPECT_TRUE(std::regex_match(hint.res_class, std::regex("Plugin(0x)?[0-9a-f]+")))
      << hint.res_class;
  XFree(hint.res_name);
  XFree(hint.res_class);
  char* title = nullptr;
  ASSERT_TRUE(XFetchName(host.getDisplay(), window, &title));
  EXPECT_STREQ(title, "Window");
  XFree(title);
}

TEST_F(X11Frame, APaintIsBlackGroundThenTheView) {
  const std::vector<CColor> pixels = host.screenshot(host.editorWindow(), 600, 600);
  ASSERT_EQ(pixels.size(), 600u * 600u);
  EXPECT_EQ(pixels[150 * 600 + 150], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[10 * 600 + 10], kBlackCColor);
  EXPECT_EQ(pixels[599 * 600 + 599], kBlackCColor);
}

TEST_F(X11Frame, ARedrawNowPaintsItsRectangleBeforeReturning) {
  // Stale content everywhere, painted by another client.
  Display* display = host.getDisplay();
  const Window window = host.editorWindow();
  GC gc = XCreateGC(display, window, 0, nullptr);
  XSetForeground(display, gc, 0xFF0000);
  XFillRectangle(display, window, gc, 0, 0, 600, 600);
  XFreeGC(display, gc);
  XSync(display, False);
  const int paints = view->paints;
  frame->redrawNow({90, 90, 110, 110});  // no idle: nothing else paints
  EXPECT_EQ(view->paints, paints + 1);
  const std::vector<CColor> pixels = host.screenshot(window, 600, 600);
  ASSERT_EQ(pixels.size(), 600u * 600u);
  // The stale content is gone: the window shows the whole last picture.
  EXPECT_EQ(pixels[95 * 600 + 95], kBlackCColor);
  EXPECT_EQ(pixels[105 * 600 + 105], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[150 * 600 + 150], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[5 * 600 + 5], kBlackCColor);
}

TEST_F(X11Frame, APressHoldsTheMouseForTheViewEvenOutsideTheWindow) {
  host.moveTo(50, 60);
  host.holdKey(XK_Shift_L, true);
  host.press(Button1);
  host.holdKey(XK_Shift_L, false);
  host.moveTo(700, 650);
  host.release(Button1);
  ASSERT_TRUE(WaitFor(4));
  std::vector<std::string> kinds;
  for (const ViewCall& e : view->events)
    kinds.push_back(e.what);
  const auto down = std::find(kinds.begin(), kinds.end(), "down") - kinds.begin();
  ASSERT_LT(down, static_cast<long>(kinds.size()));
  const ViewCall& press = view->events[static_cast<size_t>(down)];
  EXPECT_EQ(press.buttons, kLButton | kShift);
  EXPECT_EQ(press.where.x, 50);
  EXPECT_EQ(press.where.y, 60);
  const ViewCall& moved = view->events[static_cast<size_t>(down) + 1];
  EXPECT_EQ(moved.what, "moved");
  EXPECT_EQ(moved.where.x, 700);  // beyond the window's 600 pixels
  EXPECT_EQ(moved.buttons, static_cast<uint32_t>(kLButton));
  EXPECT_EQ(view->events.back().what, "up");
  EXPECT_EQ(view->events.back().where.y, 650);
}

TEST_F(X11Frame, TheSecondQuickPressIsADoubleClickAndTheThirdIsNot) {
  host.moveTo(300, 300);
  for (int i = 0; i < 3; ++i) {
    host.press(Button3);
    host.release(Button3);
  }
  ASSERT_TRUE(WaitFor(7));
  std::vector<uint32_t> presses;
  for (const ViewCall& e : view->events) {
    if (e.what == "down") presses.push_back(e.buttons);
  }
  EXPECT_EQ(presses, (std::vector<uint32_t>{kRButton, kRButton | kDoubleClick, kRButton}));
}

TEST_F(X11Frame, HoveringEntersFirstThenMovesWithoutButtonsThenLeaves) {
  host.moveTo(700, 700);
  frame->idle();
  view->events.clear();
  host.moveTo(20, 20);
  host.moveTo(30, 30);
  ASSERT_TRUE(WaitFor(2));
  EXPECT_EQ(view->events[0].what, "entered");
  EXPECT_EQ(view->events[1].what, "moved");
  EXPECT_EQ(view->events[1].buttons, 0u);
  host.moveTo(800, 30);
  ASSERT_TRUE(WaitFor(3));
  EXPECT_EQ(view->events[2].what, "exited");
}

TEST_F(X11Frame, WheelNotchesAreOneStepEach) {
  host.moveTo(200, 200);
  host.press(Button4);
  host.release(Button4);
  host.press(Button5);
  host.release(Button5);
  ASSERT_TRUE(X11Host::waitUntil([&] { frame->idle(); },
                                 [&] {
                                   return std::count_if(view->events.begin(), view->events.end(),
                                                        [](const ViewCall& e) {
                                                          return e.what.rfind("wheel", 0) == 0;
                                                        }) == 2;
                                 }));
  std::vector<std::string> wheels;
  for (const ViewCall& e : view->events) {
    if (e.what.rfind("wheel", 0) == 0) wheels.push_back(e.what);
  }
  EXPECT_EQ(wheels, (std::vector<std::string>{"wheel up", "wheel down"}));
}

TEST_F(X11Frame, AParentDestroyedUnderTheFrameLeavesNoErrorForTheHost) {
  host.destroyParent();
  X11Host::waitUntil([&] { frame->idle(); }, [&] { return !frame->isOpen(); });
  EXPECT_FALSE(frame->isOpen());
  frame->invalidRect({0, 0, 600, 600});
  frame->idle();
  frame->release();
  frame = nullptr;
  EXPECT_EQ(host.hostErrors(), 0);
}

TEST(X11FrameWithoutParent, AParentThatIsNoWindowGivesAFrameWithoutWindow) {
  X11Host host;
  if (!host.available()) GTEST_SKIP() << "no X display";
  CFrame* frame = new CFrame(CRect{0, 0, 600, 600}, reinterpret_cast<void*>(0x3fffff0), nullptr);
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->getNativeWindow(), nullptr);
  frame->idle();
  frame->release();
  EXPECT_EQ(host.hostErrors(), 0);
}

namespace {

// A view whose leave handling calls into the host, which then makes failing
// X calls on its own two connections: the frame is inside its own trap then,
// and has just asked the window for the mouse's place and buttons.
class HostCallingView : public RecordingView {
 public:
  HostCallingView(const CRect& size, X11Host& host, Display* second)
      : RecordingView(size), host(host), second(second) {}
  CMouseEventResult onMouseExited(CPoint& where, uint32_t buttons) override {
    X11Host::raiseError(host.getDisplay());
    X11Host::raiseError(second);
    ++exits;
    return RecordingView::onMouseExited(where, buttons);
  }
  int exits = 0;

 private:
  X11Host& host;
  Display* second;
};

}  // namespace

TEST(X11FrameInAHostThatCallsX, TheHostsErrorsDuringTheFramesEventsReachItsHandlerOnce) {
  X11Host host;
  if (!host.available()) GTEST_SKIP() << "no X display";
  Display* second = host.openConnection();
  ASSERT_NE(second, nullptr);
  CFrame* frame = new CFrame(CRect{0, 0, 600, 600}, host.parentHandle(), nullptr);
  auto* view = new HostCallingView(CRect{0, 0, 600, 600}, host, second);
  frame->addView(view);
  view->release();
  for (int round = 1; round <= 3; ++round) {
    host.moveTo(300, 300);
    ASSERT_TRUE(X11Host::waitUntil([&] { frame->idle(); },
                                   [&] { return frame->getMouseOverView() == view; }));
    host.moveTo(900, 300);  // out of the window: the frame hears LeaveNotify
    ASSERT_TRUE(X11Host::waitUntil([&] { frame->idle(); }, [&] { return view->exits == round; }));
  }
  EXPECT_EQ(host.ownErrorsSeen(), 6);
  EXPECT_EQ(host.hostErrors(), 0);
  frame->release();
  EXPECT_TRUE(X11Host::handlerIsTheHosts());
}

TEST_F(X11Frame, EveryCursorTypeIsAValidXCursor) {
  const int before = TrappedX11Errors();
  for (CCursorType type : {kCursorWait, kCursorHSize, kCursorVSize, kCursorSizeAll, kCursorNESWSize,
                           kCursorNWSESize, kCursorNotAllowed, kCursorHand, kCursorDefault}) {
    frame->setCursorType(type);
  }
  frame->idle();
  EXPECT_EQ(TrappedX11Errors(), before);
  EXPECT_EQ(host.hostErrors(), 0);
}
