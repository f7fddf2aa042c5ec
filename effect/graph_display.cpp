// The graphics section: logo block with its pulsing shade, version, legend,
// the reference ceilings, both histories across the view, and the red frame.
#include <algorithm>
#include <cmath>

#include "effect/meter_model.h"
#include "effect/vebrisk_effect.h"
#include "runtime/graphics_primitives.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

void TVebriskEffect::DoGraphics() {
  BeginGraphicsSection(*this);
  using namespace Primitives;

  SelectFont(*this, 0, kCourierNewText, 13, 0);
  SelectFont(*this, 1, kArialText, 16, 0);

  SetColor(*this, 1, 1, 1, 1);
  var.logoX = 0;
  var.logoY = 0;
  const double pulse = std::cos(var.glowPhase);
  var.glowAlpha = std::isfinite(pulse) ? FiniteOrZero(0.5 + 0.3 * pulse) : 0.5;
  var.glowPhase = FiniteOrZero(var.glowPhase + 0.07);
  if (var.glowPhase >= kTwoPi) var.glowPhase -= kTwoPi;

  SetPen(*this, var.logoX, var.logoY);
  Blit(*this, kLogoImage, 0, 0);
  SetColor(*this, 0, 0, 0, var.glowAlpha);
  FilledRectangle(*this, CurrentColor(*this), var.logoX, var.logoY, 120, 110);
  SetPen(*this, var.logoX, var.logoY);
  SetColor(*this, 1, 1, 1, 1);
  Blit(*this, kWebLinkImage, 0, 0);
  SetPen(*this, var.logoX, var.logoY);
  SetColor(*this, 1, 1, 1, 1);
  Blit(*this, kTitleImage, 0, 0);

  SetPen(*this, var.logoX + 15, var.logoY + 85);
  SetColor(*this, 0, 0.5, 0.95, 0.5);
  DrawString(*this, CurrentColor(*this), kLetterVText);
  DrawNumber(*this, CurrentColor(*this), var.versionNumber, 0);

  var.scaleX = FiniteOrZero(var.viewWidth / var.designWidth);
  var.scaleY = FiniteOrZero(var.viewHeight / var.designHeight);
  var.scaleMean = FiniteOrZero((var.scaleX + var.scaleY) * 0.5);
  const double fontSize = std::floor(var.scaleMean * var.baseFontSize);
  var.labelFontSize = std::isfinite(fontSize) ? std::max(8.0, std::min(100.0, fontSize)) : 8;
  SelectFont(*this, 1, kLabelArialText, var.labelFontSize, 0);

  AdvanceHistory();

  SetColor(*this, 1, 1, 0, 0.5);
  var.labelX = 10;
  var.labelY = 360;
  SetPen(*this, var.labelX * var.scaleX, var.labelY * var.scaleY);
  DrawString(*this, CurrentColor(*this), kLeftLegendText);
  SetPen(*this, var.labelX * var.scaleX, (var.labelY + 15) * var.scaleY);
  DrawString(*this, CurrentColor(*this), kRightLegendText);
  // Every label before any ceiling line, so that a line lies over the label it crosses.
  for (const Ceiling& ceiling : kCeilings) {
    var.labelX = ceiling.labelX;
    var.labelY = ceiling.fromTop;
    SetPen(*this, var.labelX * var.scaleX, var.labelY * var.scaleY);
    DrawString(*this, CurrentColor(*this), ceiling.textNumber);
  }

  var.fullScale = GraphFullScale(LoadShared(var.sampleRate));

  SetColor(*this, 0.5, 0.5, 0, 0.95);
  for (const Ceiling& ceiling : kCeilings) {
    Line(*this, CurrentColor(*this), ceiling.lineFromX * var.scaleX, ceiling.fromTop * var.scaleY,
         (var.designWidth - 10) * var.scaleX, ceiling.fromTop * var.scaleY);
  }

  // Oldest point at x = 0, newest at the right edge; a step of fullScale at the top.
  const double segments = var.historyLength - 1;
  SetColor(*this, 1, 1, 1, 0.5);
  var.historyIndex = 0;
  for (int passes = 0; segments > var.historyIndex && passes < kLoopCap; ++passes) {
    var.segmentX1 = FiniteOrZero(var.historyIndex / segments * var.viewWidth);
    var.segmentY1 = FiniteOrZero((1 - Cell(var.historyLeft, var.historyIndex) / var.fullScale) *
                                 var.viewHeight);
    var.segmentX2 = FiniteOrZero((var.historyIndex + 1) / segments * var.viewWidth);
    var.segmentY2 = FiniteOrZero((1 - Cell(var.historyLeft, var.historyIndex + 1) / var.fullScale) *
                                 var.viewHeight);
    Line(*this, CurrentColor(*this), var.segmentX1, var.segmentY1, var.segmentX2, var.segmentY2);
    var.historyIndex = FiniteOrZero(var.historyIndex + 1);
  }
  SetColor(*this, 1, 0, 0, 0.5);
  var.historyIndex = 0;
  for (int passes = 0; segments > var.historyIndex && passes < kLoopCap; ++passes) {
    var.segmentX1 = FiniteOrZero(var.historyIndex / segments * var.viewWidth);
    var.segmentY1 = FiniteOrZero(var.viewHeight - var.viewHeight / var.fullScale *
                                                      Cell(var.historyRight, var.historyIndex));
    var.segmentX2 = FiniteOrZero((var.historyIndex + 1) / segments * var.viewWidth);
    var.segmentY2 = FiniteOrZero(var.viewHeight - var.viewHeight / var.fullScale *
                                                      Cell(var.historyRight, var.historyIndex + 1));
    Line(*this, CurrentColor(*this), var.segmentX1, var.segmentY1, var.segmentX2, var.segmentY2);
    var.historyIndex = FiniteOrZero(var.historyIndex + 1);
  }

  SetColor(*this, 1, 0, 0, 1);
  SetPen(*this, 0, 0);
  Line(*this, CurrentColor(*this), penX, penY, var.viewWidth - 1, 0);
  Line(*this, CurrentColor(*this), penX, penY, var.viewWidth - 1, var.viewHeight - 1);
  Line(*this, CurrentColor(*this), penX, penY, 0, var.viewHeight - 1);
  Line(*this, CurrentColor(*this), penX, penY, 0, 0);
}
