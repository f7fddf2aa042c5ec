#include "runtime/memory.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Address of a cell, found by where Cell() lands.
int32_t AddressOf(CVebriskMemory& memory, double base, double offset) {
  double* cell = &memory.Cell(base, offset);
  for (const auto& [page, cells] : memory.Pages) {
    if (cell >= cells.data() && cell < cells.data() + cells.size()) {
      return static_cast<int32_t>(page * 65536 + (cell - cells.data()));
    }
  }
  ADD_FAILURE() << "cell not in any page";
  return 0;
}

}  // namespace

TEST(ScriptMemory, AddressesRoundByTheIndexRuleAfterAddingBaseAndOffset) {
  CVebriskMemory memory;
  EXPECT_EQ(AddressOf(memory, 0.99995, 0), 1);
  EXPECT_EQ(AddressOf(memory, 0.9998, 0), 0);
  EXPECT_EQ(AddressOf(memory, -0.5, 0), 0);
  EXPECT_EQ(AddressOf(memory, -0.99995, 0), -1);
  EXPECT_EQ(AddressOf(memory, 0.5, 0.49995), 1);
}

TEST(ScriptMemory, PagesAreNumberedByArithmeticShift) {
  CVebriskMemory memory;
  EXPECT_EQ(&memory.Cell(65535, 1), &memory.Cell(65536, 0));
  EXPECT_EQ(memory.Pages.count(1), 1u);

  memory.Cell(-1, 0) = 7;
  ASSERT_EQ(memory.Pages.count(-1), 1u);
  EXPECT_EQ(memory.Pages.at(-1)[65535], 7);
}

TEST(ScriptMemory, ReadingAFreshCellCreatesAZeroPage) {
  CVebriskMemory memory;
  EXPECT_EQ(memory.Cell(1000000, 0), 0);
  ASSERT_EQ(memory.Pages.size(), 1u);
  EXPECT_EQ(memory.Pages.begin()->first, 15);
  EXPECT_EQ(memory.Pages.begin()->second.size(), 65536u);
}

TEST(ScriptMemory, NaNAndHugeAddressesShareTheLowestCell) {
  CVebriskMemory memory;
  memory.Cell(1e12, 0) = 3;
  EXPECT_EQ(memory.Cell(std::numeric_limits<double>::quiet_NaN(), 0), 3);
  EXPECT_EQ(memory.Cell(-2147483648.0, 0), 3);
  EXPECT_EQ(memory.Pages.begin()->first, -32768);
}

TEST(ScriptMemory, ClearingForgetsEveryCell) {
  CVebriskMemory memory;
  memory.Cell(5, 0) = 1;
  memory.Cell(200000, 0) = 2;
  memory.ClearMemory();
  EXPECT_TRUE(memory.Pages.empty());
  EXPECT_EQ(memory.Cell(5, 0), 0);
  EXPECT_EQ(memory.Cell(200000, 0), 0);
}

TEST(ScriptMemory, ComplexMultiplyDropsTheOddCountAndMultipliesInPlace) {
  CVebriskMemory memory;
  // (1 + 2i)(3 + 4i) = -5 + 10i, (2 - i)(i) = 1 + 2i, third pair untouched.
  const double dest[] = {1, 2, 2, -1, 5, 5};
  const double src[] = {3, 4, 0, 1, 2, 2};
  for (int i = 0; i < 6; ++i) {
    memory.CellAt(100 + i) = dest[i];
    memory.CellAt(200 + i) = src[i];
  }
  memory.ComplexMultiply(100, 200, 3);
  EXPECT_EQ(memory.CellAt(100), -5);
  EXPECT_EQ(memory.CellAt(101), 10);
  EXPECT_EQ(memory.CellAt(102), 1);
  EXPECT_EQ(memory.CellAt(103), 2);
  EXPECT_EQ(memory.CellAt(104), 5);
  EXPECT_EQ(memory.CellAt(105), 5);

  memory.ComplexMultiply(100, 200, 1);
  EXPECT_EQ(memory.CellAt(100), -5);
}

TEST(ScriptMemory, ComplexMultiplyPastThePageEndTouchesNothing) {
  CVebriskMemory memory;
  memory.CellAt(65532) = 2;
  memory.CellAt(0) = 3;
  memory.ComplexMultiply(65532, 0, 4);  // 8 cells from 65532 would leave the page
  EXPECT_EQ(memory.CellAt(65532), 2);
  EXPECT_EQ(memory.Pages.count(1), 0u);
}
