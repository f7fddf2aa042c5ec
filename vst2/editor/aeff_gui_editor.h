// The bridge from the host's editor record to the editor core: the rectangle the
// host sizes its window from, and the host's editor requests forwarded.
#pragma once

#include <cstdint>

#include "editor/editor_core.h"
#include "vst2/aeff_editor.h"

class CDaZU;

class AEffGUIEditor : public AEffEditor, public EditorCore {
 public:
  AEffGUIEditor(CDaZU* adapter, int32_t width, int32_t height);

  bool getRect(ERect** rect) override;
  bool open(void* parentWindow) override { return EditorCore::open(parentWindow); }
  void close() override { EditorCore::close(); }
  bool isOpen() override { return EditorCore::isOpen(); }
  void idle() override { EditorCore::idle(); }
  bool onKeyDown(VstKeyCode& key) override;
  bool onKeyUp(VstKeyCode& key) override;
  bool onMouseWheel(float distance) override { return EditorCore::onMouseWheel(distance); }
  bool setKnobMode(int32_t mode) override { return EditorCore::setKnobMode(mode); }
  bool setContentScale(float scale) override { return setHostScale(scale); }

 protected:
  void askHostForSize(int32_t width, int32_t height) override;

 private:
  CDaZU* adapter;
  ERect rect{};
};
