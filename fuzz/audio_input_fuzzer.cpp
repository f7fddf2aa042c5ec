// slewmeter's reader on any bytes, from a file and from a pipe: it reads them
// or refuses them with a reason, within bounds, its integer samples within
// full scale.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "tools/slewmeter/audio_stream.h"

namespace {

void ReadAll(int descriptor) {
  std::string error;
  auto reader = AudioReader::open("/proc/self/fd/" + std::to_string(descriptor), error);
  if (!reader) {
    Require(!error.empty(), "a refusal says why");
    return;
  }
  std::vector<double> left(4096), right(4096);
  int64_t frames = 0;
  for (size_t got; (got = reader->read(left.data(), right.data(), left.size())) > 0;) {
    frames += static_cast<int64_t>(got);
    for (size_t i = 0; i < got && !reader->format().encoding.isFloat; ++i)
      Require(left[i] >= -1 && left[i] < 1 && right[i] >= -1 && right[i] < 1, "within full scale");
  }
  Require(frames == reader->framesRead(), "every frame read is counted");
  reader->shortfall();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int file = memfd_create("audio", 0);
  if (file < 0 || write(file, data, size) != static_cast<ssize_t>(size)) return 0;
  ReadAll(file);
  close(file);
  int ends[2];
  if (pipe(ends) != 0) return 0;
  // Within a pipe's buffer, the whole input is written before it is read.
  if (size <= static_cast<size_t>(fcntl(ends[1], F_SETPIPE_SZ, 1 << 20)) &&
      write(ends[1], data, size) == static_cast<ssize_t>(size)) {
    close(ends[1]);
    ReadAll(ends[0]);
  } else {
    close(ends[1]);
  }
  close(ends[0]);
  return 0;
}
