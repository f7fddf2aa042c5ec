// The LV2 UI shows what the VST editor shows: the same audio, run through the
// VST effect and through the LV2 audio side whose messages feed the UI, gives
// the same picture at every graph frame, pixel for pixel.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "editor/drawing/canvas.h"
#include "editor/offscreen_render.h"
#include "effect/meter_model.h"
#include "lv2/gui/lv2_gui.h"
#include "lv2/lv2_facts.h"
#include "tests/lv2/gui/audio_side.h"
#include "tests/lv2/host/urid_table.h"
#include "tests/support/fake_host.h"
#include "tests/support/history_pixels.h"
#include "tests/support/x11_host.h"

namespace {

using VSTGUI::CColor;

constexpr double kRate = 48000;  // not the rate the UI assumes before its first message
// 1/30 s of audio in blocks of uneven lengths, as a host might run them.
constexpr int32_t kBlocks[] = {700, 64, 836};

std::vector<CColor> Picture(EffectInstance& instance) {
  auto context = RenderEditorOffscreen(&instance);
  if (!context) return {};
  return VSTGUI::ImagePixels(*context->getBitmap()->getPlatformImage());
}

// A tone whose loudness and pitch change from one graph frame to the next, with
// a jump now and then: the histories rise and fall across the graph.
std::vector<float> Tone(int graphFrame, int32_t offset, int32_t frames, double pitch) {
  std::vector<float> samples(static_cast<size_t>(frames));
  const double loudness = 0.5 + 0.45 * std::sin(graphFrame * 0.21);
  for (int32_t i = 0; i < frames; ++i) {
    const double t = (graphFrame * 1600.0 + offset + i) / kRate;
    samples[static_cast<size_t>(i)] = static_cast<float>(
        loudness * std::sin(2 * std::numbers::pi * pitch * (1 + graphFrame % 7) * t));
  }
  if (graphFrame % 11 == 0) samples.back() = -samples.back();
  return samples;
}

}  // namespace

TEST(SamePicture, TheUiFedByTheAudioSidesMessagesDrawsWhatTheVstEditorDraws) {
  X11Host x;
  if (!x.available()) GTEST_SKIP() << "no X display";
  FakeHost host;
  PluginInstance vst;
  vst.start(static_cast<float>(kRate), 1024);
  UridTable map;
  AudioSide audio(map, kRate);
  const LV2_Feature parent{LV2_UI__parent, x.parentHandle()};
  const LV2_Feature mapFeature{LV2_URID__map, map.map()};
  const LV2_Feature* features[] = {&parent, &mapFeature, nullptr};
  std::unique_ptr<Lv2Gui> gui = Lv2Gui::create(features);
  ASSERT_TRUE(gui);
  const uint32_t transfer = map.id(LV2_ATOM__eventTransfer);

  std::vector<CColor> vstPicture, uiPicture;
  for (int graphFrame = 0; graphFrame < kHistoryLength + 20; ++graphFrame) {
    int32_t offset = 0;
    for (int32_t frames : kBlocks) {
      std::vector<float> left = Tone(graphFrame, offset, frames, 440);
      std::vector<float> right = Tone(graphFrame + 5, offset, frames, 1000);
      for (const auto& message : audio.run(left, right)) {
        gui->portEvent(Lv2Facts::kNotify, static_cast<uint32_t>(message.size()), transfer,
                       message.data());
      }
      float* io[] = {left.data(), right.data()};
      vst.effect->processReplacing(vst.effect, io, io, frames);
      offset += frames;
    }
    vstPicture = Picture(*vst.instance());
    uiPicture = Picture(gui->instance());
    ASSERT_EQ(vstPicture.size(), static_cast<size_t>(kEditorWidth * kEditorHeight));
    ASSERT_TRUE(uiPicture == vstPicture) << "graph frame " << graphFrame;
  }
  // Not two flat graphs: the histories cross many rows.
  int historyRows = 0;
  for (int y = 120; y < kEditorHeight - 1; ++y) {
    for (int px = 1; px < kEditorWidth - 1; ++px) {
      if (IsHistory(uiPicture[static_cast<size_t>(y * kEditorWidth + px)])) {
        ++historyRows;
        break;
      }
    }
  }
  EXPECT_GT(historyRows, 100);
}
