// The built UI binary loaded as an LV2 host loads it (dlopen, lv2ui_descriptor)
// and given a window of the host's on the X server: the window it makes, the size
// it asks for, the messages it takes and those it ignores, and its end.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <functional>
#include <limits>
#include <thread>
#include <utility>
#include <vector>

#include "lv2/lv2_facts.h"
#include "tests/lv2/gui/foreign_events.h"
#include "tests/lv2/gui/object_writer.h"
#include "tests/lv2/host/urid_table.h"
#include "tests/support/history_pixels.h"
#include "tests/support/x11_host.h"

namespace {

using namespace Lv2Facts;
using VSTGUI::CColor;

constexpr int kSize = 600;

// The binary stays loaded for the whole program, as a host keeps it.
const LV2UI_Descriptor* GuiDescriptor(uint32_t index) {
  static void* const library = dlopen(GUI_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  const auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"));
  return entry ? entry(index) : nullptr;
}

void IgnoreWrite(LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {}

// The host's ui:resize, recording what the UI asks for.
class ResizeRequests {
 public:
  ResizeRequests() : resize{this, &ResizeRequests::Record} {}
  ResizeRequests(const ResizeRequests&) = delete;
  ResizeRequests& operator=(const ResizeRequests&) = delete;

  LV2UI_Resize* feature() { return &resize; }
  std::vector<std::pair<int, int>> sizes;

 private:
  static int Record(LV2UI_Feature_Handle handle, int width, int height) {
    static_cast<ResizeRequests*>(handle)->sizes.emplace_back(width, height);
    return 0;
  }

  LV2UI_Resize resize;
};

class LoadedGui : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.available()) GTEST_SKIP() << "no X display";
    ASSERT_NE(descriptor, nullptr) << GUI_PATH;
    idleInterface =
        static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
    ASSERT_NE(idleInterface, nullptr);
  }
  void TearDown() override {
    if (handle) descriptor->cleanup(handle);
  }

  // With the features a host such as jalv.gtk3 gives, and the parent unless it is null.
  LV2UI_Handle Instantiate(void* parent, const LV2_Feature* more = nullptr) {
    const LV2_Feature mapFeature{LV2_URID__map, map.map()};
    const LV2_Feature resizeFeature{LV2_UI__resize, resize.feature()};
    const LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
    const LV2_Feature parentFeature{LV2_UI__parent, parent};
    std::vector<const LV2_Feature*> features{&mapFeature, &resizeFeature, &idleFeature};
    if (parent) features.push_back(&parentFeature);
    if (more) features.push_back(more);
    features.push_back(nullptr);
    handle = descriptor->instantiate(descriptor, kPluginUri, "/nowhere/", IgnoreWrite, nullptr,
                                     &widget, features.data());
    return handle;
  }

  // Instantiates in the host's window and idles until the picture is on screen.
  void Open() {
    ASSERT_NE(Instantiate(x.parentHandle()), nullptr);
    constexpr CColor frameRed{255, 0, 0, 255};
    ASSERT_TRUE(IdleUntil([&] { return At(kSize / 2, 0) == frameRed; })) << "the red frame";
  }

  int Idle() { return idleInterface->idle(handle); }
  void Send(const PortEvent& event) {
    descriptor->port_event(handle, event.port, event.size, event.format, event.bytes.data());
  }
  void Send(const std::vector<uint8_t>& message) {
    descriptor->port_event(handle, kNotify, static_cast<uint32_t>(message.size()),
                           map.id(LV2_ATOM__eventTransfer), message.data());
  }

  Window WidgetWindow() const { return static_cast<Window>(reinterpret_cast<uintptr_t>(widget)); }
  // Each step: `more` (a message sent, say), an idle, the window read back; until
  // `done` holds of the picture or 10 s pass.
  bool IdleUntil(
      const std::function<bool()>& done, const std::function<void()>& more = [] {}) {
    return X11Host::waitUntil(
        [&] {
          more();
          Idle();
          picture = x.screenshot(WidgetWindow(), kSize, kSize);
        },
        [&] { return picture.size() == kSize * kSize && done(); });
  }
  void IdleFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
      Idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    picture = x.screenshot(WidgetWindow(), kSize, kSize);
  }

  CColor At(int px, int py) const { return picture[static_cast<size_t>(py * kSize + px)]; }
  // Whether column `px` has a pixel of the kind within two rows of `py`.
  bool Near(int px, int py, bool (*is)(CColor)) const {
    for (int y = py - 2; y <= py + 2; ++y) {
      if (is(At(px, y))) return true;
    }
    return false;
  }
  X11Host x;
  UridTable map;
  ResizeRequests resize;
  const LV2UI_Descriptor* descriptor = GuiDescriptor(0);
  const LV2UI_Idle_Interface* idleInterface = nullptr;
  LV2UI_Handle handle = nullptr;
  LV2UI_Widget widget = nullptr;
  std::vector<CColor> picture;
};

}  // namespace

TEST_F(LoadedGui, TheDescriptorIsTheMetersUiAndOffersTheIdleAndOptionsInterfacesOnly) {
  EXPECT_STREQ(descriptor->URI, kGuiUri);
  EXPECT_EQ(GuiDescriptor(1), nullptr);
  EXPECT_NE(descriptor->extension_data(LV2_OPTIONS__interface), nullptr);
  EXPECT_EQ(descriptor->extension_data(LV2_UI__resize), nullptr);
  EXPECT_EQ(descriptor->extension_data("urn:elsewhere#interface"), nullptr);
}

TEST_F(LoadedGui, ItsWidgetIsA600By600ChildOfTheParentAndItAsksForThatSize) {
  ASSERT_NE(Instantiate(x.parentHandle()), nullptr);
  EXPECT_EQ(WidgetWindow(), x.editorWindow());
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  ASSERT_TRUE(XQueryTree(x.getDisplay(), WidgetWindow(), &root, &parent, &children, &count));
  if (children) XFree(children);
  EXPECT_EQ(parent, x.parent());
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(x.getDisplay(), WidgetWindow(), &attributes));
  EXPECT_EQ(attributes.width, kSize);
  EXPECT_EQ(attributes.height, kSize);
  EXPECT_EQ(attributes.map_state, IsViewable);
  EXPECT_EQ(resize.sizes, (std::vector<std::pair<int, int>>{{kSize, kSize}}));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Idle(), 0);
}

TEST_F(LoadedGui, TheHostsScaleFactorSizesTheEditorAtInstantiationAndLater) {
  const float initial = 2;
  LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, map.id(LV2_UI__scaleFactor),
                                   sizeof(float), map.id(LV2_ATOM__Float), &initial},
                                  {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
  const LV2_Feature optionsFeature{LV2_OPTIONS__options, options};
  ASSERT_NE(Instantiate(x.parentHandle(), &optionsFeature), nullptr);
  auto widgetSize = [&] {
    XWindowAttributes attributes{};
    XGetWindowAttributes(x.getDisplay(), WidgetWindow(), &attributes);
    return std::pair(attributes.width, attributes.height);
  };
  EXPECT_EQ(resize.sizes, (std::vector<std::pair<int, int>>{{1200, 1200}}));
  EXPECT_EQ(widgetSize(), std::pair(1200, 1200));

  const auto* optionsInterface =
      static_cast<const LV2_Options_Interface*>(descriptor->extension_data(LV2_OPTIONS__interface));
  const float later = 1.5;
  options[0].value = &later;
  EXPECT_EQ(optionsInterface->set(handle, options), uint32_t{LV2_OPTIONS_SUCCESS});
  EXPECT_EQ(resize.sizes.back(), std::pair(900, 900));
  EXPECT_EQ(widgetSize(), std::pair(900, 900));
  const float nonsense = 100;
  options[0].value = &nonsense;
  EXPECT_EQ(optionsInterface->set(handle, options), uint32_t{LV2_OPTIONS_ERR_BAD_VALUE});
  EXPECT_EQ(widgetSize(), std::pair(900, 900));
}

TEST_F(LoadedGui, ScaleFactorsThatMakeNoSenseLeaveTheDesignSize) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const float scale : {0.0f, -1.0f, nan, 100.0f}) {
    LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, map.id(LV2_UI__scaleFactor),
                                     sizeof(float), map.id(LV2_ATOM__Float), &scale},
                                    {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    const LV2_Feature optionsFeature{LV2_OPTIONS__options, options};
    resize.sizes.clear();
    ASSERT_NE(Instantiate(x.parentHandle(), &optionsFeature), nullptr) << scale;
    EXPECT_EQ(resize.sizes, (std::vector<std::pair<int, int>>{{kSize, kSize}})) << scale;
    descriptor->cleanup(handle);
    handle = nullptr;
  }
}

TEST_F(LoadedGui, WithoutAParentWindowOrInOneThatIsGoneThereIsNoUi) {
  EXPECT_EQ(Instantiate(nullptr), nullptr);
  // A window id the server no longer knows.
  const int screen = DefaultScreen(x.getDisplay());
  const Window gone = XCreateSimpleWindow(x.getDisplay(), RootWindow(x.getDisplay(), screen), 0, 0,
                                          10, 10, 0, 0, 0);
  XDestroyWindow(x.getDisplay(), gone);
  XSync(x.getDisplay(), False);
  EXPECT_EQ(Instantiate(reinterpret_cast<void*>(gone)), nullptr);
  EXPECT_TRUE(resize.sizes.empty());
  EXPECT_EQ(x.editorWindow(), static_cast<Window>(None));
  EXPECT_EQ(x.hostErrors(), 0);
}

TEST_F(LoadedGui, MessagesMoveTheGraphOnTheScaleOfTheRateTheyCarry) {
  Open();
  // At 88.2 kHz the graph's top is a step of 0.25: 0.125 stands at half height
  // and 0.0625 at three quarters (at 44.1 kHz they would stand at 3/4 and 7/8).
  const std::vector<uint8_t> message = PeaksMessageBytes(map, 0.125, 0.0625, 2940, 88200);
  constexpr int column = kSize - 30;
  EXPECT_FALSE(Near(column, 300, IsLeftHistory));
  EXPECT_TRUE(IdleUntil(
      [&] { return Near(column, 300, IsLeftHistory) && Near(column, 450, IsRightHistory); },
      [&] { Send(message); }));
  EXPECT_EQ(HistoryPixelsAbove(picture, kSize, 290), 0);
  EXPECT_FALSE(Near(column, 450, IsLeftHistory));
}

TEST_F(LoadedGui, ForeignMessagesLeaveTheGraphAsItWas) {
  Open();
  IdleFor(std::chrono::milliseconds(100));
  const std::vector<CColor> before = picture;
  const std::vector<PortEvent> foreign = ForeignEvents(map, 88200);
  for (const PortEvent& event : foreign)
    Send(event);
  IdleFor(std::chrono::milliseconds(300));
  // Only the logo's glow pulses; everything else is as it was.
  int changed = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int px = 0; px < kSize; ++px) {
      if (InLogo(px, y)) continue;
      changed += picture[static_cast<size_t>(y * kSize + px)] !=
                 before[static_cast<size_t>(y * kSize + px)];
    }
  }
  EXPECT_EQ(changed, 0);
  // The meter's own message still moves it, and no foreign step came along with it.
  const std::vector<uint8_t> message = PeaksMessageBytes(map, 0.125, 0.0625, 2940, 88200);
  EXPECT_TRUE(
      IdleUntil([&] { return Near(kSize - 30, 300, IsLeftHistory); }, [&] { Send(message); }));
  EXPECT_EQ(HistoryPixelsAbove(picture, kSize, 290), 0);
}

TEST_F(LoadedGui, AfterTheHostDestroyedItsWindowIdleIsSafeAndSaysItIsClosed) {
  Open();
  x.destroyParent();
  int answer = 0;
  EXPECT_TRUE(X11Host::waitUntil([&] { answer = Idle(); }, [&] { return answer != 0; }));
  for (int i = 0; i < 3; ++i)
    EXPECT_NE(Idle(), 0);
  Send(PeaksMessageBytes(map, 0.125, 0.0625, 2940, 88200));
  EXPECT_NE(Idle(), 0);
  EXPECT_EQ(x.hostErrors(), 0);
}

TEST_F(LoadedGui, CleanupTakesItsWindowAway) {
  Open();
  descriptor->cleanup(std::exchange(handle, nullptr));
  XSync(x.getDisplay(), False);
  EXPECT_EQ(x.editorWindow(), static_cast<Window>(None));
  EXPECT_EQ(x.hostErrors(), 0);
}
