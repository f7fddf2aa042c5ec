#include "tools/slewmeter/slope_tile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Phase k and its mirror image kSlopePhases - 1 - k read the same steps forwards
// and backwards: split into even and odd halves, the pair costs one filter's
// multiplications, over the sums and differences of mirrored steps.
constexpr int kPairs = kSlopePhases / 2;
constexpr int kMiddle = kSlopeTaps / 2;

struct MirroredTaps {
  float middle[kPairs];
  float even[kPairs][kMiddle];
  float odd[kPairs][kMiddle];
};

const MirroredTaps& Taps() {
  static const MirroredTaps taps = [] {
    const SlopeFilters& filters = DesignedSlopeFilters();
    MirroredTaps made{};
    for (int pair = 0; pair < kPairs; ++pair) {
      const auto& c = filters[pair];
      made.middle[pair] = c[kMiddle];
      for (int t = 0; t < kMiddle; ++t) {
        made.even[pair][t] = static_cast<float>((double{c[t]} + c[kSlopeTaps - 1 - t]) / 2);
        made.odd[pair][t] = static_cast<float>((double{c[t]} - c[kSlopeTaps - 1 - t]) / 2);
      }
    }
    return made;
  }();
  return taps;
}

// GCC's vectors of kLanes floats (typedefs: the size is an attribute, which an
// alias template drops).
template <int kLanes>
struct Vectors {
  static constexpr size_t kBytes = kLanes * sizeof(float);
  typedef float Floats __attribute__((vector_size(kBytes)));
  typedef int32_t Bits __attribute__((vector_size(kBytes)));
  // Steps are read at every float's address.
  typedef float UnalignedFloats __attribute__((vector_size(kBytes), aligned(alignof(float))));
  // Samples come in double: half as many to a vector, converted to half a vector of floats.
  typedef double Doubles __attribute__((vector_size(kBytes)));
  typedef int64_t Words __attribute__((vector_size(kBytes)));
  typedef double UnalignedDoubles __attribute__((vector_size(kBytes), aligned(alignof(double))));
  typedef float HalfFloats __attribute__((vector_size(kBytes / 2)));
  typedef float UnalignedHalfFloats
      __attribute__((vector_size(kBytes / 2), aligned(alignof(float))));
};

// The samples as floats, up to a whole vector past `count`. Non-finite samples
// count as silence, as in the meter; the bound keeps every sum finite in float,
// where the filter runs.
template <int kLanes>
[[gnu::always_inline]] inline void Sanitize(const double* samples, size_t count, float* levels) {
  using V = Vectors<kLanes>;
  constexpr size_t kHalf = kLanes / 2;
  const typename V::Doubles bound = typename V::Doubles{} + 1e30;
  const typename V::Doubles largest = typename V::Doubles{} + std::numeric_limits<double>::max();
  const typename V::Words noSign = typename V::Words{} + std::numeric_limits<int64_t>::max();
  for (size_t i = 0; i < count; i += kHalf) {
    typename V::Doubles sample{};
    if (i + kHalf <= count) {
      sample = *reinterpret_cast<const typename V::UnalignedDoubles*>(samples + i);
    } else {
      for (size_t j = 0; i + j < count; ++j)
        sample[j] = samples[i + j];
    }
    const auto magnitude =
        reinterpret_cast<typename V::Doubles>(reinterpret_cast<typename V::Words>(sample) & noSign);
    const typename V::Words finite = magnitude <= largest;
    sample = sample < -bound ? -bound : sample;
    sample = sample > bound ? bound : sample;
    sample =
        reinterpret_cast<typename V::Doubles>(reinterpret_cast<typename V::Words>(sample) & finite);
    *reinterpret_cast<typename V::UnalignedHalfFloats*>(levels + i) =
        __builtin_convertvector(sample, typename V::HalfFloats);
  }
}

template <int kLanes>
[[gnu::always_inline]] inline std::array<float, kSlopePhases> FilterTileWith(const double* samples,
                                                                             size_t count,
                                                                             SlopeTile& tile) {
  using Floats = typename Vectors<kLanes>::Floats;
  using Bits = typename Vectors<kLanes>::Bits;
  using UnalignedFloats = typename Vectors<kLanes>::UnalignedFloats;
  static_assert(kLanes <= SlopeTile::kWidest);

  std::array<float, 1 + SlopeTile::kFrames + kLanes> level;
  level[0] = tile.lastSample;
  Sanitize<kLanes>(samples, count, level.data() + 1);
  float* steps = tile.steps.data();
  for (size_t i = 0; i < count; ++i)
    steps[SlopeTile::kHistory + i] = level[i + 1] - level[i];
  tile.lastSample = level[count];

  const MirroredTaps& taps = Taps();
  Floats middle[kPairs], even[kPairs][kMiddle], odd[kPairs][kMiddle];
  for (int pair = 0; pair < kPairs; ++pair) {
    middle[pair] = Floats{} + taps.middle[pair];
    for (int t = 0; t < kMiddle; ++t) {
      even[pair][t] = Floats{} + taps.even[pair][t];
      odd[pair][t] = Floats{} + taps.odd[pair][t];
    }
  }
  const Bits noSign = Bits{} + std::numeric_limits<int32_t>::max();
  for (size_t n = 0; n < count; n += kLanes) {
    // Tap by tap, all four phases at once: few vectors live, none spilled.
    // Unrolled, so that they stay in registers.
    const float* at = steps + n;
    Floats evenPart[kPairs], oddPart[kPairs];
    for (int pair = 0; pair < kPairs; ++pair) {
      evenPart[pair] = middle[pair] * *reinterpret_cast<const UnalignedFloats*>(at + kMiddle);
      oddPart[pair] = Floats{};
    }
#pragma GCC unroll 16
    for (int t = 0; t < kMiddle; ++t) {
      const Floats early = *reinterpret_cast<const UnalignedFloats*>(at + t);
      const Floats late = *reinterpret_cast<const UnalignedFloats*>(at + kSlopeTaps - 1 - t);
      const Floats sum = early + late, difference = early - late;
      for (int pair = 0; pair < kPairs; ++pair) {
        evenPart[pair] += even[pair][t] * sum;
        oddPart[pair] += odd[pair][t] * difference;
      }
    }
    for (int pair = 0; pair < kPairs; ++pair) {
      // Magnitudes: the sign bit cleared.
      *reinterpret_cast<Floats*>(tile.slopes[pair].data() + n) =
          reinterpret_cast<Floats>(reinterpret_cast<Bits>(evenPart[pair] + oddPart[pair]) & noSign);
      *reinterpret_cast<Floats*>(tile.slopes[kSlopePhases - 1 - pair].data() + n) =
          reinterpret_cast<Floats>(reinterpret_cast<Bits>(evenPart[pair] - oddPart[pair]) & noSign);
    }
  }
  std::copy_n(steps + count, SlopeTile::kHistory, steps);

  // Each phase's steepest, over whole vectors once the lanes past `count` are
  // cleared: a pass of its own keeps the filter's registers free.
  const size_t whole = (count + kLanes - 1) / kLanes * kLanes;
  std::array<float, kSlopePhases> largest;
  for (int k = 0; k < kSlopePhases; ++k) {
    float* slope = tile.slopes[k].data();
    std::fill(slope + count, slope + whole, 0.0f);
    Floats steepest{};
    for (size_t n = 0; n < whole; n += kLanes) {
      const Floats value = *reinterpret_cast<const Floats*>(slope + n);
      steepest = value > steepest ? value : steepest;
    }
    largest[k] = 0;
    for (int i = 0; i < kLanes; ++i)
      largest[k] = std::max(largest[k], steepest[i]);
  }
  return largest;
}

// Each at its processor's own width: GCC splits a wider vector lane by lane. The
// wider ones also fuse multiplies and adds, so their figures differ from the
// baseline's in rounding only.
std::array<float, kSlopePhases> FilterTileBaseline(const double* samples, size_t count,
                                                   SlopeTile& tile) {
  return FilterTileWith<4>(samples, count, tile);
}

#if defined(__x86_64__)
[[gnu::target("avx2,fma")]] std::array<float, kSlopePhases> FilterTileAvx2(const double* samples,
                                                                           size_t count,
                                                                           SlopeTile& tile) {
  return FilterTileWith<8>(samples, count, tile);
}

[[gnu::target("avx512f")]] std::array<float, kSlopePhases> FilterTileAvx512(const double* samples,
                                                                            size_t count,
                                                                            SlopeTile& tile) {
  return FilterTileWith<16>(samples, count, tile);
}
#endif

}  // namespace

SlopeInstructions WidestSlopeInstructions() {
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx512f")) return SlopeInstructions::avx512;
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) {
    return SlopeInstructions::avx2;
  }
#endif
  return SlopeInstructions::baseline;
}

TileFilter ChooseTileFilter(SlopeInstructions instructions) {
  switch (instructions) {
#if defined(__x86_64__)
    case SlopeInstructions::avx512:
      return FilterTileAvx512;
    case SlopeInstructions::avx2:
      return FilterTileAvx2;
#endif
    default:
      return FilterTileBaseline;
  }
}
