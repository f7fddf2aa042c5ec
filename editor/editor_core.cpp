#include "editor/editor_core.h"

#include <chrono>
#include <thread>

#include "core/effect_instance.h"
#include "editor/cdazu_view.h"
#include "editor/toolkit/frame.h"
#include "platform/module_services.h"

using namespace VSTGUI;

namespace {
int32_t knobMode = 0;

uint32_t TickCount() {
  return static_cast<uint32_t>(MillisecondClock());
}
}  // namespace

EditorCore::EditorCore(EffectInstance& instance, int32_t width, int32_t height)
    : instance(instance), width(width), height(height), nextIdleTime(TickCount()) {
  instance.setViewSize(width, height);
  instance.setEditorLink(this);
}

EditorCore::~EditorCore() {
  close();
  if (instance.getEditorLink() == this) instance.setEditorLink(nullptr);
}

bool EditorCore::open(void* parentWindow) {
  close();
  const CRect size{0, 0, double(width), double(height)};
  frame = new CFrame(size, parentWindow, this);
  view = new CDaZUView(size, &instance);
  frame->addView(view);
  view->release();  // the frame holds it now
  return true;
}

void EditorCore::close() {
  if (frame == nullptr) return;
  frame->release();
  frame = nullptr;
  view = nullptr;
}

void EditorCore::idle() {
  if (view && frame && instance.getHooks().Idle) instance.getHooks().Idle(&instance);
  if (!inIdle && frame) frame->idle();
}

bool EditorCore::redrawView() {
  if (view == nullptr || frame == nullptr) return false;
  view->invalid();
  return true;
}

void EditorCore::redrawNow(const CRect* area) {
  if (frame) frame->redrawNow(area ? area->normalized() : frame->getViewSize());
}

bool EditorCore::onKeyDown(CKeyCode& key) {
  return frame && frame->onKeyDown(key) > 0;
}

bool EditorCore::onKeyUp(CKeyCode& key) {
  return frame && frame->onKeyUp(key) > 0;
}

bool EditorCore::onMouseWheel(float distance) {
  if (frame == nullptr) return false;
  frame->onNativeWheel(frame->getCurrentMouseLocation(), distance, frame->getCurrentMouseButtons());
  return true;
}

bool EditorCore::setKnobMode(int32_t mode) {
  knobMode = mode;
  return true;
}

int32_t EditorCore::getKnobMode() const {
  return knobMode;
}

void EditorCore::beginEdit(int32_t index) {
  instance.host().beginEdit(index);
}

void EditorCore::endEdit(int32_t index) {
  instance.host().endEdit(index);
}

void EditorCore::idleDuringWait() {
  uint32_t now = TickCount();
  if (static_cast<int32_t>(nextIdleTime - now) > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(4));
    now += 4;
    if (static_cast<int32_t>(nextIdleTime - now) > 50) return;
  }
  idle();
  ThreadServices::dispatchPendingPaint();
  inIdle = true;
  nextIdleTime = now + 100;
  instance.host().idle();
  inIdle = false;
}
