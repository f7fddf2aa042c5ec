#include "vst2/editor/aeff_gui_editor.h"

#include "vst2/cdazu.h"

namespace {
// The toolkit keeps its own key type so that it needs no host header.
VSTGUI::CKeyCode ToolkitKey(const VstKeyCode& key) {
  return {key.character, key.virt, key.modifier};
}
}  // namespace

AEffGUIEditor::AEffGUIEditor(CDaZU* adapter, int32_t width, int32_t height)
    : AEffEditor(adapter), EditorCore(adapter->instance(), width, height), adapter(adapter) {
  adapter->setEditor(this);
}

// The size at the display scale as it is now: a host may give a scale between two questions.
bool AEffGUIEditor::getRect(ERect** out) {
  rect = ERect{0, 0, static_cast<int16_t>(getHeight()), static_cast<int16_t>(getWidth())};
  *out = &rect;
  return true;
}

void AEffGUIEditor::askHostForSize(int32_t width, int32_t height) {
  adapter->callHost(audioMasterSizeWindow, width, height);
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& key) {
  VSTGUI::CKeyCode toolkitKey = ToolkitKey(key);
  return EditorCore::onKeyDown(toolkitKey);
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& key) {
  VSTGUI::CKeyCode toolkitKey = ToolkitKey(key);
  return EditorCore::onKeyUp(toolkitKey);
}
