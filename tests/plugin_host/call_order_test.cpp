// Hosts that process before they ever resume the plug-in, or go on after a
// suspend: the meter's own state must stay finite whatever the audio held, so
// that the graph drawn later shows numbers, not NaN.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/awkward_signal.h"
#include "tests/support/fake_host.h"

namespace {

template <class Sample, class Process>
void ProcessAwkwardBlocks(AEffect* e, Process process) {
  for (int32_t frames : {1, 64, 4096}) {
    auto left = AwkwardSignal<Sample>(static_cast<size_t>(frames), 11);
    auto right = AwkwardSignal<Sample>(static_cast<size_t>(frames), 12);
    Sample* io[] = {left.data(), right.data()};
    process(e, io, io, frames);
  }
}

void ProcessBothPrecisions(AEffect* e) {
  ProcessAwkwardBlocks<float>(e, e->processReplacing);
  ProcessAwkwardBlocks<double>(e, e->processDoubleReplacing);
}

// The running and the not yet shown peaks, and (after a drawn frame) every point.
void ExpectFiniteMeasurements(PluginInstance& plugin, const char* when) {
  TVebriskEffect& s = plugin.script();
  for (double value :
       {s.var.peakLeft, s.var.peakRight, s.var.previousLeft, s.var.previousRight, s.var.slewLeft,
        s.var.slewRight, s.unshown.peakLeft, s.unshown.peakRight, s.unshown.frames}) {
    EXPECT_TRUE(std::isfinite(value)) << when;
  }
  ASSERT_TRUE(RenderEditorOffscreen(plugin.instance())) << when;
  for (double i = 0; i < s.var.historyLength; ++i) {
    EXPECT_TRUE(std::isfinite(s.HistoryPoint(Channel::left, i))) << when << ", left point " << i;
    EXPECT_TRUE(std::isfinite(s.HistoryPoint(Channel::right, i))) << when << ", right point " << i;
  }
}

}  // namespace

TEST(CallOrder, MeasurementsStayFiniteBeforeTheFirstResumeAndAfterASuspend) {
  FakeHost host;
  PluginInstance plugin;
  plugin.dispatch(effOpen);
  ProcessBothPrecisions(plugin.effect);
  ExpectFiniteMeasurements(plugin, "opened, no rate or block size");
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  plugin.dispatch(effSetBlockSize, 0, 4096);
  ProcessBothPrecisions(plugin.effect);
  ExpectFiniteMeasurements(plugin, "never resumed");
  plugin.dispatch(effMainsChanged, 0, 1);
  plugin.dispatch(effMainsChanged, 0, 0);
  ProcessBothPrecisions(plugin.effect);
  ExpectFiniteMeasurements(plugin, "suspended");
  plugin.dispatch(effMainsChanged, 0, 1);
  ProcessBothPrecisions(plugin.effect);
  ExpectFiniteMeasurements(plugin, "resumed again");
}
