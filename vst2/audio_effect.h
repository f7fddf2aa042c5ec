// The effect side of the VST 2.4 interface: the record handed to the host, its
// trampolines, and the operations the dispatcher maps opcodes onto.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vst2/vst24.h"

class AEffEditor;

class AudioEffect {
 public:
  AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);
  virtual ~AudioEffect();

  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}
  virtual void setSampleRate(float rate) { sampleRate = rate; }
  virtual void setBlockSize(int32_t size) { blockSize = size; }

  // The old accumulating process: nothing to add to.
  virtual void process(float** inputs, float** outputs, int32_t sampleFrames);
  virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
  virtual void processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames);

  virtual void setParameter(int32_t index, float value);
  virtual float getParameter(int32_t index);
  virtual void setProgram(int32_t program);
  virtual int32_t getProgram() { return curProgram; }
  virtual void setProgramName(const char* name);
  // Text getters write at most `capacity` bytes, terminating zero included.
  virtual void getProgramName(char* name, size_t capacity);
  virtual void getParameterLabel(int32_t index, char* label, size_t capacity);
  virtual void getParameterDisplay(int32_t index, char* text, size_t capacity);
  virtual void getParameterName(int32_t index, char* text, size_t capacity);
  virtual int32_t getChunk(void** data, bool isPreset);
  virtual int32_t setChunk(const void* data, int32_t byteSize, bool isPreset);

  AEffect* getAeffect() { return &cEffect; }
  AEffEditor* getEditor() const { return editor; }
  // Installs an editor (sets effFlagsHasEditor) or removes it (clears the flag).
  void setEditor(AEffEditor* newEditor);

  float getSampleRate() const { return sampleRate; }
  int32_t getBlockSize() const { return blockSize; }
  int32_t getNumParams() const { return numParams; }

  void setNumInputs(int32_t inputs) { cEffect.numInputs = inputs; }
  void setNumOutputs(int32_t outputs) { cEffect.numOutputs = outputs; }
  void setUniqueID(int32_t id) { cEffect.uniqueID = id; }
  void setInitialDelay(int32_t delay) { cEffect.initialDelay = delay; }
  void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
  void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
  void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
  void isSynth(bool state) { setFlag(effFlagsIsSynth, state); }

  // A request to the host; 0 when there is no callback.
  intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);

 protected:
  void setFlag(int32_t flag, bool state);

  audioMasterCallback audioMaster;
  AEffEditor* editor = nullptr;
  float sampleRate = 44100.0f;
  int32_t blockSize = 1024;
  int32_t numPrograms;
  int32_t numParams;
  int32_t curProgram = 0;
  AEffect cEffect;
};
