// The FFT and MDCT as scripts call them: in place on a block of script memory.
// Blocks stay inside the page of their first cell; a block that would run past the
// page's end is left alone, and so is every size or mode outside the rules below.
#pragma once

#include <cstdint>

#include "runtime/memory.h"

// 2N cells from `address` hold N complex values; N is `size` rounded down to a power of two
// in 16 ... 32768. Mode 0: forward, 1: inverse, 4: internal to natural order, 5: back.
void FftBuiltin(CVebriskMemory& memory, int32_t address, int32_t size, int32_t mode);

// N cells from `address`, N being `size` rounded down to a power of two in 32 ... 4096.
// Direction 0: forward (N/2 coefficients written), any other: inverse.
void MdctBuiltin(CVebriskMemory& memory, int32_t address, int32_t size, int32_t direction);
