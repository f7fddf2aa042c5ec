// Meters a made-up stereo signal in-process, as slewmeter meters a file.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tools/slewmeter/meter_run.h"

// `frames` frames at `rate`, sample(frame, channel) each (channel 0 left, 1 right).
template <class Sample>
Measurement MeterSignal(double rate, int64_t frames, Sample sample,
                        const MeterSettings& settings = {}) {
  auto reader = AudioReader::generated(
      {rate, 2, frames, {}}, [=](size_t start, double* left, double* right, size_t count) {
        const size_t n = std::min<size_t>(count, static_cast<size_t>(frames) - start);
        for (size_t i = 0; i < n; ++i) {
          left[i] = sample(static_cast<int64_t>(start + i), 0);
          right[i] = sample(static_cast<int64_t>(start + i), 1);
        }
        return n;
      });
  Measurement measurement;
  std::string error;
  EXPECT_TRUE(MeterAudio(*reader, nullptr, settings, measurement, error)) << error;
  return measurement;
}
