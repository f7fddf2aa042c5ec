// Streams audio through the meter plug-in the way a host does, processing
// blocks through the effect record and a graph frame every 1/30 s of audio,
// and reduces what the graph receives as it goes: nothing held grows with the
// input's length. Reading runs on a thread of its own beside the metering.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editor/drawing/offscreen_context.h"
#include "tools/slewmeter/audio_stream.h"
#include "tools/slewmeter/channel_summary.h"
#include "tools/slewmeter/per_second_peaks.h"
#include "tools/slewmeter/timeline_columns.h"

struct MeterSettings {
  int32_t blockSize = 512;
  bool picture = false;         // the editor's picture at the end
  bool interSample = false;     // the reconstructed slopes beside the steps
  bool perSecond = false;       // the per-second peaks, for the report
  int32_t timelineColumns = 0;  // 0: no timeline
  CeilingTable ceilings = kCeilings;
  // The samples the audio before this input ended on (--gapless): its first
  // step is from them rather than from silence.
  std::optional<std::array<double, 2>> continueFrom = std::nullopt;
};

struct Measurement {
  AudioFormat format;
  int64_t frames = 0;
  bool truncated = false;
  std::string shortfall;              // when truncated: what went short and where
  int64_t nonFiniteSamples = 0;       // NaN and infinities, metered as the plug-in meters them
  std::array<double, 2> lastFrame{};  // the input's last samples, for one that continues it
  double fullScale = 0;               // the graph's top as a step
  std::array<ChannelSummary, 2> channels;
  std::optional<TimelineColumns> timeline;
  std::unique_ptr<PerSecondPeaks> perSecond;
  VSTGUI::SharedPointer<VSTGUI::COffscreenContext> picture;
  // The most the run held at once for audio and its reductions, in bytes.
  size_t peakHeldBytes = 0;

  double seconds() const { return static_cast<double>(frames) / format.sampleRate; }
};

// Progress as a share 0..1 of the input done, when its length is known.
using Progress = std::function<void(double done)>;

// Meters everything `reader` gives, writing the plug-in's output to `output`
// when there is one. False with a reason in `error` when the plug-in cannot run
// or the output cannot be written.
bool MeterAudio(AudioReader& reader, AudioWriter* output, const MeterSettings& settings,
                Measurement& measurement, std::string& error, const Progress& progress = {});

// Where a step stands against the graph's full scale and its ceilings.
std::string DescribeStep(double step, double fullScale, CeilingTable ceilings = kCeilings);
