#include "runtime/transform_builtins.h"

#include <bit>

#include "runtime/fft.h"
#include "runtime/fft_tables.h"
#include "runtime/mdct.h"

namespace {

constexpr int kFftMinLog2Size = 4;

// floor(log2 size), or -1 below 2.
int Log2Floor(int32_t size) {
  return size < 2 ? -1 : std::bit_width(static_cast<uint32_t>(size)) - 1;
}

double* BlockInOnePage(CVebriskMemory& memory, int32_t address, int64_t cells) {
  return cells <= CVebriskMemory::CellsLeftInPage(address) ? memory.Block(address) : nullptr;
}

}  // namespace

void FftBuiltin(CVebriskMemory& memory, int32_t address, int32_t size, int32_t mode) {
  const int log2Size = Log2Floor(size);
  if (log2Size < kFftMinLog2Size || log2Size > FftTables::kMaxLog2Size) return;
  void (*step)(double*, int) = nullptr;
  switch (static_cast<uint32_t>(mode)) {
    case 0:
      step = FftForward;
      break;
    case 1:
      step = FftInverse;
      break;
    case 4:
      step = FftToNaturalOrder;
      break;
    case 5:
      step = FftToInternalOrder;
      break;
    default:
      return;
  }
  if (double* cells = BlockInOnePage(memory, address, int64_t{2} << log2Size))
    step(cells, log2Size);
}

void MdctBuiltin(CVebriskMemory& memory, int32_t address, int32_t size, int32_t direction) {
  const int log2Size = Log2Floor(size);
  if (log2Size < kMdctMinLog2Size || log2Size > kMdctMaxLog2Size) return;
  double* cells = BlockInOnePage(memory, address, int64_t{1} << log2Size);
  if (cells == nullptr) return;
  if (direction == 0) {
    MdctForward(cells, log2Size);
  } else {
    MdctInverse(cells, log2Size);
  }
}
