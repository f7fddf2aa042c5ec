#include <algorithm>
#include <cmath>

#include "effect/vebrisk_effect.h"

void TVebriskEffect::DoSample() {
  RefreshHostCopies();
  var.slewLeft = FiniteOrZero(std::fabs(Channels[0] - var.previousLeft));
  var.slewRight = FiniteOrZero(std::fabs(Channels[1] - var.previousRight));
  // std::max keeps its first argument when the second is NaN.
  auto peakLeft = Shared(var.peakLeft);
  auto peakRight = Shared(var.peakRight);
  peakLeft.store(FiniteOrZero(std::max(peakLeft.load(kSharedOrder), var.slewLeft)), kSharedOrder);
  peakRight.store(FiniteOrZero(std::max(peakRight.load(kSharedOrder), var.slewRight)),
                  kSharedOrder);
  var.previousLeft = FiniteOrZero(Channels[0]);
  var.previousRight = FiniteOrZero(Channels[1]);
  auto pending = Shared(var.pendingSamples);
  pending.store(pending.load(kSharedOrder) + 1, kSharedOrder);
}

void TVebriskEffect::AdvanceHistory() {
  if (!(Shared(var.pendingSamples).load(kSharedOrder) > 0)) return;
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
  Cell(var.historyLeft, var.historyLength - 1) =
      FiniteOrZero(Shared(var.peakLeft).load(kSharedOrder));
  Cell(var.historyRight, var.historyLength - 1) =
      FiniteOrZero(Shared(var.peakRight).load(kSharedOrder));
  Shared(var.peakLeft).store(0, kSharedOrder);
  Shared(var.peakRight).store(0, kSharedOrder);
  Shared(var.pendingSamples).store(0, kSharedOrder);
}
