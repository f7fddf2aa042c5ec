#include "tools/slewmeter/input_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

std::unique_ptr<InputBytes> InputBytes::open(const std::string& path, std::string& error) {
  const int descriptor = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    error = std::string("cannot be opened: ") + std::strerror(errno);
    return nullptr;
  }
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
    error = S_ISDIR(status.st_mode) ? "is a folder, not an audio file"
                                    : std::string("cannot be read: ") + std::strerror(errno);
    if (descriptor != STDIN_FILENO) close(descriptor);
    return nullptr;
  }
  const bool file = S_ISREG(status.st_mode) && lseek(descriptor, 0, SEEK_CUR) == 0;
  return std::unique_ptr<InputBytes>(new InputBytes(descriptor, file ? status.st_size : -1));
}

InputBytes::~InputBytes() {
  if (descriptor != STDIN_FILENO) close(descriptor);
}

size_t InputBytes::readDescriptor(uint8_t* to, size_t count) {
  size_t got = 0;
  while (got < count) {
    const ssize_t n = ::read(descriptor, to + got, count - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failed = std::strerror(errno);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  descriptorAt += got;
  endReached = endReached || got < count;
  if (keeping && !seekable()) keeping = kept.size() + got <= kMostKept;
  if (keeping && !seekable()) kept.insert(kept.end(), to, to + got);
  return got;
}

size_t InputBytes::read(void* to, size_t count) {
  if (at > descriptorAt) {  // a pipe's seek forward
    const uint64_t target = at;
    at = descriptorAt;
    if (!skip(target - at)) return 0;
  }
  auto* out = static_cast<uint8_t*>(to);
  size_t got = 0;
  if (at < descriptorAt) {  // replaying a pipe's kept bytes
    got = std::min<size_t>(count, descriptorAt - at);
    std::memcpy(out, kept.data() + at, got);
  }
  got += readDescriptor(out + got, count - got);
  at += got;
  if (!keeping && at >= descriptorAt && !kept.empty()) keepNoMore(true);  // replayed
  return got;
}

bool InputBytes::skip(uint64_t count) {
  if (seekable() && at == descriptorAt) {
    // No further than the end, however large the count: a chunk size of all
    // ones must not wrap round to a step back.
    const auto end = static_cast<uint64_t>(fileSize);
    const uint64_t step = std::min(count, end - std::min(at, end));
    if (lseek(descriptor, static_cast<off_t>(at + step), SEEK_SET) < 0) return false;
    at = descriptorAt = at + step;
    return step == count;
  }
  uint8_t scratch[65536];
  while (count > 0) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(count, sizeof scratch));
    if (read(scratch, want) != want) return false;
    count -= want;
  }
  return true;
}

int64_t InputBytes::knownLength() const {
  if (seekable()) return fileSize;
  return endReached && kept.size() == descriptorAt ? static_cast<int64_t>(descriptorAt) : -1;
}

void InputBytes::keepAhead() {
  const uint64_t from = at;
  uint8_t scratch[65536];
  while (!seekable() && keeping && !endReached && kept.size() < kMostKept)
    read(scratch, std::min(sizeof scratch, kMostKept - kept.size()));
  seek(from);
}

bool InputBytes::seek(uint64_t to) {
  if (seekable()) {
    if (lseek(descriptor, static_cast<off_t>(to), SEEK_SET) < 0) return false;
    at = descriptorAt = to;
    return true;
  }
  if (kept.size() != descriptorAt && to < descriptorAt) return false;
  at = to;
  return true;
}

bool InputBytes::reaches(uint64_t end) {
  if (seekable()) return static_cast<uint64_t>(fileSize) >= end;
  if (descriptorAt >= end) return true;
  at = descriptorAt;
  return skip(end - at);
}
