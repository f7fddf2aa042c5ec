// The drawing the runtime asks for, as a table of functions the binary that holds
// the editor injects into each instance. A binary without an editor (an audio-only
// plug-in) injects none: every call then does nothing and answers 0, and nothing
// of a GUI library is linked.
#pragma once

#include <cstdint>

#include "core/effect_instance.h"

namespace VSTGUI {
struct ImageHolder;
}  // namespace VSTGUI

struct PaintFunctions {
  int32_t (*setMode)(EffectInstance* instance, int32_t mode);
  int32_t (*setTextColor)(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                          int32_t alpha);
  int32_t (*setFillColor)(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                          int32_t alpha);
  int32_t (*setStrokeColor)(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                            int32_t alpha);
  double (*textWidth)(EffectInstance* instance, const char* text);
  int32_t (*moveTo)(EffectInstance* instance, double x, double y);
  int32_t (*lineTo)(EffectInstance* instance, double x, double y);
  int32_t (*rectangle)(EffectInstance* instance, double left, double top, double right,
                       double bottom, int32_t mode);
  int32_t (*textInRect)(EffectInstance* instance, const char* text, double left, double top,
                        double right, double bottom, uint8_t ignored, int32_t alignment);
  int32_t (*setFont)(EffectInstance* instance, const char* name, int32_t size, int32_t style);
  VSTGUI::ImageHolder* (*imageCreate)();
  int32_t (*imageFree)(VSTGUI::ImageHolder* holder);
  int32_t (*imageLoadResourceId)(VSTGUI::ImageHolder* holder, int32_t number);
  int32_t (*imageLoadFile)(VSTGUI::ImageHolder* holder, const char* path);
  double (*imageWidth)(const VSTGUI::ImageHolder* holder);
  double (*imageHeight)(const VSTGUI::ImageHolder* holder);
  int32_t (*drawImage)(VSTGUI::ImageHolder* holder, EffectInstance* instance, double left,
                       double top, double right, double bottom, double sourceX, double sourceY);
};

// Calls `entry` of the instance's table with the instance and `args`; Result{}
// without an instance or a table.
template <class Result, class... Params, class... Args>
Result Paint(EffectInstance* instance, Result (*PaintFunctions::*entry)(EffectInstance*, Params...),
             Args... args) {
  const PaintFunctions* table = instance ? instance->paintFunctions() : nullptr;
  if (table == nullptr) return Result{};
  return (table->*entry)(instance, args...);
}

// The same for the image entries, which take what they need as arguments.
template <class Result, class... Params, class... Args>
Result CallImage(const EffectInstance* instance, Result (*PaintFunctions::*entry)(Params...),
                 Args... args) {
  const PaintFunctions* table = instance ? instance->paintFunctions() : nullptr;
  if (table == nullptr) return Result{};
  return (table->*entry)(args...);
}
