// What the runtime and the script's generated code ask of the host through the
// adapter. Every service answers 0 and does nothing for a null adapter.
#pragma once

#include <cstdint>

class CDaZU;

float HostSampleRate(CDaZU* adapter);
int32_t HostInputCount(CDaZU* adapter);
int32_t HostOutputCount(CDaZU* adapter);
int32_t HostBlockSize(CDaZU* adapter);

// Time queries: one audioMasterGetTime each; 0 when the host has no time info.
double HostTempo(CDaZU* adapter);
int32_t HostIsPlaying(CDaZU* adapter);
int32_t HostIsRecording(CDaZU* adapter);
double HostPosition(CDaZU* adapter);
double HostBarStart(CDaZU* adapter);
// Writes into the pointers given; 0 with the outputs untouched when there is no answer.
int32_t HostTempoAndSignature(CDaZU* adapter, double* tempo, double* numerator,
                              double* denominator);

int32_t HostUpdateDisplay(CDaZU* adapter);
// Stored in the record's initialDelay; the host reads it when it reads the record.
int32_t HostSetLatency(CDaZU* adapter, int32_t samples);
int32_t HostSetSynth(CDaZU* adapter, bool on);
int32_t HostAutomate(CDaZU* adapter, int32_t index, double value);
int32_t HostSendMidi(CDaZU* adapter, int32_t deltaFrames, int32_t status, int32_t data1,
                     int32_t data2);
int32_t HostSendSysex(CDaZU* adapter, int32_t deltaFrames, const void* data, int32_t byteCount);
int32_t HostReceiveMidi(CDaZU* adapter, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                        int32_t* data2);
