#include "vst2/audio_effect.h"

#include "vst2/aeff_editor.h"

namespace {

AudioEffect* effectOf(AEffect* e) {
  return e != nullptr ? static_cast<AudioEffect*>(e->object) : nullptr;
}

// Nothing may unwind into the host: a failure becomes the neutral answer.
template <class Result, class Call>
Result guarded(Result fallback, Call call) noexcept {
  try {
    return call();
  } catch (...) {
    return fallback;
  }
}

template <class Call>
void guarded(Call call) noexcept {
  try {
    call();
  } catch (...) {
  }
}

intptr_t dispatchTrampoline(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                            float opt) {
  AudioEffect* effect = effectOf(e);
  if (effect == nullptr) return 0;
  const intptr_t result =
      guarded(intptr_t{0}, [&] { return effect->dispatcher(opcode, index, value, ptr, opt); });
  if (opcode != effClose) return result;
  guarded([&] { delete effect; });
  return 1;
}

void processTrampoline(AEffect* e, float** inputs, float** outputs, int32_t frames) {
  if (AudioEffect* effect = effectOf(e)) {
    guarded([&] { effect->process(inputs, outputs, frames); });
  }
}

void processReplacingTrampoline(AEffect* e, float** inputs, float** outputs, int32_t frames) {
  if (AudioEffect* effect = effectOf(e)) {
    guarded([&] { effect->processReplacing(inputs, outputs, frames); });
  }
}

void processDoubleReplacingTrampoline(AEffect* e, double** inputs, double** outputs,
                                      int32_t frames) {
  if (AudioEffect* effect = effectOf(e)) {
    guarded([&] { effect->processDoubleReplacing(inputs, outputs, frames); });
  }
}

void setParameterTrampoline(AEffect* e, int32_t index, float value) {
  AudioEffect* effect = effectOf(e);
  if (effect == nullptr || index < 0 || index >= effect->getNumParams()) return;
  guarded([&] { effect->setParameter(index, value); });
}

float getParameterTrampoline(AEffect* e, int32_t index) {
  AudioEffect* effect = effectOf(e);
  if (effect == nullptr || index < 0 || index >= effect->getNumParams()) return 0.0f;
  return guarded(0.0f, [&] { return effect->getParameter(index); });
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams), cEffect{} {
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchTrampoline;
  cEffect.process = processTrampoline;
  cEffect.setParameter = setParameterTrampoline;
  cEffect.getParameter = getParameterTrampoline;
  cEffect.numPrograms = numPrograms;
  cEffect.numParams = numParams;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.flags = effFlagsCanReplacing;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = 0x4e6f4566;  // 'NoEf' until the effect declares its own
  cEffect.version = 1;
  cEffect.processReplacing = processReplacingTrampoline;
  cEffect.processDoubleReplacing = processDoubleReplacingTrampoline;
}

AudioEffect::~AudioEffect() {
  delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setFlag(int32_t flag, bool state) {
  if (state) {
    cEffect.flags |= flag;
  } else {
    cEffect.flags &= ~flag;
  }
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
  return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::process(float**, float**, int32_t) {}
void AudioEffect::processReplacing(float**, float**, int32_t) {}
void AudioEffect::processDoubleReplacing(double**, double**, int32_t) {}
void AudioEffect::setParameter(int32_t, float) {}
float AudioEffect::getParameter(int32_t) {
  return 0.0f;
}
void AudioEffect::setProgramName(const char*) {}
void AudioEffect::getProgramName(char*, size_t) {}
void AudioEffect::getParameterLabel(int32_t, char*, size_t) {}
void AudioEffect::getParameterDisplay(int32_t, char*, size_t) {}
void AudioEffect::getParameterName(int32_t, char*, size_t) {}
int32_t AudioEffect::getChunk(void**, bool) {
  return 0;
}
int32_t AudioEffect::setChunk(const void*, int32_t, bool) {
  return 0;
}

void AudioEffect::setProgram(int32_t program) {
  if (program < numPrograms) curProgram = program;
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt) {
  char* text = static_cast<char*>(ptr);
  // Parameter texts only for parameters that exist; a host that asks for others
  // gets its buffer back untouched.
  const bool parameterText = text != nullptr && index >= 0 && index < numParams;
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      // Judged on the whole value: cut to 32 bits first, 2^32 would pass as program 0.
      // A negative number is no program: a host would index its list with it.
      if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      if (text != nullptr) setProgramName(text);
      return 0;
    case effGetProgramName:
      if (text != nullptr) getProgramName(text, kVstMaxProgNameLen);
      return 0;
    case effGetParamLabel:
      if (parameterText) getParameterLabel(index, text, kVstMaxParamStrLen);
      return 0;
    case effGetParamDisplay:
      if (parameterText) getParameterDisplay(index, text, kVstMaxParamStrLen);
      return 0;
    case effGetParamName:
      if (parameterText) getParameterName(index, text, kVstMaxParamStrLen);
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<int32_t>(value));
      return 0;
    case effMainsChanged:
      if (value == 0) {
        suspend();
      } else {
        resume();
      }
      return 0;
    case effEditGetRect:
      return editor != nullptr && ptr != nullptr && editor->getRect(static_cast<ERect**>(ptr));
    case effEditOpen:
      return editor != nullptr && editor->open(ptr);
    case effEditClose:
      if (editor != nullptr) editor->close();
      return 0;
    case effEditIdle:
      if (editor != nullptr) editor->idle();
      return 0;
    case effIdentify:
      return 0x4e764566;  // 'NvEf'
    case effGetChunk:
      return ptr != nullptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk: {
      // A size beyond 32 bits is no chunk; a chunk without data is ignored like a short one.
      if (value < INT32_MIN || value > INT32_MAX) return 0;
      const auto byteSize = static_cast<int32_t>(value);
      return ptr != nullptr ? setChunk(ptr, byteSize, index != 0) : byteSize;
    }
    default:
      return 0;
  }
}
