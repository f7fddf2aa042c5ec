// In-place split-radix complex FFT on 2^log2Size values stored as (re, im) cell pairs.
// The forward transform leaves its bins in the internal order of FftTables and the
// inverse takes them in that order, so a round trip needs no reordering.
#pragma once

// Bins X[k] = sum of x[n]·e^(-2πi·kn/N), in internal order. 3 <= log2Size <= 15.
void FftForward(double* cells, int log2Size);
// Values x[n] = sum of X[k]·e^(+2πi·kn/N) from bins in internal order; not scaled.
void FftInverse(double* cells, int log2Size);

// In-place reorderings between internal and natural order. 1 <= log2Size <= 15.
void FftToNaturalOrder(double* cells, int log2Size);
void FftToInternalOrder(double* cells, int log2Size);
