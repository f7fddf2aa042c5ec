#include "editor/cdazu_view.h"

#include "core/effect_instance.h"

using namespace VSTGUI;

CDaZUView::CDaZUView(const CRect& size, EffectInstance* instance)
    : CView(size), instance(instance), ownSize(size) {}

void CDaZUView::draw(CDrawContext* context) {
  const InstanceHooks& hooks = instance->getHooks();
  if (hooks.Draw == nullptr) return;
  // The drawing interface works only while the surface is current.
  instance->setDrawContext(context);
  hooks.Draw(instance, ownSize.width(), ownSize.height());
  instance->setDrawContext(nullptr);
}

CMouseEventResult CDaZUView::onMouseDown(CPoint& where, uint32_t buttons) {
  if (instance->getHooks().MouseDown)
    instance->getHooks().MouseDown(instance, where.x, where.y, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseUp(CPoint& where, uint32_t buttons) {
  if (instance->getHooks().MouseUp)
    instance->getHooks().MouseUp(instance, where.x, where.y, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseMoved(CPoint& where, uint32_t buttons) {
  if (instance->getHooks().MouseMove)
    instance->getHooks().MouseMove(instance, where.x, where.y, buttons);
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
