// Streams audio through the meter plug-in the way a host does: processing
// blocks through the effect record, a graphics frame every 1/30 s of audio.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/drawing/offscreen_context.h"
#include "tools/slewmeter/audio.h"

// The ceilings' heights as shares of the graph's full scale, and their names.
struct Ceiling {
  double share;
  const char* label;
};
constexpr Ceiling kCeilings[] = {{0.9625, "1990 typical ceiling"},
                                 {0.575, "1970/1980 typical ceiling"}};

// What the graph received: at each graphics frame, the newest point per channel
// (the largest step since the frame before), and when the frame came.
struct MeterResult {
  double sampleRate = 0;
  double fullScale = 0;            // the graph's top: 44100 / (2 x sample rate)
  std::vector<double> frameTimes;  // seconds of audio at each graphics frame
  std::vector<double> left;        // full-scale units per sample
  std::vector<double> right;
  VSTGUI::SharedPointer<VSTGUI::COffscreenContext> picture;  // the last frame, when asked for
};

// Progress as a share 0..1 of the input done.
using Progress = std::function<void(double done)>;

// Processes `audio` in place: afterwards it holds the plug-in's output. False
// with a reason in `error` when the plug-in cannot be run.
bool RunMeter(StereoAudio& audio, int32_t blockSize, bool wantPicture, MeterResult& result,
              std::string& error, const Progress& progress = {});

// Where a step stands against the graph's full scale and its two ceilings.
std::string DescribeStep(double step, double fullScale);
