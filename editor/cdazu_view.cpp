#include "editor/cdazu_view.h"

#include "host/cdazu.h"

using namespace VSTGUI;

CDaZUView::CDaZUView(const CRect& size, CDaZU* host) : CView(size), host(host), ownSize(size) {}

void CDaZUView::draw(CDrawContext* context) {
  const CDaZUHooks& hooks = host->getHooks();
  if (hooks.Draw == nullptr) return;
  // The drawing interface works only while the surface is current.
  host->setDrawContext(context);
  hooks.Draw(host, ownSize.width(), ownSize.height());
  host->setDrawContext(nullptr);
}

CMouseEventResult CDaZUView::onMouseDown(CPoint& where, uint32_t buttons) {
  if (host->getHooks().MouseDown) host->getHooks().MouseDown(host, where.x, where.y, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseUp(CPoint& where, uint32_t buttons) {
  if (host->getHooks().MouseUp) host->getHooks().MouseUp(host, where.x, where.y, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CDaZUView::onMouseMoved(CPoint& where, uint32_t buttons) {
  if (host->getHooks().MouseMove) host->getHooks().MouseMove(host, where.x, where.y, buttons);
  return kMouseEventHandled;
}

int32_t CDaZUView::onKeyDown(CKeyCode& key) {
  if (host->getHooks().KeyDown)
    host->getHooks().KeyDown(host, key.character, key.modifier, key.virt);
  return kKeyUsed;
}

int32_t CDaZUView::onKeyUp(CKeyCode& key) {
  if (host->getHooks().KeyUp) host->getHooks().KeyUp(host, key.character, key.modifier, key.virt);
  return kKeyUsed;
}
