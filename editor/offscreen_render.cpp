#include "editor/offscreen_render.h"

#include "core/effect_instance.h"
#include "editor/drawing/paint_interface.h"

using namespace VSTGUI;

SharedPointer<COffscreenContext> RenderEditorOffscreen(EffectInstance* instance) {
  int32_t width = 0, height = 0;
  if (!paintGetViewSize(instance, &width, &height)) return {};
  SharedPointer<COffscreenContext> context = COffscreenContext::create(width, height);
  if (!context) return {};
  const CRect whole{0, 0, double(width), double(height)};
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
