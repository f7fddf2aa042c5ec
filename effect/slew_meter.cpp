#include "effect/vebrisk_effect.h"

void TVebriskEffect::FinishBlock() {
  if (!(var.pendingSamples > 0)) return;
  const BlockMeasurement block{var.peakLeft, var.peakRight, var.pendingSamples,
                               measurementEpoch.load(std::memory_order_relaxed)};
  // A full queue (no editor draining it) leaves the peaks to grow until there is room.
  if (!measurements.push(block)) return;
  var.peakLeft = var.peakRight = var.pendingSamples = 0;
}

void TVebriskEffect::AdvanceHistory() {
  BlockMeasurement since{};
  const uint32_t epoch = measurementEpoch.load(std::memory_order_relaxed);
  measurements.drain([&](const BlockMeasurement& block) {
    if (block.epoch != epoch) return;
    since.peakLeft = std::max(since.peakLeft, block.peakLeft);
    since.peakRight = std::max(since.peakRight, block.peakRight);
    since.frames += block.frames;
  });
  if (!(since.frames > 0)) return;

  var.historyIndex = 0;
  if (var.historyLength - 1 > 0) {
    int passes = 0;
    do {
      Cell(var.historyLeft, var.historyIndex) =
          FiniteOrZero(Cell(var.historyLeft, var.historyIndex + 1));
      Cell(var.historyRight, var.historyIndex) =
          FiniteOrZero(Cell(var.historyRight, var.historyIndex + 1));
      var.historyIndex = FiniteOrZero(var.historyIndex + 1);
    } while (var.historyLength - 1 > var.historyIndex && ++passes < kLoopCap);
  }
  Cell(var.historyLeft, var.historyLength - 1) = FiniteOrZero(since.peakLeft);
  Cell(var.historyRight, var.historyLength - 1) = FiniteOrZero(since.peakRight);
}
