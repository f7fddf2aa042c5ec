// The toolkit's editor base: the rectangle the host sizes its window from and
// the editor state shared by every toolkit editor.
#pragma once

#include <cstdint>

#include "host/aeff_editor.h"

class AEffGUIEditor : public AEffEditor {
 public:
  explicit AEffGUIEditor(AudioEffect* effect);

  bool getRect(ERect** rect) override;
  bool open(void* parentWindow) override;
  void close() override { systemWindow = nullptr; }
  bool isOpen() override { return systemWindow != nullptr; }
  void idle() override {}
  bool onKeyDown(VstKeyCode& key) override;
  bool onKeyUp(VstKeyCode& key) override;
  bool onMouseWheel(float distance) override;
  // Knob mode is one value for the whole process.
  bool setKnobMode(int32_t mode) override;
  static int32_t getKnobMode();

 protected:
  void* systemWindow = nullptr;
  ERect rect{};
};
