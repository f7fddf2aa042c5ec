// The editor through the dispatcher, in hosts with habits our other tests do
// not have: a host that uses X itself (other threads, other connections, its
// own error handler) and a host that idles the editor sparingly.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/support/fake_host.h"
#include "tests/support/x11_host.h"

using namespace VSTGUI;

namespace {

constexpr int kSize = 600;

// The editor draws its red frame around the whole picture; an unpainted or
// black window has none.
int RedFramePixels(const std::vector<CColor>& pixels) {
  int red = 0;
  for (int i = 0; i < kSize; ++i) {
    for (size_t at : {static_cast<size_t>(i), static_cast<size_t>(i * kSize),
                      static_cast<size_t>((kSize - 1) * kSize + i)}) {
      red += pixels[at].red > 120 && pixels[at].green < 60 && pixels[at].blue < 60;
    }
  }
  return red;
}

class SparingHost : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.available()) GTEST_SKIP() << "no X display";
    plugin.start(44100, 512);
  }
  void TearDown() override {
    if (x.available()) {
      plugin.dispatch(effEditClose);
      EXPECT_EQ(x.hostErrors(), 0);
    }
  }
  std::vector<CColor> Screen() { return x.screenshot(x.editorWindow(), kSize, kSize); }

  X11Host x{false};  // the window is shown when the host is ready
  FakeHost host;
  PluginInstance plugin;
};

}  // namespace

TEST_F(SparingHost, AWindowShownAfterTheOnlyIdleShowsThePicture) {
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  plugin.dispatch(effEditIdle);
  x.showWindow(true);
  const std::vector<CColor> pixels = Screen();
  ASSERT_EQ(pixels.size(), size_t{kSize * kSize});
  EXPECT_GT(RedFramePixels(pixels), 3 * kSize * 9 / 10);
}

TEST_F(SparingHost, ThePictureSurvivesHidingAndCoveringWithoutAnIdle) {
  x.showWindow(true);
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  plugin.dispatch(effEditIdle);
  const std::vector<CColor> picture = Screen();
  ASSERT_EQ(picture.size(), size_t{kSize * kSize});
  EXPECT_GT(RedFramePixels(picture), 3 * kSize * 9 / 10);
  x.coverAndUncover();
  EXPECT_TRUE(Screen() == picture);
  x.showWindow(false);
  x.showWindow(true);
  EXPECT_TRUE(Screen() == picture);
}

// A host with a thread of its own that talks to X (a video or meter thread,
// say) while its user-interface thread idles the editor and the pointer
// crosses it: every error the host causes reaches the host's handler once.
TEST(EditorBesideAHostUsingX, TheHostsErrorsOnItsOwnConnectionsReachItsHandlerOnce) {
  X11Host x;
  if (!x.available()) GTEST_SKIP() << "no X display";
  FakeHost host;
  PluginInstance plugin;
  plugin.start(44100, 512);
  Display* workerConnection = x.openConnection();
  ASSERT_NE(workerConnection, nullptr);
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  std::atomic<bool> running{true};
  std::atomic<int> raised{0};
  std::thread worker([&] {
    while (running) {
      X11Host::raiseError(workerConnection);
      ++raised;
    }
  });
  // Each time the pointer leaves, the editor asks for its place and buttons
  // inside the trap of its event handling.
  for (int crossing = 0; crossing < 150; ++crossing) {
    x.moveTo(300, 300);
    plugin.dispatch(effEditIdle);
    x.moveTo(900, 300);
    plugin.dispatch(effEditIdle);
    X11Host::raiseError(x.getDisplay());
    ++raised;
  }
  running = false;
  worker.join();
  plugin.dispatch(effEditClose);
  EXPECT_EQ(x.ownErrorsSeen(), raised.load());
  EXPECT_EQ(x.hostErrors(), 0);
  EXPECT_TRUE(X11Host::handlerIsTheHosts());
}
