#include "editor/editor_core.h"

#include <chrono>
#include <thread>

#include "core/display_scale.h"
#include "core/effect_instance.h"
#include "editor/cdazu_view.h"
#include "editor/toolkit/desktop_scale.h"
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

bool EditorCore::open(void* parent) {
  close();
  parentWindow = parent;
  desktopScale = DesktopScale(parent);
  applyScale();
  const CRect size{0, 0, double(getWidth()), double(getHeight())};
  frame = new CFrame(size, parent, this);
  view = new CDaZUView(size, &instance);
  frame->addView(view);
  view->release();  // the frame holds it now
  return true;
}

int32_t EditorCore::getWidth() const {
  return ScaledLength(width, displayScale());
}

int32_t EditorCore::getHeight() const {
  return ScaledLength(height, displayScale());
}

double EditorCore::displayScale() const {
  if (hostScale) return *hostScale;
  if (!desktopScale) desktopScale = DesktopScale(nullptr);
  return desktopScale->value_or(1);
}

bool EditorCore::setHostScale(double scale) {
  const std::optional<double> usable = UsableDisplayScale(scale);
  if (!usable) return false;
  hostScale = usable;
  applyScale();
  return true;
}

void EditorCore::desktopScaleChanged() {
  if (frame == nullptr) return;
  desktopScale = DesktopScale(parentWindow);
  applyScale();
}

void EditorCore::applyScale() {
  instance.setDisplayScale(displayScale());
  if (frame == nullptr) return;
  const CRect size{0, 0, double(getWidth()), double(getHeight())};
  if (size == frame->getViewSize()) return;
  view->setViewSize(size);
  frame->setSize(size.width(), size.height());
  askHostForSize(getWidth(), getHeight());
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
