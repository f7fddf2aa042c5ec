#include "editor/cdazu_view.h"

#include "host/cdazu.h"

using namespace VSTGUI;

CDaZUView::CDaZUView(const CRect& size, CDaZU* adapter)
    : CView(size), adapter(adapter), ownSize(size) {}

void CDaZUView::draw(CDrawContext* context) {
  const CDaZUHooks& hooks = adapter->getHooks();
  if (hooks.Draw == nullptr) return;
  // The drawing interface works only while the surface is current.
  adapter->setDrawContext(context);
  hooks.Draw(adapter, ownSize.width(), ownSize.height());
  adapter->setDrawContext(nullptr);
}

CMouseEventResult CDaZUView::onMouseDown(CPoint& where, uint32_t buttons) {
  if (adapter->getHooks().MouseDown)
    adapter->getHooks().MouseDown(adapter, where.x, where.y, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseUp(CPoint& where, uint32_t buttons) {
  if (adapter->getHooks().MouseUp) adapter->getHooks().MouseUp(adapter, where.x, where.y, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseMoved(CPoint& where, uint32_t buttons) {
  if (adapter->getHooks().MouseMove)
    adapter->getHooks().MouseMove(adapter, where.x, where.y, buttons);
  return kMouseEventHandled;
}

int32_t CDaZUView::onKeyDown(CKeyCode& key) {
  if (adapter->getHooks().KeyDown)
    adapter->getHooks().KeyDown(adapter, key.character, key.modifier, key.virt);
  return kKeyUsed;
}

int32_t CDaZUView::onKeyUp(CKeyCode& key) {
  if (adapter->getHooks().KeyUp)
    adapter->getHooks().KeyUp(adapter, key.character, key.modifier, key.virt);
  return kKeyUsed;
}
