// Every other format libsndfile decodes (FLAC, Ogg, compressed WAV, ...), read
// through its virtual I/O from the input's bytes, a pipe's included.
#pragma once

#include <memory>
#include <optional>

#include "tools/slewmeter/audio_stream.h"
#include "tools/slewmeter/input_bytes.h"
#include "tools/slewmeter/ogg_ending.h"
#include "tools/slewmeter/sample_source.h"
#include "tools/slewmeter/wave_layout.h"

struct sf_private_tag;

class SndfileSource : public SampleSource {
 public:
  // From the input's current place, its start, with a pipe's bytes kept from
  // there. `layout`, where the container is one slewmeter walks, says whether
  // the data is whole. Null with the reason in `error`.
  static std::unique_ptr<SndfileSource> open(std::unique_ptr<InputBytes> input,
                                             const std::optional<WaveLayout>& layout,
                                             AudioFormat& format, std::string& error);
  ~SndfileSource() override;
  size_t read(double* interleaved, size_t frames) override;

 private:
  friend struct SndfileVirtualIo;

  SndfileSource() = default;
  const InputBytes& bytes() const override { return *input; }
  // The length libsndfile is told.
  int64_t length() const;
  void checkWhole();

  std::unique_ptr<InputBytes> input;
  sf_private_tag* file = nullptr;
  std::optional<uint64_t> dataEnd;  // from the container's declared data size
  int64_t declaredFrames = -1;
  // libsndfile refuses some containers whose data runs past the bytes there
  // (CAF): told the length the header gives, it reads what there is.
  bool lengthFromHeader = false;
  // While opening, libsndfile went back into a pipe further than was kept, or
  // was kept from reading further on than can be.
  bool lostItsPlace = false;
  bool lookedPastKept = false;
  bool ogg = false;
  OggEnding oggEnding;
  bool ended = false;
  bool madeUpAfterTheEnd = false;  // a decoder that reads no further ahead than it needs
  int readsAfterTheEnd = 0;
};
