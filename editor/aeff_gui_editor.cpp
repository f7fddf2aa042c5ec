#include "editor/aeff_gui_editor.h"

#include "host/audio_effect.h"

namespace {
int32_t knobMode = 0;
}

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {
  effect->setEditor(this);
}

bool AEffGUIEditor::getRect(ERect** out) {
  *out = &rect;
  return true;
}

bool AEffGUIEditor::open(void* parentWindow) {
  systemWindow = parentWindow;
  return false;
}

// Keys and the wheel need a frame window to go to; without one they are not used.
bool AEffGUIEditor::onKeyDown(VstKeyCode&) {
  return false;
}
bool AEffGUIEditor::onKeyUp(VstKeyCode&) {
  return false;
}
bool AEffGUIEditor::onMouseWheel(float) {
  return false;
}

bool AEffGUIEditor::setKnobMode(int32_t mode) {
  knobMode = mode;
  return true;
}

int32_t AEffGUIEditor::getKnobMode() {
  return knobMode;
}
