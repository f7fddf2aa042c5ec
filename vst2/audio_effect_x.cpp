#include "vst2/audio_effect_x.h"

#include <cmath>

#include "vst2/aeff_editor.h"

namespace {

// The modifier arrives as a float; anything that is not a plain number is none.
unsigned char lowByteOf(float value) {
  if (!(value > -2147483648.0f && value < 2147483648.0f)) return 0;
  return static_cast<unsigned char>(static_cast<int32_t>(value) & 0xFF);
}

}  // namespace

int32_t AudioEffectX::processEvents(VstEvents*) {
  return 0;
}
bool AudioEffectX::getProgramNameIndexed(int32_t, int32_t, char*) {
  return false;
}
bool AudioEffectX::getEffectName(char*, size_t) {
  return false;
}
bool AudioEffectX::getVendorString(char*, size_t) {
  return false;
}
bool AudioEffectX::getProductString(char*, size_t) {
  return false;
}
intptr_t AudioEffectX::canDo(const char*) {
  return 0;
}

int32_t AudioEffectX::getPlugCategory() {
  return (cEffect.flags & effFlagsIsSynth) ? 2 : 0;
}

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return 1;
    case effGetProgramNameIndexed:
      return getProgramNameIndexed(static_cast<int32_t>(value), index, text);
    case effGetPlugCategory:
      return getPlugCategory();
    case effGetEffectName:
      return text != nullptr && getEffectName(text, kVstMaxEffectNameLen);
    case effGetVendorString:
      return text != nullptr && getVendorString(text, kVstMaxVendorStrLen);
    case effGetProductString:
      return text != nullptr && getProductString(text, kVstMaxProductStrLen);
    case effGetVendorVersion:
      return getVendorVersion();
    case effCanDo:
      return text != nullptr ? canDo(text) : -1;
    case effGetVstVersion:
      return kVstVersion;
    case effEditKeyDown:
    case effEditKeyUp: {
      if (editor == nullptr) return 0;
      VstKeyCode key{index, static_cast<unsigned char>(value & 0xFF), lowByteOf(opt)};
      return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    }
    case effSetEditKnobMode:
      return editor != nullptr && editor->setKnobMode(static_cast<int32_t>(value));
    case effGetCurrentMidiProgram:
      return -1;
    case effGetSpeakerArrangement:
      // value and ptr carry the addresses of the input and output arrangement pointers.
      if (void** input = reinterpret_cast<void**>(value)) *input = nullptr;
      if (void** output = static_cast<void**>(ptr)) *output = nullptr;
      return 0;
    case effSetTotalSampleToProcess:
      return static_cast<int32_t>(value);
    case effVendorSpecific:
      if (index == kVendorDisplayScaleIndex && value == kVendorDisplayScaleValue) {
        return editor != nullptr && editor->setContentScale(opt);
      }
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    default:
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}
