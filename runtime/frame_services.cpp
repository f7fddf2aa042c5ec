#include "runtime/frame_services.h"

#include "runtime/text_copy.h"

namespace FrameServices {

void Setup(EffectInstance* instance) {
  TVebrisk* effect = FrameOf(instance);
  if (effect == nullptr) return;
  instance->host().declare(EffectDeclaration{
      .channels = effect->DeclaredChannels, .uniqueId = effect->UniqueId, .stateIsOneChunk = true});
}

void Delete(EffectInstance* instance) {
  delete FrameOf(instance);
}

void Open(EffectInstance* instance) {
  if (TVebrisk* effect = FrameOf(instance)) effect->Reset();
}

void Suspend(EffectInstance* instance) {
  if (TVebrisk* effect = FrameOf(instance)) effect->OnSuspend();
}

void Resume(EffectInstance* instance) {
  if (TVebrisk* effect = FrameOf(instance)) effect->OnResume();
}

void Idle(EffectInstance* instance) {
  if (TVebrisk* effect = FrameOf(instance)) effect->OnIdle();
}

void Close(EffectInstance* instance) {
  if (TVebrisk* effect = FrameOf(instance)) effect->OnClose();
}

void Draw(EffectInstance* instance, double, double) {
  if (TVebrisk* effect = FrameOf(instance)) effect->DoGraphics();
}

void MouseDown(EffectInstance* instance, double x, double y, uint32_t buttons) {
  if (TVebrisk* effect = FrameOf(instance)) effect->MouseDown(x, y, buttons);
}

void MouseUp(EffectInstance* instance, double x, double y, uint32_t) {
  if (TVebrisk* effect = FrameOf(instance)) effect->MouseUp(x, y);
}

void MouseMove(EffectInstance* instance, double x, double y, uint32_t) {
  if (TVebrisk* effect = FrameOf(instance)) effect->MouseMove(x, y);
}

int32_t GetVendorVersion(EffectInstance* instance) {
  TVebrisk* effect = FrameOf(instance);
  return effect ? effect->VendorVersion : 0;
}

namespace {
int32_t CopyDescription(EffectInstance* instance, std::string CVebriskDescription::*text,
                        char* buffer, size_t capacity) {
  TVebrisk* effect = FrameOf(instance);
  if (effect == nullptr) return 0;
  CopyText(buffer, capacity, effect->*text);
  return 1;
}
}  // namespace

int32_t GetVendorName(EffectInstance* instance, char* buffer, size_t capacity) {
  return CopyDescription(instance, &CVebriskDescription::VendorName, buffer, capacity);
}

int32_t GetProductName(EffectInstance* instance, char* buffer, size_t capacity) {
  return CopyDescription(instance, &CVebriskDescription::ProductName, buffer, capacity);
}

int32_t GetEffectName(EffectInstance* instance, char* buffer, size_t capacity) {
  return CopyDescription(instance, &CVebriskDescription::EffectName, buffer, capacity);
}

int32_t GetProgramName(EffectInstance* instance, char* buffer, size_t capacity) {
  return CopyDescription(instance, &CVebriskDescription::ProgramName, buffer, capacity);
}

void SetProgramName(EffectInstance* instance, const char* name) {
  TVebrisk* effect = FrameOf(instance);
  if (effect != nullptr && name != nullptr) effect->ProgramName = name;
}

int32_t GetProgramNameIndexed(EffectInstance*, int32_t, int32_t, char*) {
  return 0;
}

double GetSliderNormalized(EffectInstance* instance, int32_t index) {
  TVebrisk* effect = FrameOf(instance);
  return effect ? effect->GetSliderNormalized(index) : 0.0;
}

void SetSliderNormalized(EffectInstance* instance, int32_t index, double value) {
  if (TVebrisk* effect = FrameOf(instance)) effect->SetSliderNormalized(index, value);
}

void GetSliderName(EffectInstance* instance, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* effect = FrameOf(instance)) effect->GetSliderName(index, buffer, capacity);
}

void GetSliderLabel(EffectInstance* instance, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* effect = FrameOf(instance)) effect->GetSliderLabel(index, buffer, capacity);
}

void GetSliderDisplay(EffectInstance* instance, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* effect = FrameOf(instance)) effect->GetSliderDisplay(index, buffer, capacity);
}

int32_t GetState(EffectInstance* instance, void** data, bool) {
  TVebrisk* effect = FrameOf(instance);
  return effect ? effect->GetState(data) : 0;
}

int32_t SetState(EffectInstance* instance, const void* data, int32_t byteSize, bool) {
  TVebrisk* effect = FrameOf(instance);
  return effect ? effect->SetState(data, byteSize) : 0;
}

}  // namespace FrameServices
