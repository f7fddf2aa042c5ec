// The editor interface an effect offers its host.
#pragma once

#include <cstdint>

#include "vst2/vst24.h"

class AudioEffect;

class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
  virtual ~AEffEditor() = default;

  virtual AudioEffect* getEffect() { return effect; }
  // Stores the address of a rectangle the editor owns.
  virtual bool getRect(ERect** rect) = 0;
  virtual bool open(void* parentWindow) = 0;
  virtual void close() = 0;
  virtual bool isOpen() = 0;
  virtual void idle() = 0;
  virtual bool onKeyDown(VstKeyCode& key) = 0;
  virtual bool onKeyUp(VstKeyCode& key) = 0;
  virtual bool onMouseWheel(float distance) = 0;
  virtual bool setKnobMode(int32_t mode) = 0;
  // The display scale a host asks for; false when it is not taken.
  virtual bool setContentScale(float) { return false; }

 protected:
  AudioEffect* effect;
};
