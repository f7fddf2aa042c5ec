// One channel of the meter's sample section over a whole block: each sample's
// step from the one before under the finite rule, and the largest of them. The
// steps are independent of each other, so they are taken four at a time in
// vector registers; only the largest carries from one to the next.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/value_rules.h"

namespace BlockSteps {

struct Channel {
  double previous, peak, slew;
};

// Two doubles: every x86-64 and ARMv8 processor holds them in one register.
using Pair = double __attribute__((vector_size(2 * sizeof(double))));
using PairBits = int64_t __attribute__((vector_size(2 * sizeof(int64_t))));

inline Pair Magnitude(Pair x) {
  return reinterpret_cast<Pair>(reinterpret_cast<PairBits>(x) &
                                std::numeric_limits<int64_t>::max());
}
inline Pair FiniteOrZero(Pair x) {
  const PairBits finite = Magnitude(x) <= std::numeric_limits<double>::max();
  return reinterpret_cast<Pair>(reinterpret_cast<PairBits>(x) & finite);
}

// The steps into samples[i] and samples[i + 1].
template <class Sample>
Pair StepsAt(const Sample* samples, int32_t i) {
  const Pair now = {static_cast<double>(samples[i]), static_cast<double>(samples[i + 1])};
  const Pair before = {static_cast<double>(samples[i - 1]), static_cast<double>(samples[i])};
  return FiniteOrZero(Magnitude(now - FiniteOrZero(before)));
}

template <class Sample>
Channel Measure(const Sample* samples, int32_t frames, Channel channel) {
  if (frames <= 0) return channel;
  const auto step = [&](double sample) {
    channel.slew = ::FiniteOrZero(std::fabs(sample - channel.previous));
    channel.previous = ::FiniteOrZero(sample);
  };
  step(samples[0]);
  // After the first frame the peak is finite, as every step is: the rule that
  // keeps it so is the identity from here on.
  double peak = ::FiniteOrZero(std::max(channel.peak, channel.slew));
  Pair largest = {peak, peak}, largestToo = largest;
  int32_t i = 1;
  // The last frame is left to the single steps, which end on its step and sample.
  for (; i + 4 < frames; i += 4) {
    const Pair steps = StepsAt(samples, i), stepsToo = StepsAt(samples, i + 2);
    largest = steps > largest ? steps : largest;
    largestToo = stepsToo > largestToo ? stepsToo : largestToo;
  }
  channel.previous = ::FiniteOrZero(static_cast<double>(samples[i - 1]));
  // In order from the peak before, which a step only replaces when larger.
  peak = std::max({peak, largest[0], largest[1], largestToo[0], largestToo[1]});
  for (; i < frames; ++i) {
    step(samples[i]);
    peak = std::max(peak, channel.slew);
  }
  channel.peak = peak;
  return channel;
}

}  // namespace BlockSteps
