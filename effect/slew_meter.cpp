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
  if (!(var.pendingSamples > 0)) return;
  // Peaks before frames, and the editor takes frames first: a block whose frames it
  // has not seen yet keeps its peaks for the next point, never loses them.
  RaiseShared(unshown.peakLeft, var.peakLeft);
  RaiseShared(unshown.peakRight, var.peakRight);
  std::atomic_ref<double>(unshown.frames).fetch_add(var.pendingSamples, std::memory_order_relaxed);
  var.peakLeft = var.peakRight = var.pendingSamples = 0;
}

void TVebriskEffect::ForgetUnshownMeasurements() {
  TakeShared(unshown.frames);
  TakeShared(unshown.peakLeft);
  TakeShared(unshown.peakRight);
}

void TVebriskEffect::AdvanceHistory() {
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
