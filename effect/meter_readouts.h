// The meter's readouts as a host shows them beside the audio (LV2's control
// outputs, CLAP's read-only parameters): per channel the largest step in the
// last whole 1/30 s of audio and the largest since activation. The block is
// processed in pieces that end where a readout ends, so each readout is exact.
#pragma once

#include <array>
#include <cstdint>

#include "core/effect_instance.h"
#include "effect/readout_facts.h"
#include "effect/vebrisk_effect.h"

class MeterReadouts {
 public:
  explicit MeterReadouts(double sampleRate);

  // Runs the instance's processing hook over the block, piece by piece, and
  // answers what the whole block measured. Realtime: no allocation, lock or log.
  UnshownMeasurements process(EffectInstance& instance, float* const inputs[2],
                              float* const outputs[2], uint32_t frames);
  UnshownMeasurements process(EffectInstance& instance, double* const inputs[2],
                              double* const outputs[2], uint32_t frames);
  // Forgets every step, as at activation.
  void clear();

  double value(Readout readout) const { return values[static_cast<uint32_t>(readout)]; }

 private:
  template <class Sample>
  UnshownMeasurements processInPieces(EffectInstance& instance, Sample* const inputs[2],
                                      Sample* const outputs[2], uint32_t frames);
  void take(const UnshownMeasurements& measured, uint32_t frames);

  uint32_t framesPerReadout;
  uint32_t framesInReadout = 0;
  std::array<double, 2> readoutPeak{};
  std::array<double, kReadoutCount> values{};  // in the order of Readout
};
