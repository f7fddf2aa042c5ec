// The filters that read the slope of the band-limited reconstruction between
// two samples from the steps around them.
#pragma once

#include <array>

// The slope is read at this many points between two samples...
inline constexpr int kSlopePhases = 4;
// ...each from this many steps around them.
inline constexpr int kSlopeTaps = 15;

// The filter of each phase over kSlopeTaps consecutive steps: a least-squares fit
// of the ideal differentiator up to 0.42 of the sample rate. The points lie
// symmetric about the middle step, so phase kSlopePhases - 1 - k is phase k
// reversed, which the vector filter relies on.
using SlopeFilters = std::array<std::array<float, kSlopeTaps>, kSlopePhases>;
const SlopeFilters& DesignedSlopeFilters();
