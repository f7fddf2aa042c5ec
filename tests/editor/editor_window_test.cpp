// The plug-in's editor in a host's window, driven through the dispatcher as a
// host drives it: the picture on screen, the mouse, the redraw timer and the
// editor's lifetime.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "editor/toolkit/buttons.h"
#include "editor/toolkit/frame.h"
#include "editor/toolkit/x11/x11_error_trap.h"
#include "effect/meter_model.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_view.h"
#include "tests/support/x11_host.h"
#include "vst2/cdazu.h"
#include "vst2/editor/cdazu_editor.h"

using namespace VSTGUI;

namespace {

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.available()) GTEST_SKIP() << "no X display";
    plugin.start(44100, 512);
  }

  void Open() {
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
    ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return Draws() > 0; }));
  }
  void Idle() { plugin.dispatch(effEditIdle); }

  // Each draw of the graph advances the glow's phase.
  int Draws() {
    const double phase = s.var.glowPhase;
    if (phase != lastPhase) {
      ++draws;
      lastPhase = phase;
    }
    return draws;
  }

  void Process(const std::vector<float>& left, const std::vector<float>& right) {
    std::vector<float> l = left, r = right;
    float* io[] = {l.data(), r.data()};
    plugin.effect->processReplacing(plugin.effect, io, io, static_cast<int32_t>(l.size()));
  }

  // Idles every `period` for about a second and counts the draws.
  int DrawsInASecond(std::chrono::milliseconds period) {
    const int before = Draws();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < end) {
      Idle();
      Draws();
      std::this_thread::sleep_for(period);
    }
    return Draws() - before;
  }

  X11Host x;
  FakeHost host;
  PluginInstance plugin;
  TVebriskEffect& s = plugin.script();
  double lastPhase = 0;
  int draws = 0;
};

bool Reddish(CColor c) {
  return c.red > 120 && c.green < 60 && c.blue < 60;
}

}  // namespace

TEST_F(EditorWindow, TheGraphIsOnScreenWithTheMeasuredHeights) {
  Open();
  // At 44.1 kHz steps of 0.25 stand at half height, steps of 0.125 at three quarters.
  std::vector<float> half(1024), quarter(1024);
  for (size_t i = 0; i < half.size(); ++i) {
    half[i] = (i % 2) ? 0.25f : 0.0f;
    quarter[i] = (i % 2) ? 0.125f : 0.0f;
  }
  for (int graphFrame = 0; graphFrame < kHistoryLength; ++graphFrame) {
    Process(half, quarter);
    const int before = Draws();
    ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return Draws() > before; }));
  }
  const std::vector<CColor> pixels = x.screenshot(x.editorWindow(), 600, 600);
  ASSERT_EQ(pixels.size(), 360000u);
  auto at = [&](int px, int py) { return pixels[static_cast<size_t>(py * 600 + px)]; };
  for (int i = 10; i < 590; i += 40) {
    EXPECT_TRUE(Reddish(at(i, 0)) && Reddish(at(i, 599)) && Reddish(at(0, i)) &&
                Reddish(at(599, i)))
        << i;
  }
  EXPECT_EQ(at(300, 150), kBlackCColor);
  // Olive ceilings: 1970/1980 from x 15 at y 255, 1990 from x 150 at y 22.5.
  auto olive = [](CColor c) { return c.red > 60 && c.green > 60 && c.blue < 30; };
  EXPECT_TRUE(olive(at(300, 255)));
  EXPECT_TRUE(olive(at(20, 255)));
  EXPECT_TRUE(olive(at(300, 22)));
  EXPECT_TRUE(olive(at(580, 22)));
  EXPECT_FALSE(olive(at(450, 40)));  // below the ceiling, right of its label
  // The left history in half-white, the right one in half-red, each at its height.
  const CColor left = at(300, 300);
  EXPECT_TRUE(left.red > 100 && left.green > 100 && left.blue > 100);
  EXPECT_TRUE(Reddish(at(300, 450)));
  EXPECT_EQ(at(300, 375), kBlackCColor);
}

TEST_F(EditorWindow, ClicksSetTheScriptsMouseAndRaiseTheFrameRate) {
  Open();
  s.frameRate = 0;
  x.moveTo(120, 130);
  x.holdKey(XK_Shift_L, true);
  x.press(1);
  ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return s.mouseButtons != 0; }));
  EXPECT_EQ(s.mouseButtons, 9);  // left + shift
  EXPECT_EQ(s.mouseX, 120);
  EXPECT_EQ(s.mouseY, 130);
  EXPECT_EQ(s.frameRate, 30);
  x.holdKey(XK_Shift_L, false);
  x.moveTo(650, 700);  // dragged beyond the window: the view still hears of it
  ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return s.mouseX == 650; }));
  EXPECT_EQ(s.mouseY, 700);
  x.release(1);
  ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return s.mouseButtons == 0; }));

  x.moveTo(200, 200);
  x.holdKey(XK_Control_L, true);
  x.press(3);
  ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return s.mouseButtons != 0; }));
  EXPECT_EQ(s.mouseButtons, 6);  // right + control
  x.release(3);
  x.holdKey(XK_Control_L, false);
  x.press(2);
  ASSERT_TRUE(X11Host::waitUntil([&] { Idle(); }, [&] { return s.mouseButtons == 64; }));
  x.release(2);
}

TEST_F(EditorWindow, TheTimerRedrawsAtMostThirtyTimesASecond) {
  Open();
  const int often = DrawsInASecond(std::chrono::milliseconds(10));
  EXPECT_GE(often, 20);
  EXPECT_LE(often, 30);
  // Idling every 50 ms, each idle finds more than 1/30 s gone: one draw per idle.
  const int rarely = DrawsInASecond(std::chrono::milliseconds(50));
  EXPECT_GE(rarely, 15);
  EXPECT_LE(rarely, 21);
  s.frameRate = 0;
  EXPECT_EQ(DrawsInASecond(std::chrono::milliseconds(10)), 0);
}

TEST_F(EditorWindow, IdleAndKeysOutsideAnOpenEditorDoNothing) {
  s.LastRedrawClock = 12345;
  Idle();
  EXPECT_EQ(s.LastRedrawClock, 12345);  // no frame: the timer did not run
  Open();
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 0, kVirtualKeyTab, nullptr, 0.0f), 0);
  EXPECT_EQ(plugin.dispatch(effEditKeyUp, 'a', 0, nullptr, 0.0f), 0);
  plugin.dispatch(effEditClose);
  plugin.dispatch(effEditClose);
  s.LastRedrawClock = 777;
  Idle();
  EXPECT_EQ(s.LastRedrawClock, 777);
  EXPECT_EQ(x.editorWindow(), 0u);
}

TEST_F(EditorWindow, AHostKeyReachesTheFocusViewWithCharacterVirtualKeyAndModifier) {
  Open();
  CFrame* frame = static_cast<CDaZUEditor*>(plugin.adapter()->getEditor())->getFrame();
  ASSERT_NE(frame, nullptr);
  auto* view = new RecordingView(CRect{0, 0, 10, 10});
  frame->addView(view);
  view->release();
  frame->setFocusView(view);
  view->keyAnswer = kKeyUsed;
  // The virtual key is the low byte of the value, the modifier the option's.
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 'q', 0x10F, nullptr, 5.75f), 1);
  view->keyAnswer = kKeyNotUsed;
  EXPECT_EQ(plugin.dispatch(effEditKeyUp, 'w', 3, nullptr, 1.0f), 0);
  ASSERT_EQ(view->kinds(), (std::vector<std::string>{"key down", "key up"}));
  const CKeyCode down = view->events[0].key, up = view->events[1].key;
  EXPECT_EQ(down.character, 'q');
  EXPECT_EQ(down.virt, 0x0F);
  EXPECT_EQ(down.modifier, 5);
  EXPECT_EQ(up.character, 'w');
  EXPECT_EQ(up.virt, 3);
  EXPECT_EQ(up.modifier, 1);
}

TEST_F(EditorWindow, OpeningAgainShowsTheGraphAgainAndASecondOpenReplacesTheFirst) {
  Open();
  plugin.dispatch(effEditClose);
  draws = 0;
  Open();
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  XSync(x.getDisplay(), False);
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  XQueryTree(x.getDisplay(), x.parent(), &root, &parent, &children, &count);
  if (children) XFree(children);
  EXPECT_EQ(count, 1u);
}

TEST_F(EditorWindow, TheHostMayDestroyItsWindowFirstOrCloseTheEffectWithTheEditorOpen) {
  Open();
  x.destroyParent();
  for (int i = 0; i < 5; ++i)
    Idle();
  plugin.dispatch(effEditClose);
  EXPECT_EQ(x.hostErrors(), 0);

  X11Host again;
  FakeHost otherHost;
  auto* other = new PluginInstance;
  other->start();
  ASSERT_EQ(other->dispatch(effEditOpen, 0, 0, again.parentHandle()), 1);
  other->dispatch(effEditIdle);
  delete other;  // effClose with the editor open
  XSync(again.getDisplay(), False);
  EXPECT_EQ(again.editorWindow(), 0u);
  EXPECT_EQ(again.hostErrors(), 0);
}

TEST_F(EditorWindow, AThousandOpenAndCloseCyclesWhileAudioRunsLeaveNothingBehind) {
  std::atomic<bool> running{true};
  std::thread audio([&] {
    std::vector<float> left(256), right(256);
    for (size_t i = 0; i < left.size(); ++i)
      left[i] = right[i] = (i % 3) * 0.1f;
    while (running) {
      std::vector<float> l = left, r = right;
      float* io[] = {l.data(), r.data()};
      plugin.effect->processReplacing(plugin.effect, io, io, 256);
    }
  });
  auto openFiles = [] {
    const auto it = std::filesystem::directory_iterator("/proc/self/fd");
    return std::distance(begin(it), end(it));
  };
  const int trappedBefore = TrappedX11Errors();
  plugin.dispatch(effEditOpen, 0, 0, x.parentHandle());
  plugin.dispatch(effEditClose);
  const auto filesBefore = openFiles();
  for (int cycle = 0; cycle < 1000; ++cycle) {
    plugin.dispatch(effEditOpen, 0, 0, x.parentHandle());
    plugin.dispatch(effEditIdle);
    plugin.dispatch(effEditClose);
  }
  running = false;
  audio.join();
  EXPECT_EQ(openFiles(), filesBefore);
  EXPECT_EQ(TrappedX11Errors(), trappedBefore);
  EXPECT_EQ(x.hostErrors(), 0);
  EXPECT_EQ(x.editorWindow(), 0u);
}
