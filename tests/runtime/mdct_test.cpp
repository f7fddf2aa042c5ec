#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "runtime/transform_builtins.h"
#include "tests/runtime/mdct_reference.h"
#include "tests/runtime/random_cells.h"

namespace {

constexpr int32_t kPageStart = 5 * 65536;
constexpr int kFirstLog2Size = 5;
constexpr int kLastLog2Size = 12;
// Largest error allowed in any value, relative to the Euclidean norm of the input.
constexpr double kRelativeTolerance = 1e-14;

double* Load(CVebriskMemory& memory, const std::vector<double>& cells) {
  double* block = memory.Block(kPageStart);
  std::copy(cells.begin(), cells.end(), block);
  return block;
}

}  // namespace

TEST(MdctTransform, ForwardMatchesTheDirectSumsForEverySize) {
  CVebriskMemory memory;
  for (int d = kFirstLog2Size; d <= kLastLog2Size; ++d) {
    const size_t size = size_t{1} << d;
    const std::vector<double> input = RandomCells(size, d);
    const double tolerance = kRelativeTolerance * EuclideanNorm(input);
    const double* cells = Load(memory, input);
    MdctBuiltin(memory, kPageStart, static_cast<int32_t>(size), 0);
    const std::vector<long double> expected = ReferenceMdct(input);
    for (size_t k = 0; k < size / 2; ++k)
      ASSERT_NEAR(cells[k], expected[k], tolerance) << "size " << size << ", coefficient " << k;
    EXPECT_TRUE(std::equal(input.begin() + size / 2, input.end(), cells + size / 2));
  }
}

TEST(MdctTransform, InverseMatchesTheDirectSumsForEverySize) {
  CVebriskMemory memory;
  for (int d = kFirstLog2Size; d <= kLastLog2Size; ++d) {
    const size_t size = size_t{1} << d;
    const std::vector<double> input = RandomCells(size, 100 + d);
    const double tolerance = kRelativeTolerance * EuclideanNorm(input);
    const double* cells = Load(memory, input);
    MdctBuiltin(memory, kPageStart, static_cast<int32_t>(size), 1);
    const std::vector<long double> expected = ReferenceInverseMdct(input);
    for (size_t n = 0; n < size; ++n)
      ASSERT_NEAR(cells[n], expected[n], tolerance) << "size " << size << ", value " << n;
  }
}

// The sine window and the factor 4/N make overlapping halves add up to the signal.
TEST(MdctTransform, OverlappedFramesReconstructTheSignal) {
  constexpr int32_t kSize = 256;
  const std::vector<double> signal = RandomCells(3 * kSize / 2, 3);
  CVebriskMemory memory;
  double* first = memory.Block(kPageStart);
  double* second = first + kSize;
  std::copy_n(signal.begin(), kSize, first);
  std::copy_n(signal.begin() + kSize / 2, kSize, second);
  for (const int32_t direction : {0, 1}) {
    MdctBuiltin(memory, kPageStart, kSize, direction);
    MdctBuiltin(memory, kPageStart + kSize, kSize, direction);
  }
  for (int32_t i = 0; i < kSize / 2; ++i)
    EXPECT_NEAR(first[kSize / 2 + i] + second[i], signal[kSize / 2 + i], 1e-14) << "sample " << i;
}

TEST(MdctBuiltin, EveryNonZeroDirectionIsTheInverse) {
  const std::vector<double> input = RandomCells(64, 4);
  CVebriskMemory reference;
  const double* expected = Load(reference, input);
  MdctBuiltin(reference, kPageStart, 64, 1);
  for (const int32_t direction : {-1, 2, INT32_MIN}) {
    CVebriskMemory memory;
    const double* cells = Load(memory, input);
    MdctBuiltin(memory, kPageStart, 64, direction);
    EXPECT_TRUE(std::equal(cells, cells + 64, expected)) << "direction " << direction;
  }
}

TEST(MdctBuiltin, SizeRoundsDownToAPowerOfTwo) {
  const std::vector<double> input = RandomCells(128, 5);
  CVebriskMemory rounded, exact;
  const double* roundedCells = Load(rounded, input);
  const double* exactCells = Load(exact, input);
  MdctBuiltin(rounded, kPageStart, 100, 0);
  MdctBuiltin(exact, kPageStart, 64, 0);
  EXPECT_TRUE(std::equal(roundedCells, roundedCells + 128, exactCells));
}

TEST(MdctBuiltin, SizesOutside32To4096DoNothing) {
  const std::vector<double> input = RandomCells(16384, 6);
  CVebriskMemory memory;
  const double* cells = Load(memory, input);
  for (const int32_t size : {-64, 0, 1, 16, 31, 8192, INT32_MAX}) {
    for (const int32_t direction : {0, 1})
      MdctBuiltin(memory, kPageStart, size, direction);
  }
  EXPECT_TRUE(std::equal(input.begin(), input.end(), cells));
}

TEST(MdctBuiltin, BlocksThatWouldLeaveTheirPageAreLeftAlone) {
  const std::vector<double> input = RandomCells(4096, 7);
  CVebriskMemory memory;
  double* cells = memory.Block(kPageStart) + 65536 - 4096;
  std::copy(input.begin(), input.end(), cells);
  for (const int32_t direction : {0, 1}) {
    MdctBuiltin(memory, kPageStart + 65536 - 4095, 4096, direction);
    MdctBuiltin(memory, kPageStart + 65535, 32, direction);
  }
  EXPECT_TRUE(std::equal(input.begin(), input.end(), cells));
  EXPECT_EQ(memory.Pages.size(), 1u);

  MdctBuiltin(memory, kPageStart + 65536 - 4096, 4096, 1);
  EXPECT_FALSE(std::equal(input.begin(), input.end(), cells));
}
