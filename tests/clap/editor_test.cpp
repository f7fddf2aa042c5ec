// The editor embedded in a host window on the X server, driven only through the
// record, the host's timer and its descriptor calls, as a CLAP host drives it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/clap/host/loaded_clap.h"
#include "tests/support/history_pixels.h"
#include "tests/support/x11_host.h"

namespace {

constexpr int kSize = 600;

class ClapEditorTest : public LoadedClap {
 protected:
  void SetUp() override {
    if (!x.available()) GTEST_SKIP() << "no X display";
    LoadedClap::SetUp();
    gui = PluginExtension<clap_plugin_gui>(plugin, kClapExtGui);
    ASSERT_NE(gui, nullptr);
  }
  // The order a host follows for an embedded editor.
  void open() {
    ASSERT_TRUE(gui->is_api_supported(plugin, "x11", false));
    ASSERT_TRUE(gui->create(plugin, "x11", false));
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(plugin, &width, &height));
    ASSERT_EQ(width, uint32_t{kSize});
    ASSERT_EQ(height, uint32_t{kSize});
    clap_window window{"x11", {}};
    window.x11 = x.parent();
    ASSERT_TRUE(gui->set_parent(plugin, &window));
    ASSERT_TRUE(gui->show(plugin));
  }
  // Host errors and handler as they were before the editor came.
  void expectTheHostUntouched() {
    XSync(x.getDisplay(), False);
    EXPECT_EQ(x.editorWindow(), static_cast<Window>(None));
    EXPECT_EQ(x.hostErrors(), 0);
    EXPECT_TRUE(X11Host::handlerIsTheHosts());
    EXPECT_TRUE(host.timers().empty());
    EXPECT_TRUE(host.descriptors().empty());
  }

  X11Host x;
  const clap_plugin_gui* gui = nullptr;
};

TEST_F(ClapEditorTest, EmbedsAtItsOwnSizeOnTheHostsTimerAndDescriptor) {
  const char* api = nullptr;
  bool floating = true;
  ASSERT_TRUE(gui->get_preferred_api(plugin, &api, &floating));
  EXPECT_STREQ(api, "x11");
  EXPECT_FALSE(floating);
  EXPECT_FALSE(gui->is_api_supported(plugin, "x11", true));
  EXPECT_FALSE(gui->is_api_supported(plugin, "wayland", false));
  uint32_t width = 0, height = 0;
  EXPECT_FALSE(gui->get_size(plugin, &width, &height));
  EXPECT_FALSE(gui->show(plugin));

  open();
  EXPECT_FALSE(gui->create(plugin, "x11", false));
  EXPECT_FALSE(gui->can_resize(plugin));
  EXPECT_TRUE(gui->set_size(plugin, kSize, kSize));
  EXPECT_FALSE(gui->set_size(plugin, 800, 600));
  EXPECT_NE(x.editorWindow(), static_cast<Window>(None));
  ASSERT_EQ(host.timers().size(), 1u);
  EXPECT_LE(host.timers()[0].periodMs, 1000u / 30);
  ASSERT_EQ(host.descriptors().size(), 1u);
  const auto* fds = PluginExtension<clap_plugin_posix_fd_support>(plugin, kClapExtPosixFdSupport);
  fds->on_fd(plugin, host.descriptors()[0], CLAP_POSIX_FD_READ);
  EXPECT_TRUE(gui->hide(plugin));
  gui->destroy(plugin);
  expectTheHostUntouched();
  EXPECT_EQ(host.misbehaviour(), (std::vector<std::string>{"gui.get_size called without gui.create",
                                                           "gui.show called without gui.create",
                                                           "gui.create called twice"}));
}

TEST_F(ClapEditorTest, TheGraphMovesOnTheHostsTimerWhileAudioPlays) {
  start(44100, 1024);
  open();
  const Window editor = x.editorWindow();
  int risen = 0;
  EXPECT_TRUE(X11Host::waitUntil(
      [&] {
        playSquareWave();
        host.fireTimers(plugin);
        risen = HistoryPixelsAbove(x.screenshot(editor, kSize, kSize), kSize, kSize - 3);
      },
      [&] { return risen > 100; }));
  gui->destroy(plugin);
  stop();
  expectTheHostUntouched();
}

TEST_F(ClapEditorTest, AHundredEditorsComeAndGoWithoutAnErrorReachingTheHost) {
  for (int cycle = 0; cycle < 100; ++cycle) {
    open();
    host.fireTimers(plugin);
    gui->destroy(plugin);
  }
  expectTheHostUntouched();
  EXPECT_TRUE(host.misbehaviour().empty());
}

TEST_F(ClapEditorTest, TheHostsScaleSizesTheEditorAndAScaleWhileOpenAsksForTheNewSize) {
  EXPECT_FALSE(gui->set_scale(plugin, 1.5));  // before create
  ASSERT_TRUE(gui->create(plugin, "x11", false));
  for (double nonsense : {0.0, -1.0, std::nan(""), 100.0})
    EXPECT_FALSE(gui->set_scale(plugin, nonsense)) << nonsense;
  EXPECT_TRUE(gui->set_scale(plugin, 1.5));
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(gui->get_size(plugin, &width, &height));
  EXPECT_EQ(std::pair(width, height), std::pair(900u, 900u));
  clap_window window{"x11", {}};
  window.x11 = x.parent();
  ASSERT_TRUE(gui->set_parent(plugin, &window));
  auto editorSize = [&] {
    XWindowAttributes attributes{};
    XGetWindowAttributes(x.getDisplay(), x.editorWindow(), &attributes);
    return std::pair(attributes.width, attributes.height);
  };
  EXPECT_EQ(editorSize(), std::pair(900, 900));
  EXPECT_TRUE(host.resizeRequests().empty());
  EXPECT_TRUE(gui->set_scale(plugin, 2));
  EXPECT_EQ(editorSize(), std::pair(1200, 1200));
  EXPECT_EQ(host.resizeRequests(), (std::vector<std::pair<uint32_t, uint32_t>>{{1200, 1200}}));
  EXPECT_TRUE(gui->set_size(plugin, 1200, 1200));
  gui->destroy(plugin);
  expectTheHostUntouched();
  EXPECT_EQ(host.misbehaviour(),
            (std::vector<std::string>{"gui.set_scale called without gui.create"}));
}

TEST_F(ClapEditorTest, TheHostsWindowGoingFirstOrThePluginGoingWithItsEditorOpenIsSurvived) {
  open();
  x.destroyParent();
  for (int i = 0; i < 5; ++i)
    host.fireTimers(plugin);
  gui->destroy(plugin);
  EXPECT_EQ(x.hostErrors(), 0);

  X11Host second;
  ASSERT_TRUE(gui->create(plugin, "x11", false));
  clap_window window{"x11", {}};
  window.x11 = second.parent();
  ASSERT_TRUE(gui->set_parent(plugin, &window));
  plugin->destroy(std::exchange(plugin, nullptr));
  XSync(second.getDisplay(), False);
  EXPECT_EQ(second.editorWindow(), static_cast<Window>(None));
  EXPECT_EQ(second.hostErrors(), 0);
  EXPECT_TRUE(X11Host::handlerIsTheHosts());
  EXPECT_EQ(host.misbehaviour(),
            std::vector<std::string>{"destroy called while the editor was open"});
}

}  // namespace
