// The editor at the desktop's scale, through the VST entry as hosts drive it:
// the host's vendor call, the X resources' Xft.dpi, and scales that are ignored.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "editor/toolkit/x11/desktop_scale.h"
#include "effect/meter_model.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"
#include "tests/support/x11_host.h"

using namespace VSTGUI;

namespace {

bool Reddish(CColor c) {
  return c.red > 120 && c.green < 60 && c.blue < 60;
}

// The server's resource database, as `xrdb` sets it, for the length of a test.
class ServerResources {
 public:
  ServerResources(Display* display, const std::string& text) : display(display) {
    root = DefaultRootWindow(display);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, XA_RESOURCE_MANAGER, 0, 1 << 20, False, XA_STRING, &type,
                           &format, &items, &remaining, &data) == Success &&
        data) {
      saved = std::string(reinterpret_cast<char*>(data), items);
    }
    if (data) XFree(data);
    set(text);
  }
  ~ServerResources() {
    if (saved) {
      set(*saved);
    } else {
      XDeleteProperty(display, root, XA_RESOURCE_MANAGER);
      XSync(display, False);
    }
  }
  ServerResources(const ServerResources&) = delete;
  ServerResources& operator=(const ServerResources&) = delete;

 private:
  void set(const std::string& text) {
    XChangeProperty(display, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
    XSync(display, False);
  }

  Display* display;
  Window root;
  std::optional<std::string> saved;
};

class DisplayScale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.available()) GTEST_SKIP() << "no X display";
  }

  intptr_t GiveScale(PluginInstance& plugin, float scale) {
    return plugin.dispatch(effVendorSpecific, kVendorDisplayScaleIndex, kVendorDisplayScaleValue,
                           nullptr, scale);
  }
  static std::pair<int, int> Rect(PluginInstance& plugin) {
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) return {};
    return {rect->right - rect->left, rect->bottom - rect->top};
  }
  std::pair<int, int> EditorWindowSize() const {
    Window root;
    int px, py;
    unsigned int width = 0, height = 0, border, depth;
    XGetGeometry(x.getDisplay(), x.editorWindow(), &root, &px, &py, &width, &height, &border,
                 &depth);
    return {static_cast<int>(width), static_cast<int>(height)};
  }
  // As a host does after effEditGetRect.
  void SizeHostWindow(int width, int height) {
    XResizeWindow(x.getDisplay(), x.parent(), width, height);
    XSync(x.getDisplay(), False);
  }

  X11Host x;
  FakeHost host;
};

}  // namespace

TEST(XResources, XftDpiOver96IsTheScaleAndNothingElseCounts) {
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\t144\n"), 1.5);
  EXPECT_EQ(ScaleFromXResources("Xft.antialias:\t1\nXft.dpi: 192\nXft.hinting:\t1\n"), 2.0);
  EXPECT_EQ(ScaleFromXResources("Xft.dpi:\t96\nXft.dpi:\t120\n"), 1.25);  // the last one holds
  for (const char* ignored :
       {"", "Xft.dpi:\t20\n", "Xft.dpi:\t1000\n", "Xft.dpi:\tlarge\n", "Xft.dpix:\t192\n",
        "*dpi:\t192\n", "Xft.dpi:\n", "Xft.dpi:\tnan\n"}) {
    EXPECT_EQ(ScaleFromXResources(ignored), std::nullopt) << ignored;
  }
}

TEST_F(DisplayScale, TheHostsScaleSizesTheEditorAndItsPictureOnScreen) {
  PluginInstance plugin;
  plugin.start(44100, 512);
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>("supportsViewDpiScaling")), 1);
  EXPECT_EQ(GiveScale(plugin, 1.5f), 1);
  ASSERT_EQ(Rect(plugin), std::pair(900, 900));
  SizeHostWindow(900, 900);
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  EXPECT_EQ(EditorWindowSize(), std::pair(900, 900));
  std::vector<CColor> picture;
  ASSERT_TRUE(X11Host::waitUntil(
      [&] {
        plugin.dispatch(effEditIdle);
        picture = x.screenshot(x.editorWindow(), 900, 900);
      },
      [&] { return picture.size() == 900u * 900u && Reddish(picture[900 * 450 + 899]); }));
  // The frame two pixels thick on the right edge, black inside it.
  EXPECT_TRUE(Reddish(picture[900 * 450 + 898]));
  EXPECT_FALSE(Reddish(picture[900 * 450 + 897]));
  // The script hears the mouse in its own pixels.
  TVebriskEffect& script = plugin.script();
  x.moveTo(300, 150);
  x.press(1);
  ASSERT_TRUE(X11Host::waitUntil([&] { plugin.dispatch(effEditIdle); },
                                 [&] { return script.mouseButtons != 0; }));
  EXPECT_EQ(script.mouseX, 200);
  EXPECT_EQ(script.mouseY, 100);
  x.release(1);
  plugin.dispatch(effEditClose);
}

TEST_F(DisplayScale, AScaleGivenWhileTheEditorIsOpenResizesItThroughTheHost) {
  PluginInstance plugin;
  plugin.start(44100, 512);
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  ASSERT_EQ(EditorWindowSize(), std::pair(600, 600));
  EXPECT_EQ(GiveScale(plugin, 2), 1);
  EXPECT_EQ(EditorWindowSize(), std::pair(1200, 1200));
  EXPECT_EQ(Rect(plugin), std::pair(1200, 1200));
  ASSERT_EQ(host.count(audioMasterSizeWindow), 1);
  for (const HostRequest& request : host.requests) {
    if (request.opcode != audioMasterSizeWindow) continue;
    EXPECT_EQ(request.index, 1200);
    EXPECT_EQ(request.value, 1200);
  }
  // The same scale again asks nothing more.
  EXPECT_EQ(GiveScale(plugin, 2), 1);
  EXPECT_EQ(host.count(audioMasterSizeWindow), 1);
  plugin.dispatch(effEditClose);
}

TEST_F(DisplayScale, NonsenseScalesAndOtherVendorCallsChangeNothing) {
  PluginInstance plugin;
  plugin.start(44100, 512);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  for (float nonsense : {0.0f, -1.0f, nan, infinity, 100.0f, 0.49f, 4.01f}) {
    EXPECT_EQ(GiveScale(plugin, nonsense), 0) << nonsense;
    EXPECT_EQ(Rect(plugin), std::pair(600, 600)) << nonsense;
  }
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, kVendorDisplayScaleIndex, 0, nullptr, 2), 0);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, 0, kVendorDisplayScaleValue, nullptr, 2), 0);
  EXPECT_EQ(Rect(plugin), std::pair(600, 600));
  EXPECT_EQ(host.count(audioMasterSizeWindow), 0);
}

TEST_F(DisplayScale, XftDpiOfTheServerSizesTheEditorUnlessTheHostGaveAScale) {
  ServerResources resources(x.getDisplay(), "Xft.antialias:\t1\nXft.dpi:\t192\n");
  PluginInstance plugin;
  plugin.start(44100, 512);
  EXPECT_EQ(Rect(plugin), std::pair(1200, 1200));
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()), 1);
  EXPECT_EQ(EditorWindowSize(), std::pair(1200, 1200));
  EXPECT_EQ(GiveScale(plugin, 1), 1);
  EXPECT_EQ(EditorWindowSize(), std::pair(600, 600));
  plugin.dispatch(effEditClose);
}
