#include "tools/slewmeter/test_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

double Tone(double frequency, double amplitude, double t) {
  return amplitude * std::sin(2 * kPi * frequency * t);
}

// A sine gliding linearly from one frequency to another over `length` seconds.
double Glide(double from, double to, double length, double amplitude, double t) {
  return amplitude * std::sin(2 * kPi * (from * t + (to - from) * t * t / (2 * length)));
}

double Square(double frequency, double amplitude, double t) {
  return std::fmod(t * frequency, 1.0) < 0.5 ? amplitude : -amplitude;
}

}  // namespace

size_t TestSignalChunk(size_t start, double* left, double* right, size_t frames) {
  const auto total = static_cast<size_t>(kTestSignalFrames);
  const size_t count = start < total ? std::min(frames, total - start) : 0;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(start + i) / kTestSignalRate;
    // Left: a low tone, a bright tone, a square burst, silence, a rising glide.
    left[i] = static_cast<float>(t < 1     ? Tone(440, 0.5, t)
                                 : t < 2   ? Tone(3000, 0.4, t - 1)
                                 : t < 2.5 ? Square(150, 0.2, t - 2)
                                 : t < 3   ? 0
                                           : Glide(200, 6000, 1, 0.4, t - 3));
    // Right: silence, a loud mid tone, a falling glide, a square burst past the
    // top of the graph, silence.
    right[i] = static_cast<float>(t < 1     ? 0
                                  : t < 2   ? Tone(1000, 0.8, t - 1)
                                  : t < 3   ? Glide(6000, 1000, 1, 0.3, t - 2)
                                  : t < 3.5 ? Square(300, 0.25, t - 3)
                                            : 0);
  }
  return count;
}
