// The graphics section: logo block with its pulsing shade, version, legend,
// the two ceilings, both histories across the view, and the red frame.
#include <algorithm>
#include <cmath>

#include "effect/vebrisk_effect.h"
#include "runtime/graphics_primitives.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Texts and images registered by Reset.
constexpr double kCourierNew = 10000, kArial = 10001, kLetterV = 10002, kLabelArial = 10003;
constexpr double kLeftLegend = 10004, kRightLegend = 10005;
constexpr double kLowerCeilingLabel = 10006, kUpperCeilingLabel = 10007;
constexpr double kLogo = 0, kWebLink = 1, kTitle = 2;

}  // namespace

void TVebriskEffect::DoGraphics() {
  BeginGraphicsSection(*this);
  using namespace Primitives;

  SelectFont(*this, 0, kCourierNew, 13, 0);
  SelectFont(*this, 1, kArial, 16, 0);

  SetColor(*this, 1, 1, 1, 1);
  var.logoX = 0;
  var.logoY = 0;
  const double pulse = std::cos(var.glowPhase);
  var.glowAlpha = std::isfinite(pulse) ? FiniteOrZero(0.5 + 0.3 * pulse) : 0.5;
  var.glowPhase = FiniteOrZero(var.glowPhase + 0.07);
  if (var.glowPhase >= kTwoPi) var.glowPhase -= kTwoPi;

  SetPen(*this, var.logoX, var.logoY);
  Blit(*this, kLogo, 0, 0);
  SetColor(*this, 0, 0, 0, var.glowAlpha);
  FilledRectangle(*this, CurrentColor(*this), var.logoX, var.logoY, 120, 110);
  SetPen(*this, var.logoX, var.logoY);
  SetColor(*this, 1, 1, 1, 1);
  Blit(*this, kWebLink, 0, 0);
  SetPen(*this, var.logoX, var.logoY);
  SetColor(*this, 1, 1, 1, 1);
  Blit(*this, kTitle, 0, 0);

  SetPen(*this, var.logoX + 15, var.logoY + 85);
  SetColor(*this, 0, 0.5, 0.95, 0.5);
  DrawString(*this, CurrentColor(*this), kLetterV);
  DrawNumber(*this, CurrentColor(*this), var.versionNumber, 0);

  var.scaleX = FiniteOrZero(var.viewWidth / var.designWidth);
  var.scaleY = FiniteOrZero(var.viewHeight / var.designHeight);
  var.scaleMean = FiniteOrZero((var.scaleX + var.scaleY) * 0.5);
  const double fontSize = std::floor(var.scaleMean * var.baseFontSize);
  var.labelFontSize = std::isfinite(fontSize) ? std::max(8.0, std::min(100.0, fontSize)) : 8;
  SelectFont(*this, 1, kLabelArial, var.labelFontSize, 0);

  AdvanceHistory();

  SetColor(*this, 1, 1, 0, 0.5);
  var.labelX = 10;
  var.labelY = 360;
  SetPen(*this, var.labelX * var.scaleX, var.labelY * var.scaleY);
  DrawString(*this, CurrentColor(*this), kLeftLegend);
  SetPen(*this, var.labelX * var.scaleX, (var.labelY + 15) * var.scaleY);
  DrawString(*this, CurrentColor(*this), kRightLegend);
  var.labelX = 10;
  var.labelY = 190;
  SetPen(*this, var.labelX * var.scaleX, 170 * var.scaleY);
  DrawString(*this, CurrentColor(*this), kLowerCeilingLabel);
  SetPen(*this, (150 + var.labelX) * var.scaleX, (var.labelY - 175) * var.scaleY);
  DrawString(*this, CurrentColor(*this), kUpperCeilingLabel);

  const double sampleRate = LoadShared(var.sampleRate);
  var.fullScale = FiniteOrZero(44100 / (sampleRate + sampleRate));

  SetColor(*this, 0.5, 0.5, 0, 0.95);
  Line(*this, CurrentColor(*this), 100 * var.scaleX, (var.designHeight - 385) * var.scaleY,
       (var.designWidth - 10) * var.scaleX, (var.designHeight - 385) * var.scaleY);
  Line(*this, CurrentColor(*this), 10 * var.scaleX, (var.designHeight - 230) * var.scaleY,
       (var.designWidth - 10) * var.scaleX, (var.designHeight - 230) * var.scaleY);

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
