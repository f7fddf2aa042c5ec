// Sparse script memory: 65536-double pages created on first touch.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

class CVebriskMemory {
 public:
  static constexpr int32_t kPageSize = 65536;

  // The cell at ToIndex(base + offset); creates its page when missing.
  double& Cell(double base, double offset);
  double& CellAt(int32_t address);

  // First cell of a block starting at address; the rest of its page follows it.
  double* Block(int32_t address);
  // Cells from address to the end of its page.
  static int32_t CellsLeftInPage(int32_t address) { return kPageSize - (address & 0xFFFF); }

  // Multiplies `count` complex values at dest by those at src, in place.
  void ComplexMultiply(int32_t dest, int32_t src, int32_t count);

  void ClearMemory() { Pages.clear(); }

  std::map<int32_t, std::vector<double>> Pages;
};
