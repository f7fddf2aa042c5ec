// A channel's samples filtered a tile at a time into the slopes on the grid of
// phases, with the widest vectors the processor has: the work of --inter-sample.
#pragma once

#include <array>
#include <cstddef>

#include "tools/slewmeter/slope_filters.h"

struct SlopeTile {
  // Samples a fill takes at most: steps and slopes stay in the first-level cache.
  static constexpr size_t kFrames = 256;
  static constexpr size_t kHistory = kSlopeTaps - 1;
  // The widest vector, in floats: a fill's last one is filtered whole, the lanes past it cleared.
  static constexpr size_t kWidest = 16;

  float lastSample = 0;
  // The last fill's last kHistory steps, then this fill's.
  alignas(64) std::array<float, kHistory + kFrames + kWidest> steps{};
  // The slopes' magnitudes: point n, phase k at [k][n].
  alignas(64) std::array<std::array<float, kFrames + kWidest>, kSlopePhases> slopes{};
};

// Fills `tile` with the slopes of `count` (1 to kFrames) samples that follow
// those of its last fill, non-finite ones as silence; gives each phase's steepest.
using TileFilter = std::array<float, kSlopePhases> (*)(const double* samples, size_t count,
                                                       SlopeTile& tile);

// The x86-64 baseline every processor has, and wider vectors some have; each is
// tested against the baseline where the processor has it.
enum class SlopeInstructions { baseline, avx2, avx512 };
SlopeInstructions WidestSlopeInstructions();
TileFilter ChooseTileFilter(SlopeInstructions instructions);
