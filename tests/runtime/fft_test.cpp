#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <numbers>
#include <vector>

#include "runtime/fft_tables.h"
#include "runtime/transform_builtins.h"
#include "tests/runtime/random_cells.h"

namespace {

using LongComplex = std::complex<long double>;

constexpr int32_t kPageStart = 3 * 65536;
constexpr int kFirstLog2Size = 4;
constexpr int kLastLog2Size = 15;
// Largest error allowed in any bin, relative to the Euclidean norm of the input.
constexpr double kRelativeTolerance = 1e-14;

// The recursion that defines the internal order, as written down.
uint32_t SplitRadixOrder(uint32_t a, uint32_t b) {
  if (b < 3) return a;
  if (a < b / 2) return 2 * SplitRadixOrder(a, b / 2);
  a -= b / 2;
  const uint32_t c = b / 4;
  if (a < c) return 4 * SplitRadixOrder(a, c) + 1;
  return (b - 1) & (4 * SplitRadixOrder(a - c, c) - 1);
}

// e^(sign·2πi·j/n) for j < n.
std::vector<LongComplex> Roots(size_t n, int sign) {
  std::vector<LongComplex> roots(n);
  for (size_t j = 0; j < n; ++j)
    roots[j] = std::polar(1.0L, sign * 2 * std::numbers::pi_v<long double> * j / n);
  return roots;
}

// Bin k of the naive DFT of n complex values stored as (re, im) pairs.
LongComplex NaiveBin(const std::vector<double>& pairs, size_t k,
                     const std::vector<LongComplex>& roots) {
  const size_t n = roots.size();
  LongComplex sum = 0;
  for (size_t j = 0; j < n; ++j)
    sum += LongComplex(pairs[2 * j], pairs[2 * j + 1]) * roots[k * j % n];
  return sum;
}

// Every bin of the smaller sizes; 256 bins spread over all residues for the larger ones.
std::vector<size_t> BinsToCheck(size_t n) {
  std::vector<size_t> bins;
  for (size_t j = 0; j < std::min<size_t>(n, 256); ++j)
    bins.push_back(n <= 256 ? j : j * 2654435761u % n);
  return bins;
}

double* Load(CVebriskMemory& memory, const std::vector<double>& cells) {
  double* block = memory.Block(kPageStart);
  std::copy(cells.begin(), cells.end(), block);
  return block;
}

const std::vector<uint32_t>& Positions(int log2Size) {
  return SharedFftTables().InternalPositions(log2Size);
}

}  // namespace

TEST(FftInternalOrder, SizeFourHoldsBinsZeroTwoThreeOne) {
  EXPECT_EQ(Positions(2), (std::vector<uint32_t>{0, 3, 1, 2}));
}

TEST(FftInternalOrder, EverySizeFollowsTheSplitRadixRecursion) {
  for (int d = 1; d <= kLastLog2Size; ++d) {
    const uint32_t size = uint32_t{1} << d;
    ASSERT_EQ(Positions(d).size(), size);
    EXPECT_EQ(Positions(d)[0], 0u);
    for (uint32_t i = 1; i < size; ++i)
      ASSERT_EQ(Positions(d).at(size - SplitRadixOrder(i, size)), i)
          << "size " << size << ", i " << i;
  }
}

TEST(FftReorder, ModeFourGathersAndModeFiveScattersAlongTheTable) {
  CVebriskMemory memory;
  for (int d = kFirstLog2Size; d <= kLastLog2Size; ++d) {
    const int32_t size = 1 << d;
    std::vector<double> labels(2 * size);
    for (int32_t j = 0; j < size; ++j) {
      labels[2 * j] = j;
      labels[2 * j + 1] = -j;
    }
    double* cells = Load(memory, labels);
    FftBuiltin(memory, kPageStart, size, 4);
    for (int32_t j = 0; j < size; ++j) {
      ASSERT_EQ(cells[2 * j], Positions(d)[j]) << "size " << size << ", position " << j;
      ASSERT_EQ(cells[2 * j + 1], -cells[2 * j]);
    }
    FftBuiltin(memory, kPageStart, size, 5);
    ASSERT_TRUE(std::equal(labels.begin(), labels.end(), cells)) << "size " << size;
  }
}

TEST(FftTransform, ForwardMatchesTheNaiveDftForEverySize) {
  CVebriskMemory memory;
  for (int d = kFirstLog2Size; d <= kLastLog2Size; ++d) {
    const int32_t size = 1 << d;
    const std::vector<double> input = RandomCells(2 * size, d);
    const double tolerance = kRelativeTolerance * EuclideanNorm(input);
    double* cells = Load(memory, input);
    FftBuiltin(memory, kPageStart, size, 0);
    const std::vector<LongComplex> roots = Roots(size, -1);
    for (const size_t k : BinsToCheck(size)) {
      const LongComplex expected = NaiveBin(input, k, roots);
      const double* bin = cells + 2 * Positions(d)[k];
      ASSERT_NEAR(bin[0], expected.real(), tolerance) << "size " << size << ", bin " << k;
      ASSERT_NEAR(bin[1], expected.imag(), tolerance) << "size " << size << ", bin " << k;
    }
  }
}

TEST(FftTransform, InverseOfInternalOrderMatchesTheNaiveSumsForEverySize) {
  CVebriskMemory memory;
  for (int d = kFirstLog2Size; d <= kLastLog2Size; ++d) {
    const int32_t size = 1 << d;
    const std::vector<double> bins = RandomCells(2 * size, 100 + d);
    const double tolerance = kRelativeTolerance * EuclideanNorm(bins);
    double* cells = memory.Block(kPageStart);
    for (int32_t k = 0; k < size; ++k)
      std::copy_n(&bins[2 * k], 2, cells + 2 * Positions(d)[k]);
    FftBuiltin(memory, kPageStart, size, 1);
    const std::vector<LongComplex> roots = Roots(size, +1);
    for (const size_t n : BinsToCheck(size)) {
      const LongComplex expected = NaiveBin(bins, n, roots);
      ASSERT_NEAR(cells[2 * n], expected.real(), tolerance) << "size " << size << ", value " << n;
      ASSERT_NEAR(cells[2 * n + 1], expected.imag(), tolerance)
          << "size " << size << ", value " << n;
    }
  }
}

TEST(FftTransform, ForwardThenInverseMultipliesByTheSize) {
  CVebriskMemory memory;
  for (int d = kFirstLog2Size; d <= kLastLog2Size; ++d) {
    const int32_t size = 1 << d;
    const std::vector<double> input = RandomCells(2 * size, 200 + d);
    const double tolerance = kRelativeTolerance * size * EuclideanNorm(input);
    const double* cells = Load(memory, input);
    FftBuiltin(memory, kPageStart, size, 0);
    FftBuiltin(memory, kPageStart, size, 1);
    for (int32_t j = 0; j < 2 * size; ++j)
      ASSERT_NEAR(cells[j], size * input[j], tolerance) << "size " << size << ", cell " << j;
  }
}

TEST(FftTransform, UnitImpulseAtOneGivesTheTwiddlesAndComesBack) {
  CVebriskMemory memory;
  double* cells = memory.Block(kPageStart);
  cells[2] = 1;
  FftBuiltin(memory, kPageStart, 16, 0);
  FftBuiltin(memory, kPageStart, 16, 4);
  for (int k = 0; k < 16; ++k) {
    const double angle = -2 * std::numbers::pi * k / 16;
    EXPECT_NEAR(cells[2 * k], std::cos(angle), 1e-15) << "bin " << k;
    EXPECT_NEAR(cells[2 * k + 1], std::sin(angle), 1e-15) << "bin " << k;
  }
  FftBuiltin(memory, kPageStart, 16, 5);
  FftBuiltin(memory, kPageStart, 16, 1);
  for (int j = 0; j < 32; ++j)
    EXPECT_NEAR(cells[j], j == 2 ? 16.0 : 0.0, 1e-14) << "cell " << j;
}

TEST(FftBuiltin, SizeRoundsDownToAPowerOfTwo) {
  const std::vector<double> input = RandomCells(256, 7);
  CVebriskMemory rounded, exact;
  const double* roundedCells = Load(rounded, input);
  const double* exactCells = Load(exact, input);
  FftBuiltin(rounded, kPageStart, 100, 0);
  FftBuiltin(exact, kPageStart, 64, 0);
  EXPECT_TRUE(std::equal(roundedCells, roundedCells + 128, exactCells));
  EXPECT_TRUE(std::equal(roundedCells + 128, roundedCells + 256, input.begin() + 128));
}

TEST(FftBuiltin, SizesOutsideSixteenTo32768AndUnknownModesDoNothing) {
  const std::vector<double> input = RandomCells(65536, 8);
  CVebriskMemory memory;
  const double* cells = Load(memory, input);
  for (const int32_t size : {-16, 0, 1, 8, 15, 65536, 1 << 30, INT32_MAX})
    FftBuiltin(memory, kPageStart, size, 0);
  for (const int32_t mode : {-1, 2, 3, 6, INT32_MIN})
    FftBuiltin(memory, kPageStart, 16, mode);
  EXPECT_TRUE(std::equal(input.begin(), input.begin() + 65536, cells));
  EXPECT_EQ(memory.Pages.size(), 1u);
}

// A block must fit in the page of its first cell: the largest size only fits from the
// page's first cell, and a block that would cross into the next page is left alone.
TEST(FftBuiltin, BlocksThatWouldLeaveTheirPageAreLeftAlone) {
  CVebriskMemory memory;
  const std::vector<double> input = RandomCells(65536, 9);
  double* cells = Load(memory, input);
  FftBuiltin(memory, kPageStart + 1, 32768, 0);
  FftBuiltin(memory, kPageStart + 65536 - 30, 16, 0);
  FftBuiltin(memory, kPageStart + 65535, 16, 4);
  EXPECT_TRUE(std::equal(input.begin(), input.end(), cells));
  EXPECT_EQ(memory.Pages.size(), 1u);

  FftBuiltin(memory, kPageStart + 65536 - 32, 16, 4);
  EXPECT_FALSE(std::equal(input.end() - 32, input.end(), cells + 65536 - 32));
  FftBuiltin(memory, kPageStart, 32768, 0);
  EXPECT_NE(cells[0], input[0]);
}

TEST(FftBuiltin, NegativeAddressesUseTheirOwnPage) {
  CVebriskMemory memory;
  double* cells = memory.Block(-32);
  cells[2] = 1;
  FftBuiltin(memory, -32, 16, 0);
  EXPECT_EQ(memory.Pages.size(), 1u);
  EXPECT_EQ(memory.Pages.begin()->first, -1);
  for (int j = 0; j < 16; ++j)
    EXPECT_NEAR(std::hypot(cells[2 * j], cells[2 * j + 1]), 1.0, 1e-15) << "position " << j;
}
