// The services through which an instance reaches its frame: the entries of the
// instance's hook table, each a plain function over the instance.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/effect_instance.h"
#include "core/host_services.h"
#include "runtime/vebrisk.h"

namespace FrameServices {

inline TVebrisk* FrameOf(EffectInstance* instance) {
  return instance ? static_cast<TVebrisk*>(instance->getEffectObject()) : nullptr;
}

void Setup(EffectInstance* instance);
void Delete(EffectInstance* instance);
void Open(EffectInstance* instance);
void Suspend(EffectInstance* instance);
void Resume(EffectInstance* instance);
void Idle(EffectInstance* instance);
void Close(EffectInstance* instance);
void Draw(EffectInstance* instance, double width, double height);
void MouseDown(EffectInstance* instance, double x, double y, uint32_t buttons);
void MouseUp(EffectInstance* instance, double x, double y, uint32_t buttons);
void MouseMove(EffectInstance* instance, double x, double y, uint32_t buttons);
int32_t GetVendorVersion(EffectInstance* instance);
int32_t GetVendorName(EffectInstance* instance, char* buffer, size_t capacity);
int32_t GetProductName(EffectInstance* instance, char* buffer, size_t capacity);
int32_t GetEffectName(EffectInstance* instance, char* buffer, size_t capacity);
int32_t GetProgramName(EffectInstance* instance, char* buffer, size_t capacity);
void SetProgramName(EffectInstance* instance, const char* name);
int32_t GetProgramNameIndexed(EffectInstance* instance, int32_t category, int32_t index,
                              char* buffer);
double GetSliderNormalized(EffectInstance* instance, int32_t index);
void SetSliderNormalized(EffectInstance* instance, int32_t index, double value);
void GetSliderName(EffectInstance* instance, int32_t index, char* buffer, size_t capacity);
void GetSliderLabel(EffectInstance* instance, int32_t index, char* buffer, size_t capacity);
void GetSliderDisplay(EffectInstance* instance, int32_t index, char* buffer, size_t capacity);
int32_t GetState(EffectInstance* instance, void** data, bool isPreset);
int32_t SetState(EffectInstance* instance, const void* data, int32_t byteSize, bool isPreset);

// A sample the sample section left as it was goes out as it came in: widening a float
// quiets a signalling NaN, and the narrowed value would differ from the input.
template <class Sample>
Sample OutputSample(double value, Sample input) {
  if constexpr (std::is_same_v<Sample, double>) {
    return value;
  } else {
    const bool unchanged =
        std::bit_cast<uint64_t>(value) == std::bit_cast<uint64_t>(static_cast<double>(input));
    return unchanged ? input : static_cast<Sample>(value);
  }
}

// An effect whose sample section leaves two channels' samples as they came may
// measure a whole block at once; the loop then passes the samples on itself.
template <class Effect, class Sample>
concept MeasuresWholeBlocks = requires(Effect& effect, const Sample* samples) {
  effect.MeasureFrames(samples, samples, int32_t{});
};

// Moves every frame through Channels and the sample section. Inputs of a frame are read before its
// outputs are written, so the buffers may be the same. Instantiated for the final effect class so
// that the per-frame sample section is a direct, inlined call.
template <class Effect, class Sample>
void RunFrameLoop(Effect& effect, Sample** inputs, Sample** outputs, int32_t frames,
                  int32_t channels) {
  if (frames <= 0 || channels <= 0 || inputs == nullptr || outputs == nullptr) return;
  double* values = effect.Channels;
  if (channels == 2) {
    const Sample* inLeft = inputs[0];
    const Sample* inRight = inputs[1];
    Sample* outLeft = outputs[0];
    Sample* outRight = outputs[1];
    if constexpr (MeasuresWholeBlocks<Effect, Sample>) {
      effect.MeasureFrames(inLeft, inRight, frames);
      if (outLeft == inLeft && outRight == inRight) return;
      // Frame by frame, so that outputs that share a host's input buffers get
      // what the frame loop would have given them.
      for (int32_t i = 0; i < frames; ++i) {
        const Sample left = inLeft[i], right = inRight[i];
        outLeft[i] = left;
        outRight[i] = right;
      }
      return;
    }
    for (int32_t i = 0; i < frames; ++i) {
      const Sample left = inLeft[i], right = inRight[i];
      values[0] = left;
      values[1] = right;
      effect.DoSample();
      outLeft[i] = OutputSample(values[0], left);
      outRight[i] = OutputSample(values[1], right);
    }
    return;
  }
  Sample frameInputs[CVebriskSamples::kMaxChannels];
  for (int32_t i = 0; i < frames; ++i) {
    for (int32_t c = 0; c < channels; ++c) {
      frameInputs[c] = inputs[c][i];
      values[c] = frameInputs[c];
    }
    effect.DoSample();
    for (int32_t c = 0; c < channels; ++c)
      outputs[c][i] = OutputSample(values[c], frameInputs[c]);
  }
}

// An effect that hands its block's results to another thread says when the block is over.
template <class Effect>
concept FinishesBlocks = requires(Effect& effect) {
  effect.FinishBlock();
};

template <class Effect, class Sample>
void RunFrames(Effect& effect, Sample** inputs, Sample** outputs, int32_t frames,
               int32_t channels) {
  effect.DoBlock();
  RunFrameLoop(effect, inputs, outputs, frames, channels);
  if constexpr (FinishesBlocks<Effect>) effect.FinishBlock();
}

inline int32_t ProcessChannelCount(EffectInstance* instance) {
  return std::clamp(HostInputCount(instance), 0, CVebriskSamples::kMaxChannels);
}

// Each precision reads the channel count once, on its first call, for the whole module.
template <class Effect>
void ProcessFloat(EffectInstance* instance, float** inputs, float** outputs, int32_t frames) {
  static const int32_t channels = ProcessChannelCount(instance);
  if (TVebrisk* effect = FrameOf(instance)) {
    RunFrames(static_cast<Effect&>(*effect), inputs, outputs, frames, channels);
  }
}

template <class Effect>
void ProcessDouble(EffectInstance* instance, double** inputs, double** outputs, int32_t frames) {
  static const int32_t channels = ProcessChannelCount(instance);
  if (TVebrisk* effect = FrameOf(instance)) {
    RunFrames(static_cast<Effect&>(*effect), inputs, outputs, frames, channels);
  }
}

// The table as the entry module hands it to the instance: keys are not used
// (entries 11 and 12 stay empty) and indexed program names answer 0.
template <class Effect>
InstanceHooks MakeFrameHooks() {
  return InstanceHooks{
      Setup,
      Delete,
      Open,
      Suspend,
      Resume,
      Idle,
      Close,
      Draw,
      MouseDown,
      MouseUp,
      MouseMove,
      nullptr,
      nullptr,
      GetVendorVersion,
      GetVendorName,
      GetProductName,
      GetEffectName,
      GetProgramName,
      SetProgramName,
      GetProgramNameIndexed,
      GetSliderNormalized,
      SetSliderNormalized,
      GetSliderName,
      GetSliderLabel,
      GetSliderDisplay,
      ProcessFloat<Effect>,
      ProcessDouble<Effect>,
      GetState,
      SetState,
  };
}

}  // namespace FrameServices
