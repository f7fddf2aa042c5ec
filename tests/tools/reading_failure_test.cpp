// A failure while the reading thread runs ends the run with its reason: the
// thread is joined and nothing aborts.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/slewmeter/meter_run.h"

TEST(ReadingFailure, EndsTheRunWithItsReason) {
  auto reader = AudioReader::generated({48000, 2, -1, {}},
                                       [](size_t start, double* left, double* right, size_t count) {
                                         if (start >= 100000)
                                           throw std::runtime_error("the disk went away");
                                         std::fill_n(left, count, 0.0);
                                         std::fill_n(right, count, 0.0);
                                         return count;
                                       });
  Measurement measurement;
  std::string error;
  EXPECT_FALSE(MeterAudio(*reader, nullptr, MeterSettings{}, measurement, error));
  EXPECT_EQ(error, "reading stopped: the disk went away");
}
