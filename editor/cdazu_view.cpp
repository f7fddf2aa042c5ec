#include "editor/cdazu_view.h"

#include "core/effect_instance.h"
#include "editor/drawing/surface_scale.h"

using namespace VSTGUI;

CDaZUView::CDaZUView(const CRect& size, EffectInstance* instance)
    : CView(size), instance(instance) {}

void CDaZUView::draw(CDrawContext* context) {
  const InstanceHooks& hooks = instance->getHooks();
  if (hooks.Draw == nullptr) return;
  // The drawing interface works only while the surface is current. The
  // graphics section draws in the view's own pixels at any display scale.
  instance->setDrawContext(context);
  hooks.Draw(instance, instance->getViewWidth(), instance->getViewHeight());
  instance->setDrawContext(nullptr);
}

double CDaZUView::toView(double screenPixels) const {
  return SurfaceScale(instance->getDisplayScale()).toView(screenPixels);
}

CMouseEventResult CDaZUView::onMouseDown(CPoint& where, uint32_t buttons) {
  if (instance->getHooks().MouseDown)
    instance->getHooks().MouseDown(instance, toView(where.x), toView(where.y), buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseUp(CPoint& where, uint32_t buttons) {
  if (instance->getHooks().MouseUp)
    instance->getHooks().MouseUp(instance, toView(where.x), toView(where.y), buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseMoved(CPoint& where, uint32_t buttons) {
  if (instance->getHooks().MouseMove)
    instance->getHooks().MouseMove(instance, toView(where.x), toView(where.y), buttons);
  return kMouseEventHandled;
}

int32_t CDaZUView::onKeyDown(CKeyCode& key) {
  if (instance->getHooks().KeyDown)
    instance->getHooks().KeyDown(instance, key.character, key.modifier, key.virt);
  return kKeyUsed;
}

int32_t CDaZUView::onKeyUp(CKeyCode& key) {
  if (instance->getHooks().KeyUp)
    instance->getHooks().KeyUp(instance, key.character, key.modifier, key.virt);
  return kKeyUsed;
}
