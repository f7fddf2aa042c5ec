// The format-neutral instance: what it asks of a host that offers only part of
// what VST offers, how it ends its effect, and an effect run with no drawing
// linked in (the audio side of a format whose UI is another binary).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/editor_link.h"
#include "core/effect_instance.h"
#include "core/host_services.h"
#include "core/paint_functions.h"
#include "editor/editor_core.h"
#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "runtime/frame_services.h"

namespace {

// A host that knows the tempo and nothing else of the transport.
class TempoOnlyHost : public HostInterface {
 public:
  double sampleRate() override { return 48000; }
  int32_t inputCount() override { return 2; }
  HostTime time(uint32_t fields) override {
    asked.push_back(fields);
    HostTime time;
    time.tempo = 96.0;
    return time;
  }
  std::vector<uint32_t> asked;
};

// The meter on an instance, made as a format's entry module makes it.
struct MeterInstance {
  explicit MeterInstance(const PaintFunctions* paint) {
    auto made = std::make_unique<TVebriskEffect>();
    effect = made.get();
    instance = std::make_unique<EffectInstance>(
        made.release(), FrameServices::MakeFrameHooks<TVebriskEffect>(), host, paint);
    effect->Host = instance.get();
    instance->getHooks().Open(instance.get());
    instance->getHooks().Resume(instance.get());
  }

  void Process(float from, float to) {
    std::vector<float> left{from, to}, right{to, from};
    float* io[] = {left.data(), right.data()};
    instance->getHooks().ProcessFloat(instance.get(), io, io, 2);
  }

  TempoOnlyHost host;
  TVebriskEffect* effect;
  std::unique_ptr<EffectInstance> instance;
};

class RecordingEditor : public EditorLink {
 public:
  bool redrawView() override {
    ++redraws;
    return true;
  }
  int redraws = 0;
};

}  // namespace

TEST(EffectInstance, WhatTheHostDoesNotSayStaysUnknownAndUntouched) {
  MeterInstance meter(nullptr);
  EffectInstance* instance = meter.instance.get();
  double tempo = 0, numerator = 7, denominator = 9;
  EXPECT_EQ(HostTempoAndSignature(instance, &tempo, &numerator, &denominator), 1);
  EXPECT_EQ(tempo, 96.0);
  EXPECT_EQ(numerator, 7);  // the host gave no signature: the caller's values stay
  EXPECT_EQ(denominator, 9);
  EXPECT_EQ(HostIsPlaying(instance), 0);
  EXPECT_EQ(HostPosition(instance), 0.0);
  EXPECT_EQ(meter.host.asked.back(), uint32_t{kTimePosition});
  // Requests a host does not take are refused, and MIDI reads as none.
  EXPECT_EQ(HostUpdateDisplay(instance), 0);
  EXPECT_EQ(HostSetLatency(instance, 64), 0);
  EXPECT_EQ(HostAutomate(instance, 0, 0.5), 0);
  int32_t delta = 5, status = 5;
  EXPECT_EQ(HostReceiveMidi(instance, &delta, &status, nullptr, nullptr), 0);
  EXPECT_EQ(delta + status, 0);
  EXPECT_EQ(HostSampleRate(instance), 48000.0f);
  EXPECT_EQ(HostBlockSize(instance), 0);
}

TEST(EffectInstance, RedrawReachesTheLinkedEditorOnly) {
  MeterInstance meter(nullptr);
  EXPECT_EQ(HostRedraw(meter.instance.get()), 0);
  RecordingEditor editor;
  meter.instance->setEditorLink(&editor);
  EXPECT_EQ(HostRedraw(meter.instance.get()), 1);
  EXPECT_EQ(editor.redraws, 1);
  {
    // An editor core links itself, gives the instance its view size, and unlinks when it goes.
    EditorCore core(*meter.instance, 320, 240);
    EXPECT_EQ(meter.instance->getEditorLink(), &core);
    EXPECT_EQ(meter.instance->getViewWidth(), 320);
    EXPECT_EQ(HostRedraw(meter.instance.get()), 0);  // linked, but not open
  }
  EXPECT_EQ(meter.instance->getEditorLink(), nullptr);
}

TEST(EffectInstance, EndingDeletesTheEffectOnceAndKeepsTheInstanceSafe) {
  static int deletes = 0;
  deletes = 0;
  InstanceHooks hooks{};
  hooks.Delete = [](EffectInstance*) { ++deletes; };
  TempoOnlyHost host;
  {
    EffectInstance instance(&host, hooks, host);
    instance.end();
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(instance.getEffectObject(), nullptr);
    EXPECT_EQ(instance.getHooks().Delete, nullptr);
  }
  EXPECT_EQ(deletes, 1);  // the destructor does not end it twice
}

TEST(EffectInstance, WithoutPaintFunctionsTheGraphicsSectionRunsAndDrawsNothing) {
  MeterInstance meter(nullptr);
  meter.Process(0.0f, 0.5f);
  // No editor: no view to draw, and the history still advances through the section.
  EXPECT_FALSE(RenderEditorOffscreen(meter.instance.get()));
  meter.instance->getHooks().Draw(meter.instance.get(), 600, 600);
  EXPECT_EQ(meter.effect->NewestPoint(Channel::left), 0.5);
  EXPECT_EQ(meter.effect->NewestPoint(Channel::right), 0.5);
  // Images are not even looked for: nothing could load them, and no failure is logged.
  for (const auto& [number, image] : meter.effect->Images)
    EXPECT_EQ(image.Holder, nullptr) << number;
  EXPECT_EQ(Paint(meter.instance.get(), &PaintFunctions::textWidth, "abc"), 0.0);
}
