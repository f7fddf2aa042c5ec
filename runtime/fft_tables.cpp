#include "runtime/fft_tables.h"

#include <numbers>

namespace {

using Order = std::vector<uint32_t>;

// The recursion P(a, b) for all a < b, from its values at sizes b/2 and b/4.
Order SplitRadixOrder(const Order& half, const Order& quarter, uint32_t b) {
  Order order(b);
  for (uint32_t a = 0; a < b / 2; ++a)
    order[a] = 2 * half[a];
  for (uint32_t a = 0; a < b / 4; ++a) {
    order[b / 2 + a] = 4 * quarter[a] + 1;
    order[3 * b / 4 + a] = (b - 1) & (4 * quarter[a] - 1);
  }
  return order;
}

// Index i of the internal order holds natural bin (-P(i, b)) mod b.
std::vector<uint32_t> PositionsFromOrder(const Order& order) {
  const auto b = static_cast<uint32_t>(order.size());
  std::vector<uint32_t> positions(b);
  for (uint32_t i = 0; i < b; ++i)
    positions[(b - order[i]) & (b - 1)] = i;
  return positions;
}

std::vector<uint32_t> LeadersOfCycles(const std::vector<uint32_t>& permutation) {
  std::vector<uint32_t> leaders;
  std::vector<uint8_t> seen(permutation.size());  // bytes: a bit vector is slower here
  for (uint32_t start = 0; start < permutation.size(); ++start) {
    if (seen[start] || permutation[start] == start) continue;
    leaders.push_back(start);
    for (uint32_t j = start; !seen[j]; j = permutation[j])
      seen[j] = 1;
  }
  return leaders;
}

// The angle 2πm/L is computed exactly as 2π(m·s)/(L·s) for any power of two s, so the
// twiddles of a smaller pass are every s-th of the largest pass's, bit for bit: only the
// largest table pays for the cosines and sines.
std::vector<Twiddle> LargestPassTwiddles() {
  constexpr uint32_t kSize = uint32_t{1} << FftTables::kMaxLog2Size;
  std::vector<Twiddle> twiddles(kSize / 4);
  for (uint32_t m = 0; m < kSize / 4; ++m)
    twiddles[m] = MakeTwiddle(2 * std::numbers::pi * m / kSize);
  return twiddles;
}

std::vector<Twiddle> EveryNth(const std::vector<Twiddle>& twiddles, size_t stride) {
  std::vector<Twiddle> picked(twiddles.size() / stride);
  for (size_t m = 0; m < picked.size(); ++m)
    picked[m] = twiddles[m * stride];
  return picked;
}

}  // namespace

FftTables::FftTables() {
  // Sizes 1 and 2 keep natural order; each larger order builds on the two before it.
  const std::vector<Twiddle> largest = LargestPassTwiddles();
  Order half{0}, order{0, 1};
  for (int d = 1; d <= kMaxLog2Size; ++d) {
    const uint32_t size = uint32_t{1} << d;
    if (d >= 2) {
      Order next = SplitRadixOrder(order, half, size);
      half = std::move(order);
      order = std::move(next);
    }
    PositionsBySize[d] = PositionsFromOrder(order);
    LeadersBySize[d] = LeadersOfCycles(PositionsBySize[d]);
    if (d >= 3) TwiddlesBySize[d] = EveryNth(largest, size_t{1} << (kMaxLog2Size - d));
  }
}

const FftTables& SharedFftTables() {
  static const FftTables tables;
  return tables;
}
