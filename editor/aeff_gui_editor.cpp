#include "editor/aeff_gui_editor.h"

#include <chrono>
#include <thread>

#include "editor/toolkit/frame.h"
#include "host/audio_effect.h"
#include "platform/module_services.h"

namespace {
int32_t knobMode = 0;

uint32_t TickCount() {
  return static_cast<uint32_t>(MillisecondClock());
}

// The toolkit keeps its own key type so that it needs no host header.
VSTGUI::CKeyCode ToolkitKey(const VstKeyCode& key) {
  return {key.character, key.virt, key.modifier};
}
}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect), nextIdleTime(TickCount()) {
  effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor() {
  if (frame) frame->release();
}

bool AEffGUIEditor::getRect(ERect** out) {
  *out = &rect;
  return true;
}

bool AEffGUIEditor::open(void* parentWindow) {
  systemWindow = parentWindow;
  return false;
}

void AEffGUIEditor::idle() {
  if (!inIdle && frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& key) {
  VSTGUI::CKeyCode toolkitKey = ToolkitKey(key);
  return frame && frame->onKeyDown(toolkitKey) > 0;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& key) {
  VSTGUI::CKeyCode toolkitKey = ToolkitKey(key);
  return frame && frame->onKeyUp(toolkitKey) > 0;
}

bool AEffGUIEditor::onMouseWheel(float distance) {
  if (frame == nullptr) return false;
  frame->onNativeWheel(frame->getCurrentMouseLocation(), distance, frame->getCurrentMouseButtons());
  return true;
}

bool AEffGUIEditor::setKnobMode(int32_t mode) {
  knobMode = mode;
  return true;
}

int32_t AEffGUIEditor::getKnobMode() const {
  return knobMode;
}

void AEffGUIEditor::beginEdit(int32_t index) {
  effect->callHost(audioMasterBeginEdit, index);
}

void AEffGUIEditor::endEdit(int32_t index) {
  effect->callHost(audioMasterEndEdit, index);
}

void AEffGUIEditor::redrawNow(const VSTGUI::CRect* area) {
  if (frame) frame->redrawNow(area ? area->normalized() : frame->getViewSize());
}

void AEffGUIEditor::idleDuringWait() {
  uint32_t now = TickCount();
  if (static_cast<int32_t>(nextIdleTime - now) > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(4));
    now += 4;
    if (static_cast<int32_t>(nextIdleTime - now) > 50) return;
  }
  idle();
  VSTGUI::ThreadServices::dispatchPendingPaint();
  inIdle = true;
  nextIdleTime = now + 100;
  effect->callHost(audioMasterIdle);
  inIdle = false;
}
