// Plain samples read straight from a WAV, RF64, W64, AIFF or AIFC stream, up
// to the data's declared size or, where the size was a placeholder, to the end
// of the stream, however long.
#pragma once

#include <memory>
#include <vector>

#include "tools/slewmeter/sample_source.h"
#include "tools/slewmeter/wave_layout.h"

class PcmSource : public SampleSource {
 public:
  PcmSource(std::unique_ptr<InputBytes> input, const WaveLayout& layout);
  size_t read(double* interleaved, size_t frames) override;
  // The frames there are, as far as can be known before reading; -1 unknown.
  int64_t expectedFrames() const;

 private:
  const InputBytes& bytes() const override { return *input; }

  std::unique_ptr<InputBytes> input;
  WaveLayout layout;
  uint64_t dataStart;
  uint64_t taken = 0;  // bytes of samples read
  std::vector<uint8_t> buffer;
};
