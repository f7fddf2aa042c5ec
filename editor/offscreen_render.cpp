#include "editor/offscreen_render.h"

#include "core/display_scale.h"
#include "core/effect_instance.h"
#include "editor/drawing/paint_interface.h"

using namespace VSTGUI;

SharedPointer<COffscreenContext> RenderEditorOffscreen(EffectInstance* instance) {
  int32_t width = 0, height = 0;
  if (!paintGetViewSize(instance, &width, &height)) return {};
  const double scale = instance->getDisplayScale();
  const int32_t surfaceWidth = ScaledLength(width, scale),
                surfaceHeight = ScaledLength(height, scale);
  SharedPointer<COffscreenContext> context = COffscreenContext::create(surfaceWidth, surfaceHeight);
  if (!context) return {};
  const CRect whole{0, 0, double(surfaceWidth), double(surfaceHeight)};
  context->setFillColor(kBlackCColor);
  context->setStrokeColor(kBlackCColor);
  context->drawRect(whole, kDrawFilledAndStroked);
  if (instance->getHooks().Draw) {
    instance->setDrawContext(context.get());
    instance->getHooks().Draw(instance, width, height);
    instance->setDrawContext(nullptr);
  }
  return context;
}
