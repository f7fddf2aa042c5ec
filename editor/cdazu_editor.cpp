#include "editor/cdazu_editor.h"

#include "editor/cdazu_view.h"
#include "editor/toolkit/frame.h"
#include "host/cdazu.h"

using namespace VSTGUI;

CDaZUEditor::CDaZUEditor(CDaZU* adapter, int32_t width, int32_t height)
    : AEffGUIEditor(adapter), adapter(adapter), width(width), height(height) {
  rect = ERect{0, 0, static_cast<int16_t>(height), static_cast<int16_t>(width)};
}

bool CDaZUEditor::open(void* parentWindow) {
  // A host that opens twice without closing gets one window, not two.
  close();
  const CRect size{0, 0, double(width), double(height)};
  frame = new CFrame(size, parentWindow, this);
  view = new CDaZUView(size, adapter);
  frame->addView(view);
  view->release();  // the frame holds it now
  return true;
}

void CDaZUEditor::close() {
  if (frame == nullptr) return;
  frame->release();
  frame = nullptr;
  view = nullptr;
}

void CDaZUEditor::idle() {
  if (view && frame) {
    if (adapter->getHooks().Idle) adapter->getHooks().Idle(adapter);
  }
  AEffGUIEditor::idle();
}

bool CDaZUEditor::redrawView() {
  if (view == nullptr || frame == nullptr) return false;
  view->invalid();
  return true;
}

int32_t HostRedraw(CDaZU* adapter) {
  auto* editor = adapter ? dynamic_cast<CDaZUEditor*>(adapter->getEditor()) : nullptr;
  return editor && editor->redrawView() ? 1 : 0;
}
