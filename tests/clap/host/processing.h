// One process call as a host makes it: a stereo pair of buffers in either
// precision, no events, the transport given or none.
#pragma once

#include <type_traits>

#include "clap/clap_abi.h"

inline const clap_input_events kNoInputEvents{
    nullptr, [](const clap_input_events*) -> uint32_t { return 0; },
    [](const clap_input_events*, uint32_t) -> const clap_event_header* { return nullptr; }};
inline const clap_output_events kNoRoomForEvents{
    nullptr, [](const clap_output_events*, const clap_event_header*) { return false; }};

template <class Sample>
clap_audio_buffer StereoBuffer(Sample* const channels[2]) {
  clap_audio_buffer buffer{};
  if constexpr (std::is_same_v<Sample, float>) {
    buffer.data32 = const_cast<float**>(channels);
  } else {
    buffer.data64 = const_cast<double**>(channels);
  }
  buffer.channel_count = 2;
  buffer.constant_mask = ~uint64_t{0};  // the plug-in must say what its output holds
  return buffer;
}

// Answers the process status; `outputMask` receives the output's constant mask.
template <class Sample>
int32_t ProcessStereo(const clap_plugin* plugin, Sample* const inputs[2], Sample* const outputs[2],
                      uint32_t frames, const clap_event_transport* transport = nullptr,
                      uint64_t* outputMask = nullptr) {
  const clap_audio_buffer in = StereoBuffer(inputs);
  clap_audio_buffer out = StereoBuffer(outputs);
  const clap_process process{-1, frames,          transport,        &in, &out, 1,
                             1,  &kNoInputEvents, &kNoRoomForEvents};
  const int32_t status = plugin->process(plugin, &process);
  if (outputMask) *outputMask = out.constant_mask;
  return status;
}
