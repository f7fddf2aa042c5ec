// Every other format libsndfile decodes (FLAC, Ogg, compressed WAV, ...), read
// through its virtual I/O from the input's bytes, a pipe's included.
#pragma once

#include <memory>

#include "tools/slewmeter/audio_stream.h"
#include "tools/slewmeter/input_bytes.h"
#include "tools/slewmeter/sample_source.h"

struct sf_private_tag;

class SndfileSource : public SampleSource {
 public:
  // From the input's current place, its start, with a pipe's bytes kept from
  // there. Null with the reason in `error`.
  static std::unique_ptr<SndfileSource> open(std::unique_ptr<InputBytes> input, AudioFormat& format,
                                             std::string& error);
  ~SndfileSource() override;
  size_t read(double* interleaved, size_t frames) override;

 private:
  SndfileSource() = default;
  const InputBytes& bytes() const override { return *input; }

  std::unique_ptr<InputBytes> input;
  sf_private_tag* file = nullptr;
  bool madeUpAfterTheEnd = false;  // a decoder that reads no further ahead than it needs
  int readsAfterTheEnd = 0;
};
