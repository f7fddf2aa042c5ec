// MDCT with the sine window, in place on N = 2^log2Size cells (N = 32 ... 4096).
#pragma once

constexpr int kMdctMinLog2Size = 5;
constexpr int kMdctMaxLog2Size = 12;

// Replaces the first N/2 cells with X[k] = sum over n < N of y[n]·cos(π/(2N)·(2n+1+N/2)·(2k+1)),
// y being the windowed cells; the other N/2 cells keep their values.
void MdctForward(double* cells, int log2Size);
// Replaces the N cells with the window times y[n] = 4/N · sum over k < N/2 of
// X[k]·cos(π/(2N)·(2n+1+N/2)·(2k+1)), X being the first N/2 cells.
// Both leave the cells untouched when the size's tables cannot be allocated.
void MdctInverse(double* cells, int log2Size);
