#include "tools/slewmeter/ogg_ending.h"

#include <cstring>

namespace {

// A page: 27 bytes of header, up to 255 lacing values, up to 255 bytes each.
constexpr size_t kPageHeader = 27;
constexpr size_t kLargestPage = kPageHeader + 255 + 255 * 255;
constexpr uint8_t kLastPage = 4;

}  // namespace

void OggEnding::saw(uint64_t at, const uint8_t* bytes, size_t count) {
  if (at != tailEnd) tail.clear();
  tail.insert(tail.end(), bytes, bytes + count);
  tailEnd = at + count;
  if (tail.size() > 2 * kLargestPage) tail.erase(tail.begin(), tail.end() - kLargestPage);
}

bool OggEnding::closed() const {
  // The last page is the one that ends where the bytes do; a capture pattern
  // inside a packet seldom also makes a page of exactly that length.
  for (size_t at = tail.size() < kLargestPage ? 0 : tail.size() - kLargestPage;
       at + kPageHeader <= tail.size(); ++at) {
    if (std::memcmp(&tail[at], "OggS", 4) != 0 || tail[at + 4] != 0) continue;
    const size_t segments = tail[at + 26];
    if (at + kPageHeader + segments > tail.size()) continue;
    size_t end = at + kPageHeader + segments;
    for (size_t s = 0; s < segments; ++s)
      end += tail[at + kPageHeader + s];
    if (end == tail.size()) return (tail[at + 5] & kLastPage) != 0;
  }
  return false;
}
