// The VST 2.x extensions: events, identity texts, capabilities and the later opcodes.
#pragma once

#include "vst2/audio_effect.h"

class AudioEffectX : public AudioEffect {
 public:
  using AudioEffect::AudioEffect;

  intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

  virtual int32_t processEvents(VstEvents* events);
  virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text);
  virtual bool getEffectName(char* name, size_t capacity);
  virtual bool getVendorString(char* text, size_t capacity);
  virtual bool getProductString(char* text, size_t capacity);
  virtual int32_t getVendorVersion() { return 0; }
  // 1 for yes, -1 for no, 0 for do not know (or any other answer the effect defines).
  virtual intptr_t canDo(const char* text);
  // Category 2 (synth) when the record says so, else 0 (unknown).
  virtual int32_t getPlugCategory();
};
