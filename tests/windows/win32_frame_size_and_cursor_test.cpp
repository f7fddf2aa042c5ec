// The frame's resize, with the host's windows around it, and the surface's cursor position,
// in real Win32 windows placed away from the screen's origin.
#include <gtest/gtest.h>

#include <vector>

#include "editor/toolkit/frame.h"
#include "tests/support/cursor_view.h"
#include "tests/windows/win32_host.h"

using namespace VSTGUI;

namespace {

const wchar_t kHostClass[] = L"ResizeTestHost";

HWND MakeWindow(const wchar_t* className, DWORD style, int x, int y, int width, int height,
                HWND parent, void* parameter = nullptr) {
  return CreateWindowExW(0, className, L"", style | WS_VISIBLE, x, y, width, height, parent,
                         nullptr, GetModuleHandleW(nullptr), parameter);
}

SIZE SizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// A host's top-level window at (50, 40) with a bordered child window that holds the editor:
// each separated from the next by a border of its own.
class Win32FrameSizeAndCursor : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kHostClass;
    RegisterClassExW(&windowClass);
  }

  void SetUp() override {
    top = MakeWindow(kHostClass, WS_POPUP | WS_BORDER, 50, 40, 900, 800, nullptr);
    holder = MakeWindow(kHostClass, WS_CHILD | WS_BORDER, 10, 10, 620, 610, top);
    ASSERT_TRUE(top && holder);
    Open(holder);
  }
  void TearDown() override {
    if (frame) frame->release();
    if (top) DestroyWindow(top);
    Win32Host::moveTo(1200, 1000);  // out of the next test's window
    Win32Host::pump();
  }

  void Open(HWND parent) {
    frame = new CFrame(CRect{0, 0, 600, 600}, parent, nullptr);
    frame->setBackgroundColor(MakeColor(255, 0, 0, 255));
    view = new CursorView(CRect{0, 0, 600, 600});
    frame->addView(view);
    view->release();
    ASSERT_TRUE(Win32Host::waitUntil([&] { frame->idle(); }, [&] { return !view->seen.empty(); }));
  }

  HWND Editor() const { return reinterpret_cast<HWND>(frame->getNativeWindow()->handle()); }

  HWND top = nullptr;
  HWND holder = nullptr;
  CFrame* frame = nullptr;
  CursorView* view = nullptr;
};

}  // namespace

TEST_F(Win32FrameSizeAndCursor, SurfacesTellTheCursorInWindowCoordinates) {
  RECT editor{};
  GetWindowRect(Editor(), &editor);
  ASSERT_NE(editor.left, 0);  // window and screen coordinates differ
  Win32Host::moveTo(editor.left + 100, editor.top + 50);
  Win32Host::pump();
  ExpectCursorInWindow(*frame, *view, {100, 50});
}

TEST_F(Win32FrameSizeAndCursor, ResizeCarriesTheHostsWindowsAlongWithTheirBorders) {
  const SIZE holderBefore = SizeOf(holder), topBefore = SizeOf(top);
  ASSERT_TRUE(frame->setSize(700, 650));
  const CRect larger{0, 0, 700, 650};
  EXPECT_EQ(frame->getViewSize(), larger);
  const SIZE editor = SizeOf(Editor()), holderAfter = SizeOf(holder), topAfter = SizeOf(top);
  EXPECT_EQ(editor.cx, 700);
  EXPECT_EQ(editor.cy, 650);
  EXPECT_EQ(holderAfter.cx, holderBefore.cx + 100);
  EXPECT_EQ(holderAfter.cy, holderBefore.cy + 50);
  EXPECT_EQ(topAfter.cx, topBefore.cx + 100);
  EXPECT_EQ(topAfter.cy, topBefore.cy + 50);
  RECT place{};
  GetWindowRect(top, &place);
  EXPECT_EQ(place.left, 50);  // sizes only: nothing moves
  EXPECT_EQ(place.top, 40);

  // The whole of the larger window is painted again, also through a back buffer.
  frame->redrawNow(larger);
  Win32Host::pump();
  const std::vector<CColor> pixels = Win32Host::screenshot(Editor(), 700, 650);
  ASSERT_EQ(pixels.size(), 700u * 650u);
  EXPECT_EQ(pixels[649 * 700 + 699], MakeColor(255, 0, 0, 255));

  ASSERT_TRUE(frame->setSize(500, 400));
  EXPECT_EQ(SizeOf(top).cx, topBefore.cx - 100);
  EXPECT_EQ(SizeOf(top).cy, topBefore.cy - 200);
}

// An MDI host arranges the windows inside its client area itself: the walk stops there.
TEST_F(Win32FrameSizeAndCursor, ResizeStopsAtAnMdiClientArea) {
  frame->release();
  frame = nullptr;
  CLIENTCREATESTRUCT mdi{nullptr, 50000};
  const HWND client =
      MakeWindow(L"MDICLIENT", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 880, 780, top, &mdi);
  ASSERT_NE(client, nullptr);
  const HWND document = MakeWindow(kHostClass, WS_CHILD | WS_BORDER, 5, 5, 610, 610, client);
  Open(document);
  const SIZE documentBefore = SizeOf(document), clientBefore = SizeOf(client),
             topBefore = SizeOf(top);
  ASSERT_TRUE(frame->setSize(640, 630));
  EXPECT_EQ(SizeOf(document).cx, documentBefore.cx + 40);
  EXPECT_EQ(SizeOf(document).cy, documentBefore.cy + 30);
  EXPECT_EQ(SizeOf(client).cx, clientBefore.cx);
  EXPECT_EQ(SizeOf(top).cy, topBefore.cy);
}

TEST_F(Win32FrameSizeAndCursor, ResizeRefusesBadSizesAndAClosedFrame) {
  EXPECT_FALSE(frame->setSize(0, 100));
  EXPECT_FALSE(frame->setSize(100, 40000));
  EXPECT_TRUE(frame->setSize(600, 600));
  DestroyWindow(top);
  top = nullptr;
  Win32Host::pump();
  EXPECT_FALSE(frame->isOpen());
  EXPECT_FALSE(frame->setSize(500, 500));
  const CRect unchanged{0, 0, 600, 600};
  EXPECT_EQ(frame->getViewSize(), unchanged);
}
