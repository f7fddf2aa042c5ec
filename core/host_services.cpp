#include "core/host_services.h"

#include "core/editor_link.h"
#include "core/effect_instance.h"

namespace {

HostTime TimeOf(EffectInstance* instance, uint32_t fields) {
  return instance ? instance->host().time(fields) : HostTime{};
}

int32_t Answer(bool taken) {
  return taken ? 1 : 0;
}

}  // namespace

float HostSampleRate(EffectInstance* instance) {
  return instance ? static_cast<float>(instance->host().sampleRate()) : 0.0f;
}

int32_t HostInputCount(EffectInstance* instance) {
  return instance ? instance->host().inputCount() : 0;
}

int32_t HostOutputCount(EffectInstance* instance) {
  return instance ? instance->host().outputCount() : 0;
}

int32_t HostBlockSize(EffectInstance* instance) {
  return instance ? instance->host().blockSize() : 0;
}

double HostTempo(EffectInstance* instance) {
  return TimeOf(instance, kTimeTempo).tempo.value_or(0.0);
}

int32_t HostIsPlaying(EffectInstance* instance) {
  return Answer(TimeOf(instance, kTimePlaying).playing.value_or(false));
}

int32_t HostIsRecording(EffectInstance* instance) {
  return Answer(TimeOf(instance, kTimeRecording).recording.value_or(false));
}

double HostPosition(EffectInstance* instance) {
  return TimeOf(instance, kTimePosition).position.value_or(0.0);
}

double HostBarStart(EffectInstance* instance) {
  return TimeOf(instance, kTimeBarStart).barStart.value_or(0.0);
}

int32_t HostTempoAndSignature(EffectInstance* instance, double* tempo, double* numerator,
                              double* denominator) {
  const HostTime time = TimeOf(instance, kTimeTempo | kTimeSignature);
  if (!time.tempo && !time.numerator && !time.denominator) return 0;
  if (tempo && time.tempo) *tempo = *time.tempo;
  if (numerator && time.numerator) *numerator = *time.numerator;
  if (denominator && time.denominator) *denominator = *time.denominator;
  return 1;
}

int32_t HostUpdateDisplay(EffectInstance* instance) {
  return Answer(instance && instance->host().updateDisplay());
}

int32_t HostRedraw(EffectInstance* instance) {
  EditorLink* editor = instance ? instance->getEditorLink() : nullptr;
  return Answer(editor && editor->redrawView());
}

int32_t HostSetLatency(EffectInstance* instance, int32_t samples) {
  return Answer(instance && instance->host().setLatency(samples));
}

int32_t HostSetSynth(EffectInstance* instance, bool on) {
  return Answer(instance && instance->host().setSynth(on));
}

int32_t HostAutomate(EffectInstance* instance, int32_t index, double value) {
  return Answer(instance && instance->host().automate(index, value));
}

int32_t HostSendMidi(EffectInstance* instance, int32_t deltaFrames, int32_t status, int32_t data1,
                     int32_t data2) {
  return Answer(instance && instance->host().sendMidi(deltaFrames, status, data1, data2));
}

int32_t HostSendSysex(EffectInstance* instance, int32_t deltaFrames, const void* data,
                      int32_t byteCount) {
  return Answer(instance && instance->host().sendSysex(deltaFrames, data, byteCount));
}

int32_t HostReceiveMidi(EffectInstance* instance, int32_t* deltaFrames, int32_t* status,
                        int32_t* data1, int32_t* data2) {
  if (instance == nullptr) return 0;
  return Answer(instance->host().receiveMidi(deltaFrames, status, data1, data2));
}
