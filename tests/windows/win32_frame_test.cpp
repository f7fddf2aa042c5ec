// The toolkit's frame in a real Win32 child window: class and styles,
// painting, mouse routing with the button bits, and drag and drop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/toolkit/frame.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_view.h"
#include "tests/windows/test_data_object.h"
#include "tests/windows/win32_host.h"
#include "vst2/cdazu.h"
#include "vst2/editor/aeff_gui_editor.h"

using namespace VSTGUI;

namespace {

class Win32Frame : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrame(CRect{0, 0, 600, 600}, host.parent(), nullptr);
    view = new RecordingView(CRect{0, 0, 600, 600});
    frame->addView(view);
    view->release();
    ASSERT_TRUE(Win32Host::waitUntil([&] { frame->idle(); }, [&] { return view->paints > 0; }));
    view->events.clear();
  }
  void TearDown() override {
    if (frame) frame->release();
    Win32Host::moveTo(1000, 1000);  // out of the next test's window
    Win32Host::pump();
  }

  bool WaitFor(size_t events) {
    return Win32Host::waitUntil([&] { frame->idle(); },
                                [&] { return view->events.size() >= events; });
  }

  HWND Window() const { return reinterpret_cast<HWND>(frame->getNativeWindow()->handle()); }

  // Red over the whole window behind the frame's back: what it paints again shows.
  void PaintStaleRed() const {
    HDC dc = GetDC(Window());
    const RECT all{0, 0, 600, 600};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(Window(), dc);
  }

  Win32Host host;
  CFrame* frame = nullptr;
  RecordingView* view = nullptr;
};

// As "Plugin%p" formats the module's handle on Windows.
std::wstring ClassNameOfThisModule() {
  wchar_t name[32];
  std::swprintf(
      name, 32, L"Plugin%016llX",
      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))));
  return name;
}

bool ClassRegistered() {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  return GetClassInfoExW(GetModuleHandleW(nullptr), ClassNameOfThisModule().c_str(), &info) != 0;
}

}  // namespace

TEST_F(Win32Frame, TheWindowIsAVisibleChildOfTheModulesClassWithItsTitleAndStyles) {
  ASSERT_EQ(host.editorWindow(), Window());
  RECT client{};
  GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 600);
  EXPECT_TRUE(IsWindowVisible(Window()));
  wchar_t text[64] = L"";
  GetClassNameW(Window(), text, 64);
  EXPECT_EQ(std::wstring(text), ClassNameOfThisModule());
  GetWindowTextW(Window(), text, 64);
  EXPECT_EQ(std::wstring(text), L"Window");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_STYLE));
  const DWORD expected = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  EXPECT_EQ(style & expected, expected);
  // Composed by the system from Vista (6.0) on. The test runs say which
  // version Wine tells this program it runs on.
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ASSERT_TRUE(GetVersionExW(&version));
#pragma GCC diagnostic pop
  if (const char* major = std::getenv("EXPECTED_WINDOWS_MAJOR_VERSION")) {
    EXPECT_EQ(version.dwMajorVersion, std::strtoul(major, nullptr, 10));
  }
  EXPECT_EQ((GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_COMPOSITED) != 0,
            version.dwMajorVersion >= 6);
  EXPECT_EQ(GetClassLongPtrW(Window(), GCL_STYLE), CS_GLOBALCLASS | CS_DBLCLKS);
}

TEST_F(Win32Frame, APaintIsBlackGroundThenTheView) {
  const std::vector<CColor> pixels = Win32Host::screenshot(Window(), 600, 600);
  ASSERT_EQ(pixels.size(), 600u * 600u);
  EXPECT_EQ(pixels[150 * 600 + 150], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[10 * 600 + 10], kBlackCColor);
  EXPECT_EQ(pixels[599 * 600 + 599], kBlackCColor);
}

TEST_F(Win32Frame, OnlyTheInvalidPartIsPaintedAgain) {
  // Stale content everywhere, then one corner of the square invalid.
  PaintStaleRed();
  const int paints = view->paints;
  frame->invalidRect({90, 90, 110, 110});
  ASSERT_TRUE(Win32Host::waitUntil([&] { frame->idle(); }, [&] { return view->paints > paints; }));
  const std::vector<CColor> pixels = Win32Host::screenshot(Window(), 600, 600);
  EXPECT_EQ(pixels[95 * 600 + 95], kBlackCColor);
  EXPECT_EQ(pixels[105 * 600 + 105], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[120 * 600 + 120], MakeColor(255, 0, 0, 255));
  EXPECT_EQ(pixels[5 * 600 + 5], MakeColor(255, 0, 0, 255));
}

TEST_F(Win32Frame, APressHoldsTheMouseForTheViewEvenOutsideTheWindow) {
  Win32Host::moveTo(50, 60);
  Win32Host::holdKey(VK_SHIFT, true);
  Win32Host::press(MOUSEEVENTF_LEFTDOWN);
  Win32Host::holdKey(VK_SHIFT, false);
  Win32Host::moveTo(700, 650);
  Win32Host::release(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(
      Win32Host::waitUntil([&] { frame->idle(); },
                           [&] { return !view->events.empty() && view->kinds().back() == "up"; }));
  const std::vector<std::string> kinds = view->kinds();
  const auto down = std::find(kinds.begin(), kinds.end(), "down") - kinds.begin();
  ASSERT_LT(down + 1, static_cast<long>(kinds.size()));
  const ViewCall& press = view->events[static_cast<size_t>(down)];
  EXPECT_EQ(press.buttons, kLButton | kShift);
  EXPECT_EQ(press.where.x, 50);
  EXPECT_EQ(press.where.y, 60);
  const ViewCall& moved = view->events[static_cast<size_t>(down) + 1];
  EXPECT_EQ(moved.what, "moved");
  EXPECT_EQ(moved.where.x, 700);  // beyond the window's 600 pixels
  EXPECT_EQ(moved.buttons, static_cast<uint32_t>(kLButton));
  EXPECT_EQ(view->events.back().where.y, 650);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Win32Frame, TheSecondQuickPressIsADoubleClickAndTheThirdIsNot) {
  Win32Host::moveTo(300, 300);
  for (int i = 0; i < 3; ++i) {
    Win32Host::press(MOUSEEVENTF_RIGHTDOWN);
    Win32Host::release(MOUSEEVENTF_RIGHTUP);
  }
  ASSERT_TRUE(Win32Host::waitUntil([&] { frame->idle(); },
                                   [&] {
                                     const std::vector<std::string> kinds = view->kinds();
                                     return std::count(kinds.begin(), kinds.end(), "up") == 3;
                                   }));
  std::vector<uint32_t> presses;
  for (const ViewCall& e : view->events) {
    if (e.what == "down") presses.push_back(e.buttons);
  }
  EXPECT_EQ(presses, (std::vector<uint32_t>{kRButton, kRButton | kDoubleClick, kRButton}));
}

TEST_F(Win32Frame, HoveringEntersFirstThenMovesWithoutButtonsThenLeaves) {
  Win32Host::moveTo(750, 650);
  Win32Host::pump();
  view->events.clear();
  Win32Host::moveTo(20, 20);
  ASSERT_TRUE(WaitFor(1));
  Win32Host::moveTo(30, 30);
  ASSERT_TRUE(WaitFor(2));
  EXPECT_EQ(view->events[0].what, "entered");
  EXPECT_EQ(view->events[1].what, "moved");
  EXPECT_EQ(view->events[1].buttons, 0u);
  Win32Host::moveTo(750, 30);
  ASSERT_TRUE(WaitFor(3));
  EXPECT_EQ(view->events[2].what, "exited");
}

TEST_F(Win32Frame, AWheelNotchIsOneStepAndHalfANotchNone) {
  // The wheel reports the screen position: the frame makes it the window's.
  SetWindowPos(host.parent(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (short delta : {120, -240, 60}) {
    SendMessageW(Window(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(delta)),
                 MAKELPARAM(300, 250));
  }
  ASSERT_EQ(view->events.size(), 3u);
  EXPECT_EQ(view->events[0].what, "wheel up");
  EXPECT_EQ(view->events[1].what, "wheel down");
  EXPECT_EQ(view->events[2].what, "wheel none");
  EXPECT_EQ(view->events[0].where.x, 200);
  EXPECT_EQ(view->events[0].where.y, 200);
}

TEST_F(Win32Frame, TwoFramesShareOneClassWhichGoesWithTheLast) {
  CFrame* second = new CFrame(CRect{0, 0, 100, 100}, host.parent(), nullptr);
  ASSERT_NE(second->getNativeWindow(), nullptr);
  frame->release();
  frame = nullptr;
  EXPECT_TRUE(ClassRegistered());
  second->release();
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(Win32Frame, AParentDestroyedUnderTheFrameClosesIt) {
  host.destroyParent();
  EXPECT_FALSE(frame->isOpen());
  frame->invalidRect({0, 0, 600, 600});
  frame->idle();
  frame->release();
  frame = nullptr;
  EXPECT_FALSE(ClassRegistered());
}

TEST(Win32FrameWithoutParent, AParentThatIsNoWindowGivesAFrameWithoutWindow) {
  CFrame* frame = new CFrame(CRect{0, 0, 600, 600}, reinterpret_cast<void*>(0x3fffff0), nullptr);
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->getNativeWindow(), nullptr);
  frame->idle();
  frame->release();
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(Win32Frame, EveryCursorTypeIsTheSystemsAndTheDefaultRestoresTheFirst) {
  const HCURSOR original = GetCursor();
  struct Expected {
    CCursorType type;
    int id;
  };
  for (const Expected& e : {Expected{kCursorWait, 32514}, Expected{kCursorHSize, 32644},
                            Expected{kCursorVSize, 32645}, Expected{kCursorSizeAll, 32646},
                            Expected{kCursorNESWSize, 32643}, Expected{kCursorNWSESize, 32642},
                            Expected{kCursorNotAllowed, 32648}, Expected{kCursorHand, 32649}}) {
    frame->setCursorType(e.type);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(e.id))) << e.id;
  }
  frame->setCursorType(kCursorDefault);
  EXPECT_EQ(GetCursor(), original);
}

namespace {

// Drops as soon as the target has been asked twice what it would do.
class DropSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape || ++polls > 200) return DRAGDROP_S_CANCEL;
    return feedbacks >= 2 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    ++feedbacks;
    effects.push_back(effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

  int polls = 0;
  int feedbacks = 0;
  std::vector<DWORD> effects;
};

}  // namespace

TEST_F(Win32Frame, TheWindowTakesDragsButRefusesToDropSinceNoViewTakesDrops) {
  auto* under = new RecordingView(CRect{200, 200, 400, 400});
  frame->addView(under);
  under->release();
  TestDataObject* other = TestDataObject::withText(L"x");
  EXPECT_EQ(RegisterDragDrop(Window(), reinterpret_cast<IDropTarget*>(other)),
            DRAGDROP_E_ALREADYREGISTERED);
  other->Release();

  Win32Host::moveTo(300, 300);
  Win32Host::pump();
  TestDataObject* files = TestDataObject::withFiles({L"C:\\take.wav"});
  DropSource source;
  DWORD effect = DROPEFFECT_COPY;
  const HRESULT result =
      DoDragDrop(files, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  EXPECT_GT(files->dataRequests, 0);  // the target looked at what came
  files->Release();
  EXPECT_TRUE(result == DRAGDROP_S_DROP || result == DRAGDROP_S_CANCEL) << std::hex << result;
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  ASSERT_FALSE(source.effects.empty());
  for (DWORD shown : source.effects)
    EXPECT_EQ(shown, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(frame->isOpen());
  // The drag passed over the view under the mouse; refused, it ended as a leave.
  std::vector<std::string> drags;
  for (const std::string& call : under->kinds()) {
    if (call.rfind("drag", 0) == 0) drags.push_back(call);
  }
  ASSERT_GE(drags.size(), 2u);
  EXPECT_EQ(drags.front(), "drag entered");
  EXPECT_EQ(drags.back(), "drag left");
}

TEST_F(Win32Frame, ARedrawNowPaintsItsRectangleBeforeReturning) {
  PaintStaleRed();
  const int paints = view->paints;
  frame->redrawNow({90, 90, 110, 110});  // no messages pumped
  EXPECT_EQ(view->paints, paints + 1);
  const std::vector<CColor> pixels = Win32Host::screenshot(Window(), 600, 600);
  EXPECT_EQ(pixels[95 * 600 + 95], kBlackCColor);
  EXPECT_EQ(pixels[105 * 600 + 105], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[120 * 600 + 120], MakeColor(255, 0, 0, 255));
}

TEST(Win32FrameInEditor, AWaitOfAToolkitLoopPaintsAWaitingWindow) {
  FakeHost fakeHost;
  PluginInstance plugin;
  plugin.start();
  auto* editor = static_cast<AEffGUIEditor*>(plugin.adapter()->getEditor());
  Win32Host host;
  CFrame* frame = new CFrame(CRect{0, 0, 600, 600}, host.parent(), editor);
  auto* view = new RecordingView(CRect{0, 0, 600, 600});
  frame->addView(view);
  view->release();
  Win32Host::pump();
  const int paints = view->paints;
  frame->invalidRect({0, 0, 10, 10});
  editor->idleDuringWait();  // the editor has no frame open: only the thread's paint runs
  EXPECT_EQ(view->paints, paints + 1);
  EXPECT_EQ(fakeHost.count(audioMasterIdle), 1);
  frame->release();
}
