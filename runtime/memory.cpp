#include "runtime/memory.h"

#include "runtime/value_rules.h"

double& CVebriskMemory::Cell(double base, double offset) {
  return CellAt(ToIndex(base + offset));
}

double& CVebriskMemory::CellAt(int32_t address) {
  return *Block(address);
}

double* CVebriskMemory::Block(int32_t address) {
  std::vector<double>& page = Pages[address >> 16];
  if (page.size() != static_cast<size_t>(kPageSize)) page.resize(kPageSize, 0.0);
  return page.data() + (address & 0xFFFF);
}

void CVebriskMemory::ComplexMultiply(int32_t dest, int32_t src, int32_t count) {
  count &= ~1;
  if (count < 2) return;
  // Blocks never span pages; one that would is left alone rather than overrun.
  const int64_t cells = 2 * static_cast<int64_t>(count);
  if (cells > CellsLeftInPage(dest) || cells > CellsLeftInPage(src)) return;
  double* d = Block(dest);
  const double* s = Block(src);
  for (int32_t j = 0; j < count; ++j) {
    const double re = d[2 * j], im = d[2 * j + 1];
    const double sre = s[2 * j], sim = s[2 * j + 1];
    d[2 * j] = re * sre - im * sim;
    d[2 * j + 1] = re * sim + sre * im;
  }
}
