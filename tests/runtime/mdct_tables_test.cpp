#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory_resource>
#include <new>
#include <vector>

#include "runtime/mdct.h"
#include "tests/runtime/mdct_reference.h"
#include "tests/runtime/random_cells.h"

namespace {

// Counts what the cache asks of it; refuses every request after the first `granted` ones.
class CountingMemory : public std::pmr::memory_resource {
 public:
  explicit CountingMemory(size_t granted = SIZE_MAX) : Granted(granted) {}

  size_t Requests = 0;
  size_t Outstanding = 0;

 private:
  void* do_allocate(size_t bytes, size_t alignment) override {
    if (++Requests > Granted) throw std::bad_alloc();
    ++Outstanding;
    return std::pmr::new_delete_resource()->allocate(bytes, alignment);
  }
  void do_deallocate(void* pointer, size_t bytes, size_t alignment) override {
    --Outstanding;
    std::pmr::new_delete_resource()->deallocate(pointer, bytes, alignment);
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  size_t Granted;
};

constexpr int kSmallest = kMdctMinLog2Size;

std::vector<double> Transformed(std::vector<double> cells, int log2Size, bool inverse,
                                MdctTableCache& cache) {
  if (inverse) {
    MdctInverse(cells.data(), log2Size, cache);
  } else {
    MdctForward(cells.data(), log2Size, cache);
  }
  return cells;
}

void ExpectDirectSums(const std::vector<double>& input, const std::vector<double>& output,
                      bool inverse) {
  const std::vector<long double> expected =
      inverse ? ReferenceInverseMdct(input) : ReferenceMdct(input);
  const double tolerance = 1e-14 * EuclideanNorm(input);
  for (size_t i = 0; i < expected.size(); ++i)
    ASSERT_NEAR(output[i], expected[i], tolerance) << (inverse ? "value " : "coefficient ") << i;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

}  // namespace

// 32 values are computed by the defining sums: no tables, and the very numbers that a cache
// without memory gives.
TEST(MdctTables, ThirtyTwoValuesUseTheDirectSumsAndNoTables) {
  CountingMemory memory;
  MdctTableCache cache(&memory);
  MdctTableCache empty(std::pmr::null_memory_resource());
  const std::vector<double> input = RandomCells(32, 11);
  for (const bool inverse : {false, true}) {
    const std::vector<double> output = Transformed(input, kSmallest, inverse, cache);
    ExpectDirectSums(input, output, inverse);
    EXPECT_TRUE(SameBits(output, Transformed(input, kSmallest, inverse, empty)));
    EXPECT_TRUE(SameBits(output, Transformed(input, kSmallest, inverse, SharedMdctTables())));
  }
  EXPECT_EQ(memory.Requests, 0u);
}

// A size whose tables cannot be allocated still transforms, by the direct sums, and does not
// ask for memory again on every later call.
TEST(MdctTables, ASizeWithoutTablesUsesTheDirectSums) {
  for (const int log2Size : {6, 9}) {
    CountingMemory memory(0);
    MdctTableCache cache(&memory);
    const std::vector<double> input = RandomCells(size_t{1} << log2Size, log2Size);
    for (const bool inverse : {false, true}) {
      SCOPED_TRACE(testing::Message() << "size " << input.size() << (inverse ? " inverse" : ""));
      ExpectDirectSums(input, Transformed(input, log2Size, inverse, cache), inverse);
    }
    EXPECT_EQ(memory.Requests, 1u);
  }
}

// A failure part way through (the window granted, the rotations refused) leaks nothing.
TEST(MdctTables, APartialAllocationIsGivenBack) {
  CountingMemory memory(2);
  {
    MdctTableCache cache(&memory);
    const std::vector<double> input = RandomCells(128, 3);
    ExpectDirectSums(input, Transformed(input, 7, false, cache), false);
  }
  EXPECT_EQ(memory.Requests, 3u);
  EXPECT_EQ(memory.Outstanding, 0u);
}

TEST(MdctTables, EachSizeIsAllocatedOnceAndFreedWithTheCache) {
  CountingMemory memory;
  {
    MdctTableCache cache(&memory);
    const std::vector<double> input = RandomCells(256, 4);
    for (int round = 0; round < 3; ++round)
      Transformed(input, 8, round % 2 == 1, cache);
    EXPECT_EQ(memory.Requests, 3u);  // the tables, their window and their rotations
    EXPECT_NE(memory.Outstanding, 0u);
  }
  EXPECT_EQ(memory.Outstanding, 0u);
}
