// The slew-rate meter: audio passes unchanged; per channel the largest step
// between consecutive samples feeds a 100-point history that the view draws.
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>

#include "effect/block_steps.h"
#include "effect/meter_model.h"
#include "runtime/vebrisk.h"

// The host slots and copies: the block prologue on the audio thread writes them while
// a state load on another thread runs the slider section, which reads and refreshes
// them, and the editor reads the copies. Relaxed atomics cost a plain move here.
inline double LoadShared(double& value) {
  return std::atomic_ref<double>(value).load(std::memory_order_relaxed);
}
inline void StoreShared(double& value, double newValue) {
  std::atomic_ref<double>(value).store(newValue, std::memory_order_relaxed);
}
static_assert(std::atomic_ref<double>::is_always_lock_free);

// The finished blocks' peaks and frame count that no history point holds yet: the
// audio thread adds each block's, the editor thread takes them all at once. Both
// through atomic read-modify-writes, so neither thread's update can undo the other's.
struct UnshownMeasurements {
  double peakLeft = 0, peakRight = 0, frames = 0;
};

// The script's variables, in declaration order; all 0 after Reset. A host value
// is held twice: the copy the script reads, then the slot the prologues write.
struct EffectVariables {
  double colorRed = 0, colorGreen = 0, colorBlue = 0, colorAlpha = 0;
  double fontIndex = 0;
  double displayUpdateRequest = 0;
  double sampleRate = 0, sampleRateHost = 0;
  double channelCount = 0, channelCountHost = 0;
  double blockSize = 0, blockSizeHost = 0;
  double tempo = 0, tempoHost = 0;
  double timeSigNumerator = 0, timeSigNumeratorHost = 0;
  double timeSigDenominator = 0, timeSigDenominatorHost = 0;
  double versionNumber = 0;
  double historyLength = 0, historyLeft = 0, historyRight = 0, historyIndex = 0;
  // The audio thread's running peaks and frame count of the current block.
  double peakLeft = 0, peakRight = 0;
  double previousLeft = 0, previousRight = 0;
  double pendingSamples = 0;
  double designWidth = 0, designHeight = 0;
  double baseFontSize = 0;
  double lastDisplayCheck = 0;
  double latencySamples = 0, latencySent = 0;
  double playState = 0, beatPosition = 0;
  double serializeIndex = 0;
  double slewLeft = 0, slewRight = 0;
  double viewWidth = 0, viewHeight = 0;
  double clearColor = 0;
  double logoX = 0, logoY = 0, glowAlpha = 0, glowPhase = 0;
  double scaleX = 0, scaleY = 0, scaleMean = 0;
  double labelFontSize = 0, labelX = 0, labelY = 0;
  double fullScale = 0;
  double segmentX1 = 0, segmentY1 = 0, segmentX2 = 0, segmentY2 = 0;
};

class TVebriskEffect final : public TVebrisk {
 public:
  static constexpr const char* kEffectName =
      "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806";
  static constexpr const char* kVendorName = "KORVANDEL";

  TVebriskEffect();

  void DoSlider() override;
  void DoBlock() override;
  // Per frame: the step of each channel and the running peaks.
  void DoSample() override;
  void Reset() override;
  void DoInit() override;
  void DoSerialize() override;
  void DoGraphics() override;
  // The sample section over a whole block of two channels, for a loop that
  // passes the samples on itself: the same steps, peaks and previous samples as
  // DoSample frame by frame, kept in registers rather than in the variables.
  template <class Sample>
  void MeasureFrames(const Sample* left, const Sample* right, int32_t frames);

  // After the last frame of a block: hands the block's peaks to the editor thread.
  void FinishBlock();
  // Adds measurements to those no history point holds yet, from any thread: the
  // block's own, or those another process measured (a UI fed by messages).
  void AddUnshownMeasurements(const UnshownMeasurements& measured);
  // Takes every measurement not shown yet, leaving none.
  UnshownMeasurements TakeUnshownMeasurements();
  // Audio thread: the next sample's step starts from silence, as after a resume,
  // while the histories the editor draws stay as they are.
  void ForgetPreviousSamples() { var.previousLeft = var.previousRight = 0; }

  // Editor thread: turns the peaks measured since the last point into the newest
  // history points.
  void AdvanceHistory();

  // Point `index` of a channel's history (0 the oldest), wherever the script's
  // history variables put it.
  double& HistoryPoint(Channel channel, double index) {
    return Cell(channel == Channel::left ? var.historyLeft : var.historyRight, index);
  }
  // The largest step since the point before.
  double& NewestPoint(Channel channel) { return HistoryPoint(channel, var.historyLength - 1); }

  EffectVariables var;
  UnshownMeasurements unshown;
  // The audio thread's own record of the block just finished, for the readouts
  // an adapter shows beside the audio: it leaves the editor's share alone.
  UnshownMeasurements lastBlock;

 private:
  // The history's shift for the usual case of two apart runs of cells; false,
  // having changed nothing, when the script's own loop must make it.
  bool ShiftHistoryRuns();
  void ForgetUnshownMeasurements();
  void RefreshHostCopies();
};

// Defined here so that the processing loop, instantiated for this class, runs
// the sample section inline.
inline void TVebriskEffect::DoSample() {
  // The sample section's refresh of the host copies is left out: only the init
  // and block prologues write the host slots, and the block prologue ends with
  // the same refresh, so every copy already holds its slot's value here.
  var.slewLeft = FiniteOrZero(std::fabs(Channels[0] - var.previousLeft));
  var.slewRight = FiniteOrZero(std::fabs(Channels[1] - var.previousRight));
  // std::max keeps its first argument when the second is NaN.
  var.peakLeft = FiniteOrZero(std::max(var.peakLeft, var.slewLeft));
  var.peakRight = FiniteOrZero(std::max(var.peakRight, var.slewRight));
  var.previousLeft = FiniteOrZero(Channels[0]);
  var.previousRight = FiniteOrZero(Channels[1]);
  var.pendingSamples += 1;
}

template <class Sample>
void TVebriskEffect::MeasureFrames(const Sample* left, const Sample* right, int32_t frames) {
  const auto l = BlockSteps::Measure(left, frames, {var.previousLeft, var.peakLeft, 0});
  const auto r = BlockSteps::Measure(right, frames, {var.previousRight, var.peakRight, 0});
  var.previousLeft = l.previous, var.peakLeft = l.peak, var.slewLeft = l.slew;
  var.previousRight = r.previous, var.peakRight = r.peak, var.slewRight = r.slew;
  var.pendingSamples += frames;
}
