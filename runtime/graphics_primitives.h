// The script's drawing primitives. They draw through the instance's paint
// functions, which act only while the view draws; outside a draw they still
// move the pen and set the text height. The templates read the effect's own
// colour and view variables.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/effect_instance.h"
#include "runtime/value_rules.h"
#include "runtime/vebrisk.h"

struct ColorBytes {
  int32_t red, green, blue, alpha;
};

// Each channel 0..1 becomes ToIndex(c * 255) held to 0..255.
ColorBytes ToColorBytes(double red, double green, double blue, double alpha);

namespace Primitives {

void Line(TVebrisk& effect, ColorBytes color, double x1, double y1, double x2, double y2);
void FilledRectangle(TVebrisk& effect, ColorBytes color, double x, double y, double width,
                     double height);
// Draws at the pen, line by line; the pen ends after the last line.
void DrawText(TVebrisk& effect, ColorBytes color, std::string_view text);
void DrawString(TVebrisk& effect, ColorBytes color, double stringNumber);
void DrawNumber(TVebrisk& effect, ColorBytes color, double value, double digits);
// Records font `fontNumber` with the name, size and style, selects it on the surface and
// sets textHeight.
void SelectFontRecord(TVebrisk& effect, double fontNumber, double nameString, double size,
                      double styleCode);
// The script's select font: also notes the number as the effect's fontIndex; answers 1.
template <class Effect>
double SelectFont(Effect& effect, double fontNumber, double nameString, double size,
                  double styleCode) {
  effect.var.fontIndex = FiniteOrZero(fontNumber);
  SelectFontRecord(effect, fontNumber, nameString, size, styleCode);
  return 1;
}
// Loads image n on first use: embedded first, else the file of that number.
ImageRecord& LookupImage(TVebrisk& effect, int32_t number);
// Draws image n at the pen at its own size, or a red "ERROR" box when it cannot.
void Blit(TVebrisk& effect, double imageNumber, double sourceX, double sourceY);

}  // namespace Primitives

// The effect-facing forms: colour and view size come from the effect's variables.
template <class Effect>
ColorBytes CurrentColor(const Effect& effect) {
  return ToColorBytes(effect.var.colorRed, effect.var.colorGreen, effect.var.colorBlue,
                      effect.var.colorAlpha);
}

template <class Effect>
void SetColor(Effect& effect, double red, double green, double blue, double alpha) {
  effect.var.colorRed = red;
  effect.var.colorGreen = green;
  effect.var.colorBlue = blue;
  effect.var.colorAlpha = alpha;
}

template <class Effect>
void SetPen(Effect& effect, double x, double y) {
  effect.penX = FiniteOrZero(x);
  effect.penY = FiniteOrZero(y);
}

// What every graphics section does before the script's own drawing: take the
// view size, fill the background when a clear colour is set, then black at (0, 0).
template <class Effect>
void BeginGraphicsSection(Effect& effect) {
  if (effect.Host && effect.Host->hasView()) {
    effect.var.viewWidth = effect.Host->getViewWidth();
    effect.var.viewHeight = effect.Host->getViewHeight();
  }
  if (IsTrue(effect.var.clearColor)) {
    // The integer part, as the processor converts it (out of range: the lowest integer).
    const double packed = effect.var.clearColor;
    const int32_t k = (packed > -2147483649.0 && packed < 2147483648.0)
                          ? static_cast<int32_t>(packed)
                          : INT32_MIN;
    SetColor(effect, (k & 255) / 255.0, ((k >> 8) & 255) / 255.0, ((k >> 16) & 255) / 255.0, 1);
    SetPen(effect, 0, 0);
    Primitives::FilledRectangle(effect, CurrentColor(effect), 0, 0, effect.var.viewWidth,
                                effect.var.viewHeight);
  }
  SetColor(effect, 0, 0, 0, 1);
  SetPen(effect, 0, 0);
}
