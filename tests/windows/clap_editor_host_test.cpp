// The .clap's editor embedded in a host window under Wine: "win32" only, paced
// by the host's timer, or by a timer of its own window when the host has none,
// until the graph moves on the screen; and 100 editors that come and go.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/clap/host/loaded_clap.h"
#include "tests/support/history_pixels.h"
#include "tests/windows/win32_host.h"

namespace {

constexpr int kSize = 600;

// A host's message loop for a while. Win32Host::pump runs until no message waits,
// which an editor timer faster than its own paints under Wine never allows.
void RunHostLoopFor(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    } else {
      Sleep(1);
    }
  }
}

class ClapWin32Editor : public LoadedClap, public ::testing::WithParamInterface<bool> {
 protected:
  ClapWin32Editor() : LoadedClap(HostOffers{.timers = GetParam()}) {}

  void open() {
    gui = PluginExtension<clap_plugin_gui>(plugin, kClapExtGui);
    ASSERT_NE(gui, nullptr);
    ASSERT_TRUE(gui->is_api_supported(plugin, "win32", false));
    ASSERT_FALSE(gui->is_api_supported(plugin, "x11", false));
    ASSERT_TRUE(gui->create(plugin, "win32", false));
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(plugin, &width, &height));
    ASSERT_EQ(width, uint32_t{kSize});
    clap_window window{"win32", {}};
    window.win32 = windows.parent();
    ASSERT_TRUE(gui->set_parent(plugin, &window));
    ASSERT_TRUE(gui->show(plugin));
  }

  Win32Host windows;
  const clap_plugin_gui* gui = nullptr;
};

TEST_P(ClapWin32Editor, TheGraphMovesWhileAudioPlays) {
  start(44100, 1024);
  open();
  int risen = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (risen <= 100 && std::chrono::steady_clock::now() < deadline) {
    playSquareWave();
    host.fireTimers(plugin);  // none registered when the host offers no timers
    RunHostLoopFor(std::chrono::milliseconds(30));
    risen = HistoryPixelsAbove(Win32Host::screenshot(windows.editorWindow(), kSize, kSize), kSize,
                               kSize - 3);
  }
  EXPECT_GT(risen, 100) << "the graph did not move";
  EXPECT_EQ(host.timers().size(), GetParam() ? 1u : 0u);
  gui->destroy(plugin);
  stop();
  EXPECT_EQ(windows.editorWindow(), nullptr);
  EXPECT_TRUE(host.timers().empty());
}

TEST_P(ClapWin32Editor, AHundredEditorsComeAndGo) {
  for (int cycle = 0; cycle < 100; ++cycle) {
    open();
    Win32Host::pump();
    gui->destroy(plugin);
  }
  EXPECT_EQ(windows.editorWindow(), nullptr);
  EXPECT_TRUE(host.misbehaviour().empty());
}

INSTANTIATE_TEST_SUITE_P(HostTimer, ClapWin32Editor, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Offered" : "Missing"; });

}  // namespace
