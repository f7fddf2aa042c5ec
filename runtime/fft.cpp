#include "runtime/fft.h"

#include <cstddef>
#include <utility>

#include "runtime/fft_tables.h"

namespace {

// The twiddle of every pass's first butterfly is 1.
struct Unrotated {};

// A pass of size L works on four quarters of L/4 values each, `quarter` cells apart.
// Decimation in frequency: the first half gets the even bins' input, the third
// quarter the bins 4k-1 and the fourth quarter the bins 4k+1, which are E + iG and
// E - iG for the differences d0, d1 turned by the twiddle: E = c·d0 - s·d1, G = s·d0 + c·d1.
struct ForwardTurn {
  ComplexLane e;
  ComplexLane ig;
};

inline ForwardTurn TurnForward(ComplexLane d0, ComplexLane d1, Unrotated) {
  return {d0, TimesI(d1)};
}

inline ForwardTurn TurnForward(ComplexLane d0, ComplexLane d1, const Twiddle& w) {
  return {d0 * w.cosine() - d1 * w.sine(),
          SwapParts(d0 * w.sineFlipped() + d1 * w.cosineFlipped())};
}

// Decimation in time, the mirror image: from s = x2 + x3 and the swapped difference
// x2 - x3 come a sum and an i-turned difference, and the outputs x0 ± sum, x1 ± idifference.
struct InverseTurn {
  ComplexLane sum;
  ComplexLane idifference;
};

inline InverseTurn TurnInverse(ComplexLane s, ComplexLane swappedDifference, Unrotated) {
  return {s, Conjugate(swappedDifference)};
}

inline InverseTurn TurnInverse(ComplexLane s, ComplexLane swappedDifference, const Twiddle& w) {
  return {s * w.cosine() + swappedDifference * w.sineFlipped(),
          swappedDifference * w.cosineFlipped() - s * w.sine()};
}

enum class Direction { kForward, kInverse };

template <Direction D, class Rotation>
inline void Butterfly(ComplexLane& x0, ComplexLane& x1, ComplexLane& x2, ComplexLane& x3,
                      const Rotation& twiddle) {
  if constexpr (D == Direction::kForward) {
    const ForwardTurn turned = TurnForward(x0 - x2, x1 - x3, twiddle);
    x0 += x2;
    x1 += x3;
    x2 = turned.e + turned.ig;
    x3 = turned.e - turned.ig;
  } else {
    const InverseTurn turned = TurnInverse(x2 + x3, SwapParts(x2 - x3), twiddle);
    x2 = x0 - turned.sum;
    x0 += turned.sum;
    x3 = x1 - turned.idifference;
    x1 += turned.idifference;
  }
}

// The passes of the larger sizes run on the cells, `quarter` cells between the four
// values of a butterfly.
template <Direction D, class Rotation>
inline void ButterflyOnCells(double* x, size_t quarter, const Rotation& twiddle) {
  ComplexLane x0 = LoadComplex(x), x1 = LoadComplex(x + quarter);
  ComplexLane x2 = LoadComplex(x + 2 * quarter), x3 = LoadComplex(x + 3 * quarter);
  Butterfly<D>(x0, x1, x2, x3, twiddle);
  StoreComplex(x, x0);
  StoreComplex(x + quarter, x1);
  StoreComplex(x + 2 * quarter, x2);
  StoreComplex(x + 3 * quarter, x3);
}

template <Direction D>
void PassOnCells(double* x, size_t size, const Twiddle* twiddles) {
  const size_t quarter = size / 2;
  ButterflyOnCells<D>(x, quarter, Unrotated{});
  for (size_t m = 1; m < size / 4; ++m)
    ButterflyOnCells<D>(x + 2 * m, quarter, twiddles[m]);
}

// The smallest sizes run as straight-line kernels on values held in registers: every
// index below is a constant, so the compiler keeps the array `v` out of memory.
template <Direction D, size_t Size, size_t... M>
[[gnu::always_inline]] inline void PassInRegisters(ComplexLane* v, const Twiddle* twiddles,
                                                   std::index_sequence<M...>) {
  constexpr size_t kQuarter = Size / 4;
  Butterfly<D>(v[0], v[kQuarter], v[2 * kQuarter], v[3 * kQuarter], Unrotated{});
  (Butterfly<D>(v[M + 1], v[M + 1 + kQuarter], v[M + 1 + 2 * kQuarter], v[M + 1 + 3 * kQuarter],
                twiddles[M + 1]),
   ...);
}

template <Direction D, int Log2Size>
[[gnu::always_inline]] inline void TransformInRegisters(ComplexLane* v, const FftTables& tables) {
  constexpr size_t kSize = size_t{1} << Log2Size;
  if constexpr (Log2Size == 1) {
    const ComplexLane v0 = v[0];
    v[0] = v0 + v[1];
    v[1] = v0 - v[1];
  } else {
    const auto pass = [&] {
      PassInRegisters<D, kSize>(v, tables.Twiddles(Log2Size),
                                std::make_index_sequence<kSize / 4 - 1>{});
    };
    if constexpr (D == Direction::kForward) pass();
    TransformInRegisters<D, Log2Size - 1>(v, tables);
    if constexpr (Log2Size >= 3) {
      TransformInRegisters<D, Log2Size - 2>(v + kSize / 2, tables);
      TransformInRegisters<D, Log2Size - 2>(v + 3 * kSize / 4, tables);
    }
    if constexpr (D == Direction::kInverse) pass();
  }
}

template <Direction D, int Log2Size, size_t... I>
void Kernel(double* x, const FftTables& tables, std::index_sequence<I...>) {
  ComplexLane v[] = {LoadComplex(x + 2 * I)...};
  TransformInRegisters<D, Log2Size>(v, tables);
  (StoreComplex(x + 2 * I, v[I]), ...);
}

// Depth first, so that the small transforms run on data already in cache. A size-N
// transform is one of size N/2 on the first half and two of size N/4 on the last quarters,
// after its pass in the forward direction and before it in the inverse one.
template <Direction D>
void Transform(double* x, int log2Size, const FftTables& tables) {
  if (log2Size == 3) return Kernel<D, 3>(x, tables, std::make_index_sequence<8>{});
  if (log2Size == 4) return Kernel<D, 4>(x, tables, std::make_index_sequence<16>{});
  const size_t size = size_t{1} << log2Size;
  if constexpr (D == Direction::kForward) PassOnCells<D>(x, size, tables.Twiddles(log2Size));
  Transform<D>(x, log2Size - 1, tables);
  Transform<D>(x + size, log2Size - 2, tables);
  Transform<D>(x + 3 * size / 2, log2Size - 2, tables);
  if constexpr (D == Direction::kInverse) PassOnCells<D>(x, size, tables.Twiddles(log2Size));
}

}  // namespace

void FftForward(double* cells, int log2Size) {
  Transform<Direction::kForward>(cells, log2Size, SharedFftTables());
}

void FftInverse(double* cells, int log2Size) {
  Transform<Direction::kInverse>(cells, log2Size, SharedFftTables());
}

// Along each cycle, every value is replaced by the one at its natural bin's position.
void FftToNaturalOrder(double* cells, int log2Size) {
  const FftTables& tables = SharedFftTables();
  const std::vector<uint32_t>& positions = tables.InternalPositions(log2Size);
  for (const uint32_t leader : tables.CycleLeaders(log2Size)) {
    const ComplexLane first = LoadComplex(cells + 2 * size_t{leader});
    uint32_t j = leader;
    for (uint32_t k = positions[j]; k != leader; j = k, k = positions[k])
      StoreComplex(cells + 2 * size_t{j}, LoadComplex(cells + 2 * size_t{k}));
    StoreComplex(cells + 2 * size_t{j}, first);
  }
}

// The inverse walk: along each cycle, every value moves on to its internal position.
void FftToInternalOrder(double* cells, int log2Size) {
  const FftTables& tables = SharedFftTables();
  const std::vector<uint32_t>& positions = tables.InternalPositions(log2Size);
  for (const uint32_t leader : tables.CycleLeaders(log2Size)) {
    ComplexLane carried = LoadComplex(cells + 2 * size_t{leader});
    uint32_t j = leader;
    do {
      j = positions[j];
      const ComplexLane displaced = LoadComplex(cells + 2 * size_t{j});
      StoreComplex(cells + 2 * size_t{j}, carried);
      carried = displaced;
    } while (j != leader);
  }
}
