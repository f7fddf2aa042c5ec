#include "effect/vebrisk_effect.h"

namespace {

void RaiseShared(double& shared, double value) {
  std::atomic_ref<double> ref(shared);
  double current = ref.load(std::memory_order_relaxed);
  while (value > current && !ref.compare_exchange_weak(current, value, std::memory_order_relaxed)) {
  }
}

double TakeShared(double& shared) {
  return std::atomic_ref<double>(shared).exchange(0, std::memory_order_relaxed);
}

}  // namespace

void TVebriskEffect::FinishBlock() {
  lastBlock = {var.peakLeft, var.peakRight, var.pendingSamples};
  if (!(var.pendingSamples > 0)) return;
  AddUnshownMeasurements(lastBlock);
  var.peakLeft = var.peakRight = var.pendingSamples = 0;
}

void TVebriskEffect::AddUnshownMeasurements(const UnshownMeasurements& measured) {
  // Peaks before frames, and the taker takes frames first: a block whose frames it
  // has not seen yet keeps its peaks for the next point, never loses them.
  RaiseShared(unshown.peakLeft, FiniteOrZero(measured.peakLeft));
  RaiseShared(unshown.peakRight, FiniteOrZero(measured.peakRight));
  std::atomic_ref<double>(unshown.frames)
      .fetch_add(FiniteOrZero(measured.frames), std::memory_order_relaxed);
}

UnshownMeasurements TVebriskEffect::TakeUnshownMeasurements() {
  UnshownMeasurements taken;
  taken.frames = TakeShared(unshown.frames);
  taken.peakLeft = TakeShared(unshown.peakLeft);
  taken.peakRight = TakeShared(unshown.peakRight);
  return taken;
}

void TVebriskEffect::ForgetUnshownMeasurements() {
  TakeUnshownMeasurements();
}

void TVebriskEffect::AdvanceHistory() {
  // No frames: whatever peaks are there belong to a block not counted yet.
  if (!(TakeShared(unshown.frames) > 0)) return;
  const double peakLeft = TakeShared(unshown.peakLeft);
  const double peakRight = TakeShared(unshown.peakRight);

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
  Cell(var.historyLeft, var.historyLength - 1) = FiniteOrZero(peakLeft);
  Cell(var.historyRight, var.historyLength - 1) = FiniteOrZero(peakRight);
}
