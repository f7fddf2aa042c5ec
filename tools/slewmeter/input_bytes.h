// An input's bytes in order, from a file or a pipe. What was read while
// looking at the header is kept, so that a decoder that takes over can read
// the input from its start even from a pipe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class InputBytes {
 public:
  // "-" is standard input. Null with the reason in `error`.
  static std::unique_ptr<InputBytes> open(const std::string& path, std::string& error);
  ~InputBytes();
  InputBytes(const InputBytes&) = delete;
  InputBytes& operator=(const InputBytes&) = delete;

  // Up to `count` bytes; fewer only at the end or on an error (see failure()).
  size_t read(void* to, size_t count);
  // Reads and drops `count` bytes; false when the input ends first.
  bool skip(uint64_t count);
  uint64_t position() const { return at; }
  // A regular file's size; -1 for a pipe or a device.
  int64_t size() const { return fileSize; }
  bool seekable() const { return fileSize >= 0; }
  // The system's reason when a read failed, else empty.
  const std::string& failure() const { return failed; }
  // A read came back short: the input has no more bytes.
  bool ended() const { return endReached; }

  // A pipe's bytes are kept from its start until keepNoMore(), so that seek()
  // can go back among them.
  void keep() { keeping = true; }
  void keepNoMore(bool forget) {
    keeping = false;
    if (forget) std::vector<uint8_t>().swap(kept);
  }
  // In a file anywhere; in a pipe back among the kept bytes, or forward, which
  // is taken at the next read: a decoder that looks ahead and comes back
  // without reading loses nothing.
  bool seek(uint64_t to);
  // Whether the input holds `end` bytes; a pipe is read on (and dropped) as
  // far as that to tell.
  bool reaches(uint64_t end);
  // A pipe's length once it has ended (all of it kept), else -1; a file's size.
  int64_t knownLength() const;
  // Reads a pipe on, keeping what comes, until it ends or no more can be kept.
  void keepAhead();
  // Reading on to `end` leaves every byte before it to go back to.
  bool keepsUpTo(uint64_t end) const {
    return seekable() || (kept.size() == descriptorAt &&
                          (end <= descriptorAt || endReached || (keeping && end <= kMostKept)));
  }

  // A header larger than this is no header a decoder would go back into.
  static constexpr size_t kMostKept = 16 << 20;

 private:
  explicit InputBytes(int descriptor, int64_t fileSize)
      : descriptor(descriptor), fileSize(fileSize) {}
  size_t readDescriptor(uint8_t* to, size_t count);

  int descriptor;
  int64_t fileSize;
  uint64_t at = 0;            // bytes given so far
  uint64_t descriptorAt = 0;  // bytes taken from the descriptor so far
  std::vector<uint8_t> kept;  // a pipe's first bytes, as far as they were kept
  bool keeping = false;
  bool endReached = false;
  std::string failed;
};
