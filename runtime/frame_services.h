// The services through which the host adapter reaches the frame: the entries
// of the adapter's hook table, each a plain function over the adapter.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "host/cdazu.h"
#include "host/host_services.h"
#include "runtime/vebrisk.h"

namespace FrameServices {

inline TVebrisk* FrameOf(CDaZU* adapter) {
  return adapter ? static_cast<TVebrisk*>(adapter->getScriptObject()) : nullptr;
}

void Setup(CDaZU* adapter);
void Delete(CDaZU* adapter);
void Open(CDaZU* adapter);
void Suspend(CDaZU* adapter);
void Resume(CDaZU* adapter);
void Idle(CDaZU* adapter);
void Close(CDaZU* adapter);
void Draw(CDaZU* adapter, double width, double height);
void MouseDown(CDaZU* adapter, double x, double y, uint32_t buttons);
void MouseUp(CDaZU* adapter, double x, double y, uint32_t buttons);
void MouseMove(CDaZU* adapter, double x, double y, uint32_t buttons);
int32_t GetVendorVersion(CDaZU* adapter);
int32_t GetVendorName(CDaZU* adapter, char* buffer, size_t capacity);
int32_t GetProductName(CDaZU* adapter, char* buffer, size_t capacity);
int32_t GetEffectName(CDaZU* adapter, char* buffer, size_t capacity);
int32_t GetProgramName(CDaZU* adapter, char* buffer, size_t capacity);
void SetProgramName(CDaZU* adapter, const char* name);
int32_t GetProgramNameIndexed(CDaZU* adapter, int32_t category, int32_t index, char* buffer);
double GetSliderNormalized(CDaZU* adapter, int32_t index);
void SetSliderNormalized(CDaZU* adapter, int32_t index, double value);
void GetSliderName(CDaZU* adapter, int32_t index, char* buffer, size_t capacity);
void GetSliderLabel(CDaZU* adapter, int32_t index, char* buffer, size_t capacity);
void GetSliderDisplay(CDaZU* adapter, int32_t index, char* buffer, size_t capacity);
int32_t GetState(CDaZU* adapter, void** data, bool isPreset);
int32_t SetState(CDaZU* adapter, const void* data, int32_t byteSize, bool isPreset);

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

inline int32_t ProcessChannelCount(CDaZU* adapter) {
  return std::clamp(HostInputCount(adapter), 0, CVebriskSamples::kMaxChannels);
}

// Each precision reads the channel count once, on its first call, for the whole module.
template <class Effect>
void ProcessFloat(CDaZU* adapter, float** inputs, float** outputs, int32_t frames) {
  static const int32_t channels = ProcessChannelCount(adapter);
  if (TVebrisk* effect = FrameOf(adapter)) {
    RunFrames(static_cast<Effect&>(*effect), inputs, outputs, frames, channels);
  }
}

template <class Effect>
void ProcessDouble(CDaZU* adapter, double** inputs, double** outputs, int32_t frames) {
  static const int32_t channels = ProcessChannelCount(adapter);
  if (TVebrisk* effect = FrameOf(adapter)) {
    RunFrames(static_cast<Effect&>(*effect), inputs, outputs, frames, channels);
  }
}

// The table as the entry module hands it to the adapter: keys are not used
// (entries 11 and 12 stay empty) and indexed program names answer 0.
template <class Effect>
CDaZUHooks MakeFrameHooks() {
  return CDaZUHooks{
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
