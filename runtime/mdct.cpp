#include "runtime/mdct.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <memory_resource>
#include <mutex>
#include <new>
#include <numbers>
#include <vector>

#include "runtime/complex_lane.h"
#include "runtime/fft.h"
#include "runtime/fft_tables.h"

// Above N = 32 the MDCT of N cells is a DCT-IV of N/2 folded values, and that DCT-IV is an
// N/4-point complex FFT between two rotations by e^(-iπ(j + 1/8)/(N/2)). N = 32, and a size
// whose tables could not be allocated, evaluate the defining sums directly.
namespace {

constexpr double kPi = std::numbers::pi;
constexpr size_t kLargestSize = size_t{1} << kMdctMaxLog2Size;

// sin((i + 1/2)·π/N) for i < N/2; the window is symmetric.
double Window(size_t i, size_t size) {
  return std::sin((static_cast<double>(i) + 0.5) * kPi / static_cast<double>(size));
}

}  // namespace

struct MdctTables {
  MdctTables() = default;
  MdctTables(int log2Size, std::pmr::memory_resource* memory);

  int log2Size = 0;
  size_t size = 0;
  std::pmr::vector<double> window;     // Window(i) for i < N/2
  std::pmr::vector<Twiddle> rotation;  // by π(j + 1/8)/(N/2) for j < N/4
};

MdctTables::MdctTables(int log2Size, std::pmr::memory_resource* memory)
    : log2Size(log2Size),
      size(size_t{1} << log2Size),
      window(size / 2, memory),
      rotation(size / 4, memory) {
  for (size_t i = 0; i < window.size(); ++i)
    window[i] = Window(i, size);
  for (size_t j = 0; j < rotation.size(); ++j)
    rotation[j] = MakeTwiddle((j + 0.125) * kPi / (size / 2));
}

namespace {

// Marks a slot whose allocation failed; never read as tables.
MdctTables directSumsMarker;

MdctTables* MakeTables(int log2Size, std::pmr::memory_resource* memory) {
  try {
    return std::pmr::polymorphic_allocator<>(memory).new_object<MdctTables>(log2Size, memory);
  } catch (const std::bad_alloc&) {
    return &directSumsMarker;
  }
}

// V[k] = sum over n < M of u(n)·cos(π/M·(n + 1/2)·(k + 1/2)) for M = N/2, handed to
// emit(k, V[k]). `u` is read completely before the first emit, so both may use the cells.
template <class Input, class Emit>
void DctIv(const MdctTables& context, Input u, Emit emit) {
  const size_t points = context.size / 4;
  const size_t half = context.size / 2;
  const Twiddle* rotation = context.rotation.data();
  std::array<double, kLargestSize / 2> work;  // N/4 complex values
  for (size_t p = 0; p < points; ++p)
    StoreComplex(&work[2 * p], RotateBack(ComplexLane{u(2 * p), u(half - 1 - 2 * p)}, rotation[p]));
  const int log2Points = context.log2Size - 2;
  FftForward(work.data(), log2Points);
  const std::vector<uint32_t>& positions = SharedFftTables().InternalPositions(log2Points);
  for (size_t k = 0; k < points; ++k) {
    const ComplexLane bin = RotateBack(LoadComplex(&work[2 * size_t{positions[k]}]), rotation[k]);
    emit(2 * k, bin[0]);
    emit(half - 1 - 2 * k, -bin[1]);
  }
}

// The kernel cos(π/(2N)·(2n + 1 + N/2)·(2k + 1)) of the direct sums. Its argument matters only
// modulo 2π, in whole steps of π/(2N), so a quarter period of cosines gives every value.
class DirectKernel {
 public:
  explicit DirectKernel(size_t size) : Size(size) {
    for (size_t t = 0; t <= size; ++t)
      QuarterPeriod[t] = std::cos(kPi * static_cast<double>(t) / static_cast<double>(2 * size));
  }

  double operator()(size_t n, size_t k) const {
    const size_t t = (2 * n + 1 + Size / 2) * (2 * k + 1) % (4 * Size);
    if (t <= Size) return QuarterPeriod[t];
    if (t <= 2 * Size) return -QuarterPeriod[2 * Size - t];
    if (t <= 3 * Size) return -QuarterPeriod[t - 2 * Size];
    return QuarterPeriod[4 * Size - t];
  }

 private:
  size_t Size;
  std::array<double, kLargestSize + 1> QuarterPeriod;
};

double WindowAt(size_t n, size_t size) {
  return Window(n < size / 2 ? n : size - 1 - n, size);
}

void DirectForward(double* cells, size_t size) {
  const DirectKernel kernel(size);
  std::array<double, kLargestSize> windowed;
  for (size_t n = 0; n < size; ++n)
    windowed[n] = cells[n] * WindowAt(n, size);
  for (size_t k = 0; k < size / 2; ++k) {
    double sum = 0.0;
    for (size_t n = 0; n < size; ++n)
      sum += windowed[n] * kernel(n, k);
    cells[k] = sum;
  }
}

void DirectInverse(double* cells, size_t size) {
  const DirectKernel kernel(size);
  std::array<double, kLargestSize / 2> coefficients;
  std::copy_n(cells, size / 2, coefficients.begin());
  const double scale = 4.0 / static_cast<double>(size);
  for (size_t n = 0; n < size; ++n) {
    double sum = 0.0;
    for (size_t k = 0; k < size / 2; ++k)
      sum += coefficients[k] * kernel(n, k);
    cells[n] = scale * sum * WindowAt(n, size);
  }
}

// With the windowed cells y in quarters (a, b, c, d), the DCT-IV input is (-c_r - d, a - b_r);
// the window is symmetric, so y[N - 1 - i] = cells[N - 1 - i]·window[i].
void FastForward(double* cells, const MdctTables& tables) {
  const size_t quarter = tables.size / 4;
  const double* w = tables.window.data();
  const auto folded = [cells, w, quarter](size_t n) {
    if (n < quarter) {
      return -cells[3 * quarter - 1 - n] * w[quarter + n] -
             cells[3 * quarter + n] * w[quarter - 1 - n];
    }
    const size_t j = n - quarter;
    return cells[j] * w[j] - cells[2 * quarter - 1 - j] * w[2 * quarter - 1 - j];
  };
  DctIv(tables, folded, [cells](size_t k, double value) { cells[k] = value; });
}

// The inverse unfolds the DCT-IV of the coefficients: V[m] lands at 3N/4 - 1 - m negated, and at
// m - N/4 (m >= N/4) or, negated, at m + 3N/4 (m < N/4).
void FastInverse(double* cells, const MdctTables& tables) {
  const size_t size = tables.size, quarter = size / 4;
  const double scale = 4.0 / static_cast<double>(size);
  const double* w = tables.window.data();
  const auto put = [cells, w, size](size_t n, double value) {
    cells[n] = value * (n < size / 2 ? w[n] : w[size - 1 - n]);
  };
  const auto unfold = [&put, scale, quarter](size_t m, double value) {
    const double scaled = scale * value;
    put(3 * quarter - 1 - m, -scaled);
    if (m >= quarter) {
      put(m - quarter, scaled);
    } else {
      put(m + 3 * quarter, -scaled);
    }
  };
  const auto coefficient = [cells](size_t k) { return cells[k]; };
  DctIv(tables, coefficient, unfold);
}

}  // namespace

MdctTableCache::MdctTableCache(std::pmr::memory_resource* memory) : Memory(memory) {}

MdctTableCache::~MdctTableCache() {
  std::pmr::polymorphic_allocator<> allocator(Memory);
  for (std::atomic<MdctTables*>& slot : Slots) {
    MdctTables* tables = slot.load(std::memory_order_relaxed);
    if (tables != nullptr && tables != &directSumsMarker) allocator.delete_object(tables);
  }
}

const MdctTables* MdctTableCache::Tables(int log2Size) {
  if (log2Size <= kMdctMinLog2Size) return nullptr;
  std::atomic<MdctTables*>& slot = Slots[log2Size];
  MdctTables* tables = slot.load(std::memory_order_acquire);
  if (tables == nullptr) {
    std::lock_guard lock(Creating);
    tables = slot.load(std::memory_order_relaxed);
    if (tables == nullptr) {
      tables = MakeTables(log2Size, Memory);
      slot.store(tables, std::memory_order_release);
    }
  }
  return tables == &directSumsMarker ? nullptr : tables;
}

MdctTableCache& SharedMdctTables() {
  static MdctTableCache cache;
  return cache;
}

void MdctForward(double* cells, int log2Size, MdctTableCache& cache) {
  if (const MdctTables* tables = cache.Tables(log2Size)) {
    FastForward(cells, *tables);
  } else {
    DirectForward(cells, size_t{1} << log2Size);
  }
}

void MdctInverse(double* cells, int log2Size, MdctTableCache& cache) {
  if (const MdctTables* tables = cache.Tables(log2Size)) {
    FastInverse(cells, *tables);
  } else {
    DirectInverse(cells, size_t{1} << log2Size);
  }
}
