// What the editor base does for toolkit objects: edits reported to the host,
// the process-wide knob mode, and idling while a toolkit loop waits.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "editor/drawing/geometry.h"
#include "tests/support/fake_host.h"
#include "vst2/cdazu.h"
#include "vst2/editor/aeff_gui_editor.h"

namespace {

class EditorBase : public ::testing::Test {
 protected:
  void SetUp() override { plugin.start(); }

  AEffGUIEditor* Editor(PluginInstance& instance) {
    return static_cast<AEffGUIEditor*>(instance.adapter()->getEditor());
  }

  FakeHost host;
  PluginInstance plugin;
};

}  // namespace

TEST_F(EditorBase, BeginAndEndEditReachTheHostWithTheParameterIndex) {
  host.requests.clear();
  Editor(plugin)->beginEdit(7);
  Editor(plugin)->endEdit(7);
  ASSERT_EQ(host.requests.size(), 2u);
  EXPECT_EQ(host.requests[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(host.requests[0].index, 7);
  EXPECT_EQ(host.requests[1].opcode, audioMasterEndEdit);
  EXPECT_EQ(host.requests[1].index, 7);
}

TEST_F(EditorBase, TheKnobModeIsOneValueForEveryEditorOfTheProcess) {
  PluginInstance other;
  other.start();
  EXPECT_EQ(plugin.dispatch(effSetEditKnobMode, 0, 2), 1);
  EXPECT_EQ(Editor(plugin)->getKnobMode(), 2);
  EXPECT_EQ(Editor(other)->getKnobMode(), 2);
  EXPECT_EQ(other.dispatch(effSetEditKnobMode, 0, 0), 1);
  EXPECT_EQ(Editor(plugin)->getKnobMode(), 0);
}

TEST_F(EditorBase, WaitingIdlesTheHostAtMostEveryFiftyToHundredMilliseconds) {
  host.requests.clear();
  Editor(plugin)->idleDuringWait();
  EXPECT_EQ(host.count(audioMasterIdle), 1);
  // The next idle is 100 ms away: a wait now only sleeps a little.
  const auto start = std::chrono::steady_clock::now();
  Editor(plugin)->idleDuringWait();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4));
  EXPECT_EQ(host.count(audioMasterIdle), 1);
  // Within 50 ms of it, the wait idles again.
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  Editor(plugin)->idleDuringWait();
  EXPECT_EQ(host.count(audioMasterIdle), 2);
}

TEST_F(EditorBase, RedrawingAClosedEditorDoesNothing) {
  const VSTGUI::CRect area{10, 10, 0, 0};
  Editor(plugin)->redrawNow(&area);
  Editor(plugin)->redrawNow();
  EXPECT_EQ(Editor(plugin)->getFrame(), nullptr);
}
