// The frame's resize and the surface's cursor position, in a real X11 child window placed away
// from the screen's origin, so that window and screen coordinates differ.
// GoogleTest comes before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "editor/toolkit/frame.h"
#include "editor/toolkit/x11/x11_error_trap.h"
#include "tests/support/cursor_view.h"
#include "tests/support/x11_host.h"

using namespace VSTGUI;

namespace {

constexpr int kHolderX = 40, kHolderY = 30;

// A blue patch at the picture's left edge, unlike anything at its right edge.
class BluePatch : public CView {
 public:
  using CView::CView;
  void draw(CDrawContext* context) override {
    context->setFillColor(MakeColor(0, 0, 255, 255));
    context->fillRect(getViewSize());
  }
};

class X11FrameSizeAndCursor : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!host.available()) GTEST_SKIP() << "no X display";
    // The host's window for the editor: larger than the editor, so it can grow.
    Display* display = host.getDisplay();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
    holder = XCreateWindow(display, DefaultRootWindow(display), kHolderX, kHolderY, 800, 700, 0,
                           CopyFromParent, InputOutput, CopyFromParent,
                           CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, holder);
    XSync(display, False);
    frame = new CFrame(CRect{0, 0, 600, 600}, reinterpret_cast<void*>(holder), nullptr);
    frame->setBackgroundColor(MakeColor(255, 0, 0, 255));
    view = new CursorView(CRect{0, 0, 600, 600});
    frame->addView(view);
    view->release();
    ASSERT_TRUE(X11Host::waitUntil([&] { frame->idle(); }, [&] { return !view->seen.empty(); }));
  }
  void TearDown() override {
    if (frame) frame->release();
    if (holder) XDestroyWindow(host.getDisplay(), holder);
  }

  Window EditorWindow() const { return static_cast<Window>(frame->getNativeWindow()->handle()); }

  XWindowAttributes Attributes(Window window) const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(host.getDisplay(), window, &attributes);
    return attributes;
  }

  X11Host host;
  Window holder = 0;
  CFrame* frame = nullptr;
  CursorView* view = nullptr;
};

}  // namespace

TEST_F(X11FrameSizeAndCursor, SurfacesTellTheCursorInWindowCoordinates) {
  host.moveTo(kHolderX + 100, kHolderY + 50);
  ExpectCursorInWindow(*frame, *view, {100, 50});

  // Near the bottom edge: y beyond the editor's 600 rows is still measured from its top.
  host.moveTo(kHolderX + 3, kHolderY + 650);
  ExpectCursorInWindow(*frame, *view, {3, 650});
}

TEST_F(X11FrameSizeAndCursor, ResizeGivesTheWindowAndItsPictureTheNewSize) {
  ASSERT_TRUE(frame->setSize(400, 300));
  const CRect smaller{0, 0, 400, 300};
  EXPECT_EQ(frame->getViewSize(), smaller);
  XWindowAttributes own = Attributes(EditorWindow());
  EXPECT_EQ(own.width, 400);
  EXPECT_EQ(own.height, 300);

  ASSERT_TRUE(frame->setSize(700, 650));
  own = Attributes(EditorWindow());
  EXPECT_EQ(own.width, 700);
  EXPECT_EQ(own.height, 650);
  // The host's window is the host's to size.
  const XWindowAttributes hostWindow = Attributes(holder);
  EXPECT_EQ(hostWindow.width, 800);
  EXPECT_EQ(hostWindow.height, 700);

  // The whole of the larger window is painted again: the background reaches its far corner,
  // and the new strip shows no copy of the picture's left edge.
  auto* patch = new BluePatch(CRect{0, 0, 100, 100});
  frame->addView(patch);
  patch->release();
  frame->redrawNow(frame->getViewSize());
  const std::vector<CColor> pixels = host.screenshot(EditorWindow(), 700, 650);
  ASSERT_EQ(pixels.size(), 700u * 650u);
  EXPECT_EQ(pixels[10 * 700 + 50], MakeColor(0, 0, 255, 255));
  EXPECT_EQ(pixels[649 * 700 + 699], MakeColor(255, 0, 0, 255));
  EXPECT_EQ(pixels[10 * 700 + 650], MakeColor(255, 0, 0, 255));
  EXPECT_EQ(pixels[610 * 700 + 50], MakeColor(255, 0, 0, 255));
  EXPECT_EQ(host.hostErrors(), 0);
}

TEST_F(X11FrameSizeAndCursor, ResizeRefusesSizesNoWindowCanHaveAndAClosedFrame) {
  const int errorsBefore = TrappedX11Errors();
  for (const auto& [width, height] : std::vector<std::pair<double, double>>{
           {0, 100}, {100, -1}, {NAN, 100}, {100, INFINITY}, {40000, 100}}) {
    EXPECT_FALSE(frame->setSize(width, height)) << width << " x " << height;
  }
  EXPECT_TRUE(frame->setSize(600, 600));  // the size it has
  const CRect unchanged{0, 0, 600, 600};
  EXPECT_EQ(frame->getViewSize(), unchanged);
  EXPECT_EQ(TrappedX11Errors(), errorsBefore);

  // The host destroys its window, and the editor's with it.
  XDestroyWindow(host.getDisplay(), holder);
  XSync(host.getDisplay(), False);
  holder = 0;
  ASSERT_TRUE(X11Host::waitUntil([&] { frame->idle(); }, [&] { return !frame->isOpen(); }));
  EXPECT_FALSE(frame->setSize(500, 500));
  EXPECT_EQ(frame->getViewSize(), unchanged);
}
