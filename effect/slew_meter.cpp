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

// The first cell of a history of `length` cells at `base` when the history is a
// run of whole-numbered addresses within one page, else -1.
int32_t RunStart(double base, double length) {
  if (!(base >= 0 && base == std::floor(base) && base + length <= INT32_MAX)) return -1;
  const auto start = static_cast<int32_t>(base);
  return CVebriskMemory::CellsLeftInPage(start) >= length ? start : -1;
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
  if (ShiftHistoryRuns()) {
    var.historyIndex = var.historyLength - 1;
  } else if (var.historyLength - 1 > 0) {
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

bool TVebriskEffect::ShiftHistoryRuns() {
  // What the script's loop does cell by cell, on whole runs: its addresses are
  // then exact and its passes as many as the cells, so only the two histories
  // overlapping would make the order of its steps matter.
  const double length = var.historyLength;
  if (!(length >= 2 && length <= kLoopCap && length == std::floor(length))) return false;
  const int32_t left = RunStart(var.historyLeft, length);
  const int32_t right = RunStart(var.historyRight, length);
  const auto count = static_cast<int32_t>(length);
  if (left < 0 || right < 0 || (left < right + count && right < left + count)) return false;
  for (const int32_t start : {left, right}) {
    double* cells = Block(start);
    for (int32_t i = 0; i + 1 < count; ++i)
      cells[i] = FiniteOrZero(cells[i + 1]);
  }
  return true;
}
