#include "runtime/graphics_primitives.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/paint_functions.h"
#include "runtime/diagnostics_log.h"
#include "runtime/paths.h"

namespace {

constexpr int32_t kAliased = 0;
constexpr int32_t kAntialiased = 3;
constexpr int32_t kFill = 1;
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignCentre = 1;

int32_t ColorByte(double channel) {
  return std::clamp(ToIndex(channel * 255), 0, 255);
}

// Style letters packed into the code's four bytes, as script texts like 'bi' arrive.
int32_t StyleOf(double styleCode) {
  const auto code = static_cast<uint32_t>(ToIndex(styleCode));
  int32_t style = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    switch ((code >> shift) & 0xFF) {
      case 'b':
        style |= 1;
        break;
      case 'i':
        style |= 2;
        break;
      case 'u':
        style |= 4;
        break;
    }
  }
  return style;
}

}  // namespace

ColorBytes ToColorBytes(double red, double green, double blue, double alpha) {
  return {ColorByte(red), ColorByte(green), ColorByte(blue), ColorByte(alpha)};
}

namespace Primitives {

void Line(TVebrisk& effect, ColorBytes c, double x1, double y1, double x2, double y2) {
  Paint(effect.Host, &PaintFunctions::setStrokeColor, c.red, c.green, c.blue, c.alpha);
  Paint(effect.Host, &PaintFunctions::setMode, kAntialiased);
  Paint(effect.Host, &PaintFunctions::moveTo, x1, y1);
  effect.penX = x2;
  effect.penY = y2;
  Paint(effect.Host, &PaintFunctions::lineTo, x2, y2);
}

void FilledRectangle(TVebrisk& effect, ColorBytes c, double x, double y, double width,
                     double height) {
  effect.penX = FiniteOrZero(x + width);
  effect.penY = FiniteOrZero(y + height);
  Paint(effect.Host, &PaintFunctions::setFillColor, c.red, c.green, c.blue, c.alpha);
  Paint(effect.Host, &PaintFunctions::setMode, kAliased);
  Paint(effect.Host, &PaintFunctions::rectangle, std::floor(x), std::floor(y),
        std::floor(effect.penX), std::floor(effect.penY), kFill);
}

void DrawText(TVebrisk& effect, ColorBytes c, std::string_view text) {
  Paint(effect.Host, &PaintFunctions::setTextColor, c.red, c.green, c.blue, c.alpha);
  Paint(effect.Host, &PaintFunctions::setMode, kAntialiased);
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    const std::string line(text.substr(start, end == std::string_view::npos ? end : end - start));
    const double width = Paint(effect.Host, &PaintFunctions::textWidth, line.c_str());
    Paint(effect.Host, &PaintFunctions::textInRect, line.c_str(), effect.penX, effect.penY,
          effect.penX + width, effect.penY + effect.textHeight + 2, 0, kAlignLeft);
    if (end == std::string_view::npos) {
      effect.penX += width;
      return;
    }
    effect.penY += effect.textHeight;
    start = end + 1;
  }
}

void DrawString(TVebrisk& effect, ColorBytes c, double stringNumber) {
  const std::string text = effect.LookupString(stringNumber);
  DrawText(effect, c, text);
}

void DrawNumber(TVebrisk& effect, ColorBytes c, double value, double digits) {
  // A negative precision asks for the default of six decimals; what does not fit is cut.
  char text[256];
  std::snprintf(text, sizeof text, "%.*f", ToIndex(digits), value);
  DrawText(effect, c, text);
}

void SelectFontRecord(TVebrisk& effect, double fontNumber, double nameString, double size,
                      double styleCode) {
  double pixelSize;
  if (size > 0 && std::isfinite(size)) {
    pixelSize = std::max(size * 0.85, 1.0);
    effect.textHeight = (size * 0.85) / 0.85;
  } else if (size < 0 && std::isfinite(size)) {
    pixelSize = std::max(-size, 1.0);
    effect.textHeight = -size / 0.85;
  } else if (size == 0 || std::isnan(size)) {
    pixelSize = 16;
    effect.textHeight = 16 / 0.85;
  } else {
    pixelSize = size < 0 ? 1 : size;
    effect.textHeight = 0;
  }
  FontRecord& record = effect.Fonts[ToIndex(fontNumber)];
  record.Name = effect.LookupString(nameString);
  int32_t integerSize = 0;
  if (std::isfinite(pixelSize)) {
    record.Size = pixelSize;
    integerSize = ToIndex(pixelSize);
  } else {
    record.Size = 0;
  }
  record.Style = StyleOf(styleCode);
  if (!Paint(effect.Host, &PaintFunctions::setFont, record.Name.c_str(), integerSize,
             record.Style)) {
    Paint(effect.Host, &PaintFunctions::setFont, "verdana", integerSize, record.Style);
  }
}

ImageRecord& LookupImage(TVebrisk& effect, int32_t number) {
  ImageRecord& record = effect.Images[number];
  const auto name = effect.FileNames.find(number);
  if (record.Holder != nullptr || name == effect.FileNames.end()) return record;
  // Nothing can load or draw an image where no drawing is linked in.
  if (effect.Host == nullptr || effect.Host->paintFunctions() == nullptr) return record;

  record.Holder = CallImage(effect.Host, &PaintFunctions::imageCreate);
  if (!CallImage(effect.Host, &PaintFunctions::imageLoadResourceId, record.Holder, number)) {
    CallImage(effect.Host, &PaintFunctions::imageFree, record.Holder);
    record.Holder = CallImage(effect.Host, &PaintFunctions::imageCreate);
    const std::string path = FullPath(name->second);
    if (!CallImage(effect.Host, &PaintFunctions::imageLoadFile, record.Holder, path.c_str())) {
      // Once: the empty holder stays, so the image is never tried again.
      Log("Unable to load: " + path);
      return record;
    }
  }
  record.Width = CallImage(effect.Host, &PaintFunctions::imageWidth, record.Holder);
  record.Height = CallImage(effect.Host, &PaintFunctions::imageHeight, record.Holder);
  return record;
}

void Blit(TVebrisk& effect, double imageNumber, double sourceX, double sourceY) {
  const ImageRecord& record = LookupImage(effect, ToIndex(imageNumber));
  const double width = FiniteOrZero(record.Width), height = FiniteOrZero(record.Height);
  const double left = effect.penX, top = effect.penY;
  if (CallImage(effect.Host, &PaintFunctions::drawImage, record.Holder, effect.Host, left, top,
                left + width, top + height, sourceX, sourceY)) {
    return;
  }
  Paint(effect.Host, &PaintFunctions::setFillColor, 255, 0, 0, 255);
  Paint(effect.Host, &PaintFunctions::rectangle, left, top, left + width, top + height, kFill);
  Paint(effect.Host, &PaintFunctions::setTextColor, 255, 255, 0, 255);
  Paint(effect.Host, &PaintFunctions::textInRect, "ERROR", left, top, left + width, top + height, 0,
        kAlignCentre);
}

}  // namespace Primitives
