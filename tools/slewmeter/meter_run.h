// Streams audio through the meter plug-in the way a host does: processing
// blocks through the effect record, a graphics frame every 1/30 s of audio.
#pragma once

#include <cstdint>
#include <string>

#include "editor/drawing/offscreen_context.h"
#include "tools/slewmeter/audio.h"

struct MeterResult {
  double largestLeft = 0;  // largest step between two samples, full-scale units
  double largestRight = 0;
  double fullScale = 0;  // the graph's top: 44100 / (2 x sample rate)
  int64_t graphicsFrames = 0;
  VSTGUI::SharedPointer<VSTGUI::COffscreenContext> picture;  // the last frame, when asked for
};

// False with a reason in `error` when the plug-in cannot be run.
bool RunMeter(const StereoAudio& input, int32_t blockSize, bool wantPicture, StereoAudio& output,
              MeterResult& result, std::string& error);

// Where a step stands against the graph's full scale and its two ceilings.
std::string DescribeStep(double step, double fullScale);
