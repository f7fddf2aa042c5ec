#include "runtime/mdct.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <new>
#include <numbers>
#include <vector>

#include "runtime/complex_lane.h"
#include "runtime/fft.h"
#include "runtime/fft_tables.h"

// The MDCT of N cells is a DCT-IV of N/2 folded values, and that DCT-IV is an
// N/4-point complex FFT between two rotations by e^(-iπ(j + 1/8)/(N/2)).
namespace {

constexpr double kPi = std::numbers::pi;

struct MdctContext {
  explicit MdctContext(int log2Size);

  int log2Size;
  size_t size;
  std::vector<double> window;     // sin((i + 1/2)·π/N) for i < N/2
  std::vector<Twiddle> rotation;  // by π(j + 1/8)/(N/2) for j < N/4
};

MdctContext::MdctContext(int log2Size)
    : log2Size(log2Size), size(size_t{1} << log2Size), window(size / 2), rotation(size / 4) {
  for (size_t i = 0; i < window.size(); ++i)
    window[i] = std::sin((i + 0.5) * kPi / size);
  for (size_t j = 0; j < rotation.size(); ++j)
    rotation[j] = MakeTwiddle((j + 0.125) * kPi / (size / 2));
}

// Created on first use of a size and kept for the life of the module; null when the
// allocation fails, and a later call tries again.
const MdctContext* SharedContext(int log2Size) {
  static std::array<std::atomic<const MdctContext*>, kMdctMaxLog2Size + 1> contexts{};
  static std::mutex creating;
  std::atomic<const MdctContext*>& slot = contexts[log2Size];
  if (const MdctContext* context = slot.load(std::memory_order_acquire)) return context;
  std::lock_guard lock(creating);
  if (const MdctContext* context = slot.load(std::memory_order_relaxed)) return context;
  try {
    const MdctContext* context = new MdctContext(log2Size);
    slot.store(context, std::memory_order_release);
    return context;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// V[k] = sum over n < M of u(n)·cos(π/M·(n + 1/2)·(k + 1/2)) for M = N/2, handed to
// emit(k, V[k]). `u` is read completely before the first emit, so both may use the cells.
template <class Input, class Emit>
void DctIv(const MdctContext& context, Input u, Emit emit) {
  const size_t points = context.size / 4;
  const size_t half = context.size / 2;
  const Twiddle* rotation = context.rotation.data();
  std::array<double, (size_t{1} << kMdctMaxLog2Size) / 2> work;  // N/4 complex values
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

}  // namespace

// With the windowed cells y in quarters (a, b, c, d), the DCT-IV input is (-c_r - d, a - b_r);
// the window is symmetric, so y[N - 1 - i] = cells[N - 1 - i]·window[i].
void MdctForward(double* cells, int log2Size) {
  const MdctContext* context = SharedContext(log2Size);
  if (context == nullptr) return;
  const size_t quarter = context->size / 4;
  const double* w = context->window.data();
  const auto folded = [cells, w, quarter](size_t n) {
    if (n < quarter) {
      return -cells[3 * quarter - 1 - n] * w[quarter + n] -
             cells[3 * quarter + n] * w[quarter - 1 - n];
    }
    const size_t j = n - quarter;
    return cells[j] * w[j] - cells[2 * quarter - 1 - j] * w[2 * quarter - 1 - j];
  };
  DctIv(*context, folded, [cells](size_t k, double value) { cells[k] = value; });
}

// The inverse unfolds the DCT-IV of the coefficients: V[m] lands at 3N/4 - 1 - m negated, and at
// m - N/4 (m >= N/4) or, negated, at m + 3N/4 (m < N/4).
void MdctInverse(double* cells, int log2Size) {
  const MdctContext* context = SharedContext(log2Size);
  if (context == nullptr) return;
  const size_t size = context->size, quarter = size / 4;
  const double scale = 4.0 / static_cast<double>(size);
  const double* w = context->window.data();
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
  DctIv(*context, coefficient, unfold);
}
