// MDCT with the sine window, in place on N = 2^log2Size cells (N = 32 ... 4096).
#pragma once

#include <array>
#include <atomic>
#include <memory_resource>
#include <mutex>

constexpr int kMdctMinLog2Size = 5;
constexpr int kMdctMaxLog2Size = 12;

struct MdctTables;

// The tables of the fast algorithm, made from `memory` on the first use of each size above 32
// and kept as long as the cache. N = 32, and a size whose tables could not be allocated, use
// the direct sums (the allocation is not tried again).
class MdctTableCache {
 public:
  explicit MdctTableCache(std::pmr::memory_resource* memory = std::pmr::new_delete_resource());
  ~MdctTableCache();
  MdctTableCache(const MdctTableCache&) = delete;
  MdctTableCache& operator=(const MdctTableCache&) = delete;

  // Null when the size uses the direct sums.
  const MdctTables* Tables(int log2Size);

 private:
  std::pmr::memory_resource* Memory;
  std::array<std::atomic<MdctTables*>, kMdctMaxLog2Size + 1> Slots{};
  // Two first callers of one size would otherwise both build its tables and one set would leak.
  std::mutex Creating;
};

// The module's cache, shared by every instance.
MdctTableCache& SharedMdctTables();

// Replaces the first N/2 cells with X[k] = sum over n < N of y[n]·cos(π/(2N)·(2n+1+N/2)·(2k+1)),
// y being the windowed cells; the other N/2 cells keep their values.
void MdctForward(double* cells, int log2Size, MdctTableCache& cache = SharedMdctTables());
// Replaces the N cells with the window times y[n] = 4/N · sum over k < N/2 of
// X[k]·cos(π/(2N)·(2n+1+N/2)·(2k+1)), X being the first N/2 cells.
void MdctInverse(double* cells, int log2Size, MdctTableCache& cache = SharedMdctTables());
