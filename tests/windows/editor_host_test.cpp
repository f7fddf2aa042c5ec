// The DLL's editor in a host's window, driven only through the effect record:
// the picture, the window class, the mouse, and the host's window going first.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/windows/win32_host.h"
#include "tools/loader/plugin_library.h"

namespace {

VstTimeInfo timeInfo{};

intptr_t HostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&timeInfo);
  return 0;
}

class EditorInHost : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library = std::make_unique<PluginLibrary>(PLUGIN_PATH); }
  static void TearDownTestSuite() { library.reset(); }

  void SetUp() override {
    ASSERT_TRUE(library->loaded()) << library->error();
    timeInfo.sampleRate = 48000;
  }

  AEffect* Start() {
    AEffect* e = library->create(HostCallback);
    StartLikeAHost(e, 48000.0f, 1600);
    return e;
  }

  static void Stop(AEffect* e) {
    Dispatch(e, effMainsChanged, 0, 0);
    EXPECT_EQ(Dispatch(e, effClose), 1);
  }

  // The class every editor window of this copy of the DLL has.
  static std::wstring ClassName() {
    wchar_t name[32];
    std::swprintf(name, 32, L"Plugin%016llX",
                  static_cast<unsigned long long>(
                      reinterpret_cast<uintptr_t>(GetModuleHandleA(PLUGIN_PATH))));
    return name;
  }

  static bool ClassRegistered() {
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    return GetClassInfoExW(GetModuleHandleA(PLUGIN_PATH), ClassName().c_str(), &info) != 0;
  }

  static std::unique_ptr<PluginLibrary> library;
  Win32Host host;
};

std::unique_ptr<PluginLibrary> EditorInHost::library;

bool Reddish(const VSTGUI::CColor& p) {
  return p.red > 100 && p.green < 50 && p.blue < 50;
}

// A sweeping tone on the left, square bursts growing on the right.
void Play(AEffect* e, int graphFrame) {
  std::vector<float> left(1600), right(1600);
  for (size_t i = 0; i < left.size(); ++i) {
    const double t = (graphFrame * 1600.0 + static_cast<double>(i)) / 48000;
    left[i] = static_cast<float>(0.4 * std::sin(2 * 3.14159265 * (200 + 30 * graphFrame) * t));
    right[i] = ((i / 40) % 2 ? 0.15f : -0.15f) * static_cast<float>(graphFrame % 40) / 40.0f;
  }
  float* io[] = {left.data(), right.data()};
  e->processReplacing(e, io, io, 1600);
}

}  // namespace

TEST_F(EditorInHost, TheDllCarriesItsImagesAsDataResourcesZeroToThree) {
  HMODULE module = GetModuleHandleA(PLUGIN_PATH);
  ASSERT_NE(module, nullptr);
  for (int number = 0; number < 4; ++number)
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(number), "DATA"), nullptr) << number;
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(4), "DATA"), nullptr);
}

TEST_F(EditorInHost, TheGraphIsOnScreenWithItsImagesAndText) {
  AEffect* e = Start();
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  HWND editor = host.editorWindow();
  ASSERT_NE(editor, nullptr);
  for (int graphFrame = 0; graphFrame < 40; ++graphFrame) {
    Play(e, graphFrame);
    Dispatch(e, effEditIdle);
    Win32Host::pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
  }
  const std::vector<VSTGUI::CColor> pixels = Win32Host::screenshot(editor, 600, 600);
  ASSERT_EQ(pixels.size(), 360000u);
  int red = 0, white = 0, olive = 0, teal = 0;
  for (size_t i = 0; i < pixels.size(); ++i) {
    const VSTGUI::CColor& p = pixels[i];
    const bool inLogo = i % 600 < 100 && i / 600 < 100;
    red += Reddish(p);
    white += !inLogo && p.red > 100 && p.green > 100 && p.blue > 100;
    olive += p.red > 90 && p.green > 90 && p.blue < 40;
    teal += inLogo && p.red < 80 && p.green > 80 && p.blue > 80;
  }
  EXPECT_GT(red, 2000);                     // the frame and the right channel
  EXPECT_GT(white, 150);                    // the left channel
  EXPECT_GT(olive, 2000);                   // the ceilings and their labels
  EXPECT_GT(teal, 600);                     // the logo, decoded from the DLL's resources
  EXPECT_TRUE(Reddish(pixels[300 * 600]));  // the frame's left edge
  Dispatch(e, effEditClose);
  Stop(e);
}

// The logo's darkening pulses with every timed redraw.
uint64_t LogoBrightness(HWND editor) {
  const std::vector<VSTGUI::CColor> pixels = Win32Host::screenshot(editor, 600, 600);
  uint64_t sum = 0;
  for (int y = 0; y < 110 && !pixels.empty(); ++y) {
    for (int x = 0; x < 120; ++x) {
      const VSTGUI::CColor& p = pixels[static_cast<size_t>(y * 600 + x)];
      sum += p.red + p.green + p.blue;
    }
  }
  return sum;
}

TEST_F(EditorInHost, TheTimerRedrawsOnlyWhenTheHostIdlesTheEditor) {
  AEffect* e = Start();
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  HWND editor = host.editorWindow();
  Dispatch(e, effEditIdle);
  Win32Host::pump();
  const uint64_t still = LogoBrightness(editor);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  Win32Host::pump();
  EXPECT_EQ(LogoBrightness(editor), still);  // messages alone redraw nothing
  std::set<uint64_t> seen;
  for (int step = 0; step < 10; ++step) {
    for (int i = 0; i < 10; ++i) {
      Dispatch(e, effEditIdle);
      Win32Host::pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    seen.insert(LogoBrightness(editor));
  }
  EXPECT_GE(seen.size(), 4u);
  Dispatch(e, effEditClose);
  Stop(e);
}

TEST_F(EditorInHost, TwoEditorsShareTheModulesClassUntilTheLastCloses) {
  AEffect* first = Start();
  AEffect* second = Start();
  Win32Host otherHost;
  ASSERT_EQ(Dispatch(first, effEditOpen, 0, 0, host.parent()), 1);
  ASSERT_EQ(Dispatch(second, effEditOpen, 0, 0, otherHost.parent()), 1);
  wchar_t name[32] = L"";
  GetClassNameW(host.editorWindow(), name, 32);
  EXPECT_EQ(std::wstring(name), ClassName());
  GetClassNameW(otherHost.editorWindow(), name, 32);
  EXPECT_EQ(std::wstring(name), ClassName());
  Dispatch(first, effEditClose);
  EXPECT_EQ(host.editorWindow(), nullptr);
  EXPECT_TRUE(ClassRegistered());
  Dispatch(second, effEditClose);
  EXPECT_FALSE(ClassRegistered());
  Stop(first);
  Stop(second);
}

TEST_F(EditorInHost, APressCapturesTheMouseUntilTheRelease) {
  AEffect* e = Start();
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  HWND editor = host.editorWindow();
  PostMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 200));
  Win32Host::pump();
  EXPECT_EQ(GetCapture(), editor);
  PostMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(700, 650));
  PostMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(700, 650));
  Win32Host::pump();
  EXPECT_EQ(GetCapture(), nullptr);
  Dispatch(e, effEditClose);
  Stop(e);
}

TEST_F(EditorInHost, ClosingTwiceIsHarmlessAndReopeningPaintsAgain) {
  AEffect* e = Start();
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  Dispatch(e, effEditClose);
  Dispatch(e, effEditClose);
  EXPECT_EQ(host.editorWindow(), nullptr);
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  Dispatch(e, effEditIdle);
  Win32Host::pump();
  const std::vector<VSTGUI::CColor> pixels = Win32Host::screenshot(host.editorWindow(), 600, 600);
  ASSERT_EQ(pixels.size(), 360000u);
  EXPECT_TRUE(Reddish(pixels[300 * 600]));  // the frame's left edge
  Dispatch(e, effEditClose);
  Stop(e);
}

TEST_F(EditorInHost, AHostThatDestroysItsWindowFirstCanStillIdleAndClose) {
  AEffect* e = Start();
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  host.destroyParent();
  Play(e, 1);
  Dispatch(e, effEditIdle);
  Win32Host::pump();
  Dispatch(e, effEditClose);
  EXPECT_FALSE(ClassRegistered());
  Stop(e);
}

namespace {

// The editor window's client size.
std::pair<int, int> ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// As a host does after effEditGetRect.
void SizeHostWindow(HWND parent, int width, int height) {
  SetWindowPos(parent, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  Win32Host::pump();
}

std::pair<int, int> EditorRect(AEffect* e) {
  ERect* rect = nullptr;
  if (Dispatch(e, effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) return {};
  return {rect->right - rect->left, rect->bottom - rect->top};
}

// Plays and idles until the whole graph has been drawn a few times; the picture.
std::vector<VSTGUI::CColor> ShowGraph(AEffect* e, HWND editor, int side) {
  for (int graphFrame = 0; graphFrame < 20; ++graphFrame) {
    Play(e, graphFrame);
    Dispatch(e, effEditIdle);
    Win32Host::pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
  }
  return Win32Host::screenshot(editor, side, side);
}

// The first and last rows, below `from`, with the legends' yellow in the left half.
std::pair<int, int> YellowRows(const std::vector<VSTGUI::CColor>& pixels, int side, int from) {
  int first = -1, last = -1;
  for (int y = from; y < side - 3; ++y) {
    for (int x = 10; x < side / 2; ++x) {
      const VSTGUI::CColor& p = pixels[static_cast<size_t>(y * side + x)];
      if (!(p.red > 60 && p.green > 60 && p.blue < 40)) continue;
      if (first < 0) first = y;
      last = y;
      break;
    }
  }
  return {first, last};
}

}  // namespace

namespace {

// The legends' rows in an editor at the design size, which a host's scale of 1
// gives on any desktop.
std::pair<int, int> UnscaledLegendRows(AEffect* e, Win32Host& host) {
  EXPECT_EQ(Dispatch(e, effVendorSpecific, 0x50726553, 0x41654373, nullptr, 1.0f), 1);
  EXPECT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  const auto rows = YellowRows(ShowGraph(e, host.editorWindow(), 600), 600, 500);
  Dispatch(e, effEditClose);
  return rows;
}

}  // namespace

TEST_F(EditorInHost, AHostsScaleOfOneAndAHalfMakesANineHundredPixelEditor) {
  AEffect* e = Start();
  const auto [unscaledFirst, unscaledLast] = UnscaledLegendRows(e, host);
  EXPECT_EQ(Dispatch(e, effCanDo, 0, 0, const_cast<char*>("supportsViewDpiScaling")), 1);
  EXPECT_EQ(Dispatch(e, effVendorSpecific, 0x50726553, 0x41654373, nullptr, 1.5f), 1);
  ASSERT_EQ(EditorRect(e), std::pair(900, 900));
  SizeHostWindow(host.parent(), 900, 900);
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  HWND editor = host.editorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ClientSize(editor), std::pair(900, 900));
  const std::vector<VSTGUI::CColor> pixels = ShowGraph(e, editor, 900);
  ASSERT_EQ(pixels.size(), 810000u);
  // The frame two pixels thick on the right, the legends where the geometry puts them.
  EXPECT_TRUE(Reddish(pixels[450 * 900 + 899]));
  EXPECT_TRUE(Reddish(pixels[450 * 900 + 898]));
  EXPECT_FALSE(Reddish(pixels[450 * 900 + 897]));
  const auto [first, last] = YellowRows(pixels, 900, 750);
  EXPECT_NEAR(first, unscaledFirst * 1.5, 3);
  EXPECT_NEAR(last, unscaledLast * 1.5, 3);
  Dispatch(e, effEditClose);
  Stop(e);
}

// Run in a Wine prefix whose desktop is at the DPI in EXPECTED_DESKTOP_DPI.
TEST_F(EditorInHost, OnADesktopAtAHigherDpiTheEditorAndItsTextScaleTogether) {
  const char* dpi = std::getenv("EXPECTED_DESKTOP_DPI");
  if (dpi == nullptr) GTEST_SKIP() << "run by the test on a desktop of another DPI";
  const double scale = std::atof(dpi) / 96;
  const int side = static_cast<int>(std::lround(600 * scale));
  AEffect* unscaled = Start();
  const auto [unscaledFirst, unscaledLast] = UnscaledLegendRows(unscaled, host);
  Stop(unscaled);
  AEffect* e = Start();
  ASSERT_EQ(EditorRect(e), std::pair(side, side));
  SizeHostWindow(host.parent(), side, side);
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, host.parent()), 1);
  HWND editor = host.editorWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ClientSize(editor), std::pair(side, side));
  const std::vector<VSTGUI::CColor> pixels = ShowGraph(e, editor, side);
  ASSERT_EQ(pixels.size(), static_cast<size_t>(side * side));
  // Text placed by its line height: a height measured at the device's DPI for a
  // font made in pixels would lift the legends by a third of a line.
  const auto [first, last] = YellowRows(pixels, side, static_cast<int>(500 * scale));
  EXPECT_NEAR(first, unscaledFirst * scale, 2 * scale);
  EXPECT_NEAR(last, unscaledLast * scale, 2 * scale);
  Dispatch(e, effEditClose);
  Stop(e);
}
