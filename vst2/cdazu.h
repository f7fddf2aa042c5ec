// The VST 2.4 adapter: owns the effect's instance, turns host requests into
// calls of its hooks, and answers what the instance asks of the host.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/effect_instance.h"
#include "core/host_interface.h"
#include "vst2/audio_effect_x.h"

class CDaZU : public AudioEffectX, public HostInterface {
 public:
  static constexpr int32_t kMidiRingSize = 1000;
  using MidiSlot = std::array<unsigned char, 32>;

  // Null when the host answers 0 to audioMasterVersion (it is no VST host).
  static CDaZU* create(void* effectObject, const InstanceHooks& hooks,
                       audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams,
                       const PaintFunctions* paint = nullptr);
  ~CDaZU() override;

  void open() override;
  void close() override;
  void suspend() override;
  void resume() override;
  void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
  void processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) override;
  void setParameter(int32_t index, float value) override;
  float getParameter(int32_t index) override;
  void setProgramName(const char* name) override;
  void getProgramName(char* name, size_t capacity) override;
  void getParameterLabel(int32_t index, char* label, size_t capacity) override;
  void getParameterDisplay(int32_t index, char* text, size_t capacity) override;
  void getParameterName(int32_t index, char* text, size_t capacity) override;
  int32_t getChunk(void** data, bool isPreset) override;
  int32_t setChunk(const void* data, int32_t byteSize, bool isPreset) override;
  bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
  int32_t processEvents(VstEvents* events) override;
  bool getEffectName(char* name, size_t capacity) override;
  bool getVendorString(char* text, size_t capacity) override;
  bool getProductString(char* text, size_t capacity) override;
  int32_t getVendorVersion() override;
  intptr_t canDo(const char* text) override;

  EffectInstance& instance() { return effectInstance; }
  const InstanceHooks& getHooks() const { return effectInstance.getHooks(); }

  // What the instance asks of the host.
  void declare(const EffectDeclaration& declaration) override;
  double sampleRate() override { return getSampleRate(); }
  int32_t blockSize() override { return getBlockSize(); }
  int32_t inputCount() override { return cEffect.numInputs; }
  int32_t outputCount() override { return cEffect.numOutputs; }
  // One audioMasterGetTime; every field known when the host answers at all.
  HostTime time(uint32_t fields) override;
  bool updateDisplay() override;
  // Stored in the record's initialDelay; the host reads it when it reads the record.
  bool setLatency(int32_t samples) override;
  bool setSynth(bool on) override;
  bool automate(int32_t index, double value) override;
  bool beginEdit(int32_t index) override;
  bool endEdit(int32_t index) override;
  void idle() override;
  bool sendMidi(int32_t deltaFrames, int32_t status, int32_t data1, int32_t data2) override;
  bool sendSysex(int32_t deltaFrames, const void* data, int32_t byteCount) override;
  // Takes the oldest unread MIDI event: true when one was taken, else false and zeros.
  bool receiveMidi(int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2) override;

  int32_t getMidiWriteIndex() const { return midiWriteIndex; }
  int32_t getMidiReadIndex() const { return midiReadIndex; }

 private:
  CDaZU(void* effectObject, const InstanceHooks& hooks, audioMasterCallback audioMaster,
        int32_t numPrograms, int32_t numParams, const PaintFunctions* paint);

  int32_t midiWriteIndex = 0;
  int32_t midiReadIndex = 0;
  std::vector<MidiSlot> midiRing;
  EffectInstance effectInstance;
};
