// Module-wide tables of the complex FFT, filled once for every size: the twiddle
// factors of each split-radix pass and the internal order the transforms keep.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/complex_lane.h"

class FftTables {
 public:
  static constexpr int kMaxLog2Size = 15;

  FftTables();

  // e^(i·2πm/L) for m < L/4, L = 2^log2Size (3 <= log2Size <= kMaxLog2Size).
  const Twiddle* Twiddles(int log2Size) const { return TwiddlesBySize[log2Size].data(); }

  // For each natural bin k < 2^log2Size, the position that holds it in internal order.
  const std::vector<uint32_t>& InternalPositions(int log2Size) const {
    return PositionsBySize[log2Size];
  }

  // The smallest index of every cycle of InternalPositions longer than one.
  const std::vector<uint32_t>& CycleLeaders(int log2Size) const { return LeadersBySize[log2Size]; }

 private:
  std::array<std::vector<Twiddle>, kMaxLog2Size + 1> TwiddlesBySize;
  std::array<std::vector<uint32_t>, kMaxLog2Size + 1> PositionsBySize;
  std::array<std::vector<uint32_t>, kMaxLog2Size + 1> LeadersBySize;
};

// The tables, filled on the first transform, by whichever thread asks first: an
// effect that never transforms never pays for them.
const FftTables& SharedFftTables();
