// Script memory and the FFT and MDCT built-ins with any address, size and mode:
// whatever the numbers, every call stays inside the page it was given. Each page
// is an allocation of its own, so a cell touched past its end is caught.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>

#include "runtime/memory.h"
#include "runtime/transform_builtins.h"

namespace {

constexpr int kMaxSteps = 32;

// Mostly near a page's end, where blocks stop fitting; sometimes anywhere.
int32_t AnyAddress(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeIntegral<int32_t>();
  const auto page = input.ConsumeIntegralInRange<int32_t>(-4, 4);
  return page * CVebriskMemory::kPageSize - input.ConsumeIntegralInRange<int32_t>(-8, 4200);
}

int32_t AnySize(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeIntegral<int32_t>();
  return int32_t{1} << input.ConsumeIntegralInRange(0, 16);
}

double AnyDouble(FuzzedDataProvider& input) {
  return std::bit_cast<double>(input.ConsumeIntegral<uint64_t>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  CVebriskMemory memory;
  for (int step = 0; step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
      case 0: {
        const double base = AnyDouble(input), offset = AnyDouble(input);
        memory.Cell(base, offset) = AnyDouble(input);
        break;
      }
      case 1: {
        // Every cell from the address to the page's end belongs to the block.
        const int32_t address = AnyAddress(input);
        double* block = memory.Block(address);
        block[CVebriskMemory::CellsLeftInPage(address) - 1] = AnyDouble(input);
        break;
      }
      case 2: {
        const int32_t dest = AnyAddress(input), src = AnyAddress(input);
        memory.ComplexMultiply(dest, src, AnySize(input));
        break;
      }
      case 3: {
        const int32_t address = AnyAddress(input), fftSize = AnySize(input);
        const int32_t mode = input.ConsumeBool() ? input.PickValueInArray({0, 1, 4, 5})
                                                 : input.ConsumeIntegral<int32_t>();
        FftBuiltin(memory, address, fftSize, mode);
        break;
      }
      case 4: {
        const int32_t address = AnyAddress(input), mdctSize = AnySize(input);
        MdctBuiltin(memory, address, mdctSize, input.ConsumeIntegral<int32_t>());
        break;
      }
      default: {
        // Fills a block with values, so that the transforms see more than zeros.
        const int32_t address = AnyAddress(input);
        double* block = memory.Block(address);
        const int32_t cells = std::min(CVebriskMemory::CellsLeftInPage(address), 64);
        for (int32_t i = 0; i < cells; ++i)
          block[i] = AnyDouble(input);
        break;
      }
    }
  }
  return 0;
}
