// Whether an Ogg stream was read to its end: a stream cut short lacks its last
// page, the one that closes it, and its decoder cannot tell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class OggEnding {
 public:
  // Bytes read from `at` on; a read elsewhere starts the record over.
  void saw(uint64_t at, const uint8_t* bytes, size_t count);
  // The bytes last read end with a whole page marked as the stream's last.
  bool closed() const;

 private:
  std::vector<uint8_t> tail;  // the last bytes read, at least a page's largest size
  uint64_t tailEnd = 0;
};
