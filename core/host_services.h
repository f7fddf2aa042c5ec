// What the runtime and the script's generated code ask of the host, through the
// instance. Every service answers 0 and does nothing for a null instance.
#pragma once

#include <cstdint>

class EffectInstance;

float HostSampleRate(EffectInstance* instance);
int32_t HostInputCount(EffectInstance* instance);
int32_t HostOutputCount(EffectInstance* instance);
int32_t HostBlockSize(EffectInstance* instance);

// Time queries: one question to the host each; 0 for what the host does not say.
double HostTempo(EffectInstance* instance);
int32_t HostIsPlaying(EffectInstance* instance);
int32_t HostIsRecording(EffectInstance* instance);
double HostPosition(EffectInstance* instance);
double HostBarStart(EffectInstance* instance);
// Writes into the pointers given what the host says; 0, with the outputs
// untouched, when it says none of the three.
int32_t HostTempoAndSignature(EffectInstance* instance, double* tempo, double* numerator,
                              double* denominator);

int32_t HostUpdateDisplay(EffectInstance* instance);
// 1 when the editor showing the instance was asked to draw anew.
int32_t HostRedraw(EffectInstance* instance);
int32_t HostSetLatency(EffectInstance* instance, int32_t samples);
int32_t HostSetSynth(EffectInstance* instance, bool on);
int32_t HostAutomate(EffectInstance* instance, int32_t index, double value);
int32_t HostSendMidi(EffectInstance* instance, int32_t deltaFrames, int32_t status, int32_t data1,
                     int32_t data2);
int32_t HostSendSysex(EffectInstance* instance, int32_t deltaFrames, const void* data,
                      int32_t byteCount);
int32_t HostReceiveMidi(EffectInstance* instance, int32_t* deltaFrames, int32_t* status,
                        int32_t* data1, int32_t* data2);
