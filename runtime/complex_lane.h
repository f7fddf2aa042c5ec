// One complex double held as a {re, im} SIMD pair, so that each add, subtract and
// multiply in the FFT and MDCT butterflies acts on both parts in one instruction.
#pragma once

#include <cmath>
#include <cstdint>

using ComplexLane = double __attribute__((vector_size(16)));

inline ComplexLane Conjugate(ComplexLane z) {
  using Bits = int64_t __attribute__((vector_size(16)));
  return reinterpret_cast<ComplexLane>(reinterpret_cast<Bits>(z) ^ Bits{0, INT64_MIN});
}

// e^(i·angle), kept as one {c, s} pair: the tables of the larger transforms then stay
// in the first-level cache beside their data. The butterflies multiply by the forms
// {c, c}, {s, s}, {c, -c} and {s, -s}, which a shuffle and a sign flip give back.
struct Twiddle {
  ComplexLane cs;
  ComplexLane cosine() const { return __builtin_shufflevector(cs, cs, 0, 0); }
  ComplexLane sine() const { return __builtin_shufflevector(cs, cs, 1, 1); }
  ComplexLane cosineFlipped() const { return Conjugate(cosine()); }
  ComplexLane sineFlipped() const { return Conjugate(sine()); }
};

inline Twiddle MakeTwiddle(double angle) {
  return {ComplexLane{std::cos(angle), std::sin(angle)}};
}

// Cells are only 8-byte aligned, and a lane may alias them. The attributes go on the
// vector type itself: written beside vector_size, clang gives them to the element
// and the pair keeps its 16-byte alignment.
typedef ComplexLane CellPair __attribute__((aligned(8), may_alias));
static_assert(alignof(CellPair) == alignof(double));

inline ComplexLane LoadComplex(const double* cells) {
  return *reinterpret_cast<const CellPair*>(cells);
}

inline void StoreComplex(double* cells, ComplexLane z) {
  *reinterpret_cast<CellPair*>(cells) = z;
}

inline ComplexLane SwapParts(ComplexLane z) {
  return __builtin_shufflevector(z, z, 1, 0);
}

inline ComplexLane TimesI(ComplexLane z) {
  return SwapParts(Conjugate(z));
}

// z·e^(i·angle)
inline ComplexLane RotateBy(ComplexLane z, const Twiddle& t) {
  return z * t.cosine() - SwapParts(z) * t.sineFlipped();
}

// z·e^(-i·angle)
inline ComplexLane RotateBack(ComplexLane z, const Twiddle& t) {
  return z * t.cosine() + SwapParts(z) * t.sineFlipped();
}
