// Test signals full of what a host can hand over (NaN, infinities, denormals,
// the largest values) and a comparison of samples by their bits, NaNs included.
#pragma once

#include <cstring>
#include <limits>
#include <random>
#include <vector>

template <class Sample>
std::vector<Sample> AwkwardSignal(size_t frames, unsigned seed) {
  const Sample specials[] = {std::numeric_limits<Sample>::quiet_NaN(),
                             std::numeric_limits<Sample>::infinity(),
                             -std::numeric_limits<Sample>::infinity(),
                             std::numeric_limits<Sample>::denorm_min(),
                             -Sample(0),
                             std::numeric_limits<Sample>::max(),
                             std::numeric_limits<Sample>::lowest(),
                             Sample(1),
                             Sample(-1)};
  std::mt19937 random(seed);
  std::uniform_real_distribution<Sample> uniform(-1, 1);
  std::vector<Sample> signal(frames);
  for (size_t i = 0; i < frames; ++i) {
    signal[i] = (random() % 4 == 0) ? specials[random() % 9] : uniform(random);
  }
  return signal;
}

template <class Sample>
bool SameBits(const std::vector<Sample>& a, const std::vector<Sample>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Sample)) == 0;
}
