#include "runtime/frame_services.h"

#include "editor/cdazu_editor.h"
#include "runtime/text_copy.h"

namespace FrameServices {

void Setup(CDaZU* adapter) {
  TVebrisk* effect = FrameOf(adapter);
  if (effect == nullptr) return;
  adapter->setNumInputs(effect->DeclaredChannels);
  adapter->setNumOutputs(effect->DeclaredChannels);
  adapter->setUniqueID(effect->UniqueId);
  if (adapter->getEditor() == nullptr)
    new CDaZUEditor(adapter, effect->EditorWidth, effect->EditorHeight);
  adapter->programsAreChunks(true);
}

void Delete(CDaZU* adapter) {
  delete FrameOf(adapter);
}

void Open(CDaZU* adapter) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->Reset();
}

void Suspend(CDaZU* adapter) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->OnSuspend();
}

void Resume(CDaZU* adapter) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->OnResume();
}

void Idle(CDaZU* adapter) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->OnIdle();
}

void Close(CDaZU* adapter) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->OnClose();
}

void Draw(CDaZU* adapter, double, double) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->DoGraphics();
}

void MouseDown(CDaZU* adapter, double x, double y, uint32_t buttons) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->MouseDown(x, y, buttons);
}

void MouseUp(CDaZU* adapter, double x, double y, uint32_t) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->MouseUp(x, y);
}

void MouseMove(CDaZU* adapter, double x, double y, uint32_t) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->MouseMove(x, y);
}

int32_t GetVendorVersion(CDaZU* adapter) {
  TVebrisk* effect = FrameOf(adapter);
  return effect ? effect->VendorVersion : 0;
}

namespace {
int32_t CopyDescription(CDaZU* adapter, std::string CVebriskDescription::*text, char* buffer,
                        size_t capacity) {
  TVebrisk* effect = FrameOf(adapter);
  if (effect == nullptr) return 0;
  CopyText(buffer, capacity, effect->*text);
  return 1;
}
}  // namespace

int32_t GetVendorName(CDaZU* adapter, char* buffer, size_t capacity) {
  return CopyDescription(adapter, &CVebriskDescription::VendorName, buffer, capacity);
}

int32_t GetProductName(CDaZU* adapter, char* buffer, size_t capacity) {
  return CopyDescription(adapter, &CVebriskDescription::ProductName, buffer, capacity);
}

int32_t GetEffectName(CDaZU* adapter, char* buffer, size_t capacity) {
  return CopyDescription(adapter, &CVebriskDescription::EffectName, buffer, capacity);
}

int32_t GetProgramName(CDaZU* adapter, char* buffer, size_t capacity) {
  return CopyDescription(adapter, &CVebriskDescription::ProgramName, buffer, capacity);
}

void SetProgramName(CDaZU* adapter, const char* name) {
  TVebrisk* effect = FrameOf(adapter);
  if (effect != nullptr && name != nullptr) effect->ProgramName = name;
}

int32_t GetProgramNameIndexed(CDaZU*, int32_t, int32_t, char*) {
  return 0;
}

double GetSliderNormalized(CDaZU* adapter, int32_t index) {
  TVebrisk* effect = FrameOf(adapter);
  return effect ? effect->GetSliderNormalized(index) : 0.0;
}

void SetSliderNormalized(CDaZU* adapter, int32_t index, double value) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->SetSliderNormalized(index, value);
}

void GetSliderName(CDaZU* adapter, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->GetSliderName(index, buffer, capacity);
}

void GetSliderLabel(CDaZU* adapter, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->GetSliderLabel(index, buffer, capacity);
}

void GetSliderDisplay(CDaZU* adapter, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* effect = FrameOf(adapter)) effect->GetSliderDisplay(index, buffer, capacity);
}

int32_t GetState(CDaZU* adapter, void** data, bool) {
  TVebrisk* effect = FrameOf(adapter);
  return effect ? effect->GetState(data) : 0;
}

int32_t SetState(CDaZU* adapter, const void* data, int32_t byteSize, bool) {
  TVebrisk* effect = FrameOf(adapter);
  return effect ? effect->SetState(data, byteSize) : 0;
}

}  // namespace FrameServices
