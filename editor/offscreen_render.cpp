#include "editor/offscreen_render.h"

#include "editor/drawing/paint_interface.h"
#include "host/cdazu.h"

using namespace VSTGUI;

SharedPointer<COffscreenContext> RenderEditorOffscreen(CDaZU* adapter) {
  int32_t width = 0, height = 0;
  if (!paintGetViewSize(adapter, &width, &height)) return {};
  SharedPointer<COffscreenContext> context = COffscreenContext::create(width, height);
  if (!context) return {};
  const CRect whole{0, 0, double(width), double(height)};
  context->setFillColor(kBlackCColor);
  context->setStrokeColor(kBlackCColor);
  context->drawRect(whole, kDrawFilledAndStroked);
  if (adapter->getHooks().Draw) {
    adapter->setDrawContext(context.get());
    adapter->getHooks().Draw(adapter, width, height);
    adapter->setDrawContext(nullptr);
  }
  return context;
}
