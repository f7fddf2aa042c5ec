// A decoder's side of AudioReader: an input's frames, interleaved, in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/slewmeter/input_bytes.h"

class SampleSource {
 public:
  virtual ~SampleSource() = default;
  // Up to `frames` frames; 0 at the end.
  virtual size_t read(double* interleaved, size_t frames) = 0;
  // After the end: empty when the input was whole, else what went wrong and
  // where, a phrase to follow the input's name.
  std::string shortfall(int64_t framesRead) const;

 protected:
  virtual const InputBytes& bytes() const = 0;
  int64_t promised = -1;  // frames the header promises, where it can be trusted
  bool decodingFailed = false;
  bool cutShort = false;  // the bytes ended before the decoder's data did
};
