#include "editor/offscreen_render.h"

#include "editor/drawing/paint_interface.h"
#include "host/cdazu.h"

using namespace VSTGUI;

SharedPointer<COffscreenContext> RenderEditorOffscreen(CDaZU* host) {
  int32_t width = 0, height = 0;
  if (!paintGetViewSize(host, &width, &height)) return {};
  SharedPointer<COffscreenContext> context = COffscreenContext::create(width, height);
  if (!context) return {};
  const CRect whole{0, 0, double(width), double(height)};
  context->setFillColor(kBlackCColor);
  context->setStrokeColor(kBlackCColor);
  context->drawRect(whole, kDrawFilledAndStroked);
  if (host->getHooks().Draw) {
    host->setDrawContext(context.get());
    host->getHooks().Draw(host, width, height);
    host->setDrawContext(nullptr);
  }
  return context;
}
