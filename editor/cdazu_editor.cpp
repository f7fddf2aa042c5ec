#include "editor/cdazu_editor.h"

#include "host/cdazu.h"

CDaZUEditor::CDaZUEditor(CDaZU* effect, int32_t width, int32_t height)
    : AEffGUIEditor(effect), host(effect), width(width), height(height) {
  rect = ERect{0, 0, static_cast<int16_t>(height), static_cast<int16_t>(width)};
}

bool CDaZUEditor::open(void* parentWindow) {
  systemWindow = parentWindow;
  return true;
}

void CDaZUEditor::close() {
  systemWindow = nullptr;
}

// The timed redraw runs only while a view is shown.
void CDaZUEditor::idle() {}

bool CDaZUEditor::redrawView() {
  return false;
}

int32_t HostRedraw(CDaZU* host) {
  auto* editor = host ? dynamic_cast<CDaZUEditor*>(host->getEditor()) : nullptr;
  return editor && editor->redrawView() ? 1 : 0;
}
