#include "effect/meter_readouts.h"

#include <algorithm>
#include <cmath>

#include "effect/meter_instance.h"

namespace {

// One readout per 1/30 s of audio, as the meter's graph frames.
uint32_t FramesPerReadout(double sampleRate) {
  const double rate = std::isfinite(sampleRate) ? std::clamp(sampleRate, 1.0, 1e7) : 44100.0;
  return static_cast<uint32_t>(std::max(1.0, std::round(rate / kGraphicsFramesPerSecond)));
}

void RunHook(EffectInstance& instance, float** inputs, float** outputs, int32_t frames) {
  instance.getHooks().ProcessFloat(&instance, inputs, outputs, frames);
}

void RunHook(EffectInstance& instance, double** inputs, double** outputs, int32_t frames) {
  instance.getHooks().ProcessDouble(&instance, inputs, outputs, frames);
}

}  // namespace

MeterReadouts::MeterReadouts(double sampleRate) : framesPerReadout(FramesPerReadout(sampleRate)) {}

UnshownMeasurements MeterReadouts::process(EffectInstance& instance, float* const inputs[2],
                                           float* const outputs[2], uint32_t frames) {
  return processInPieces(instance, inputs, outputs, frames);
}

UnshownMeasurements MeterReadouts::process(EffectInstance& instance, double* const inputs[2],
                                           double* const outputs[2], uint32_t frames) {
  return processInPieces(instance, inputs, outputs, frames);
}

template <class Sample>
UnshownMeasurements MeterReadouts::processInPieces(EffectInstance& instance,
                                                   Sample* const inputs[2],
                                                   Sample* const outputs[2], uint32_t frames) {
  UnshownMeasurements block;
  for (uint32_t offset = 0; offset < frames;) {
    const uint32_t piece = std::min(frames - offset, framesPerReadout - framesInReadout);
    Sample* in[] = {inputs[0] + offset, inputs[1] + offset};
    Sample* out[] = {outputs[0] + offset, outputs[1] + offset};
    RunHook(instance, in, out, static_cast<int32_t>(piece));
    // Read beside the editor's share, which an editor on this instance takes.
    const UnshownMeasurements measured = MeterOf(instance).lastBlock;
    take(measured, piece);
    block.peakLeft = std::max(block.peakLeft, measured.peakLeft);
    block.peakRight = std::max(block.peakRight, measured.peakRight);
    block.frames += measured.frames;
    offset += piece;
  }
  return block;
}

void MeterReadouts::take(const UnshownMeasurements& measured, uint32_t frames) {
  const std::array<double, 2> peaks{measured.peakLeft, measured.peakRight};
  for (size_t c = 0; c < peaks.size(); ++c) {
    readoutPeak[c] = std::max(readoutPeak[c], peaks[c]);
    double& largest = values[static_cast<uint32_t>(Readout::largestLeft) + c];
    largest = std::max(largest, peaks[c]);
  }
  framesInReadout += frames;
  if (framesInReadout >= framesPerReadout) {
    values[static_cast<uint32_t>(Readout::recentLeft)] = readoutPeak[0];
    values[static_cast<uint32_t>(Readout::recentRight)] = readoutPeak[1];
    readoutPeak = {};
    framesInReadout = 0;
  }
}

void MeterReadouts::clear() {
  framesInReadout = 0;
  readoutPeak = {};
  values = {};
}
