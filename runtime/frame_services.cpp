#include "runtime/frame_services.h"

#include "editor/cdazu_editor.h"
#include "runtime/text_copy.h"

namespace FrameServices {

void Setup(CDaZU* host) {
  TVebrisk* frame = FrameOf(host);
  if (frame == nullptr) return;
  host->setNumInputs(frame->DeclaredChannels);
  host->setNumOutputs(frame->DeclaredChannels);
  host->setUniqueID(frame->UniqueId);
  if (host->getEditor() == nullptr) new CDaZUEditor(host, frame->EditorWidth, frame->EditorHeight);
  host->programsAreChunks(true);
}

void Delete(CDaZU* host) {
  delete FrameOf(host);
}

void Open(CDaZU* host) {
  if (TVebrisk* frame = FrameOf(host)) frame->Reset();
}

void Suspend(CDaZU* host) {
  if (TVebrisk* frame = FrameOf(host)) frame->OnSuspend();
}

void Resume(CDaZU* host) {
  if (TVebrisk* frame = FrameOf(host)) frame->OnResume();
}

void Idle(CDaZU* host) {
  if (TVebrisk* frame = FrameOf(host)) frame->OnIdle();
}

void Close(CDaZU* host) {
  if (TVebrisk* frame = FrameOf(host)) frame->OnClose();
}

void Draw(CDaZU* host, double, double) {
  if (TVebrisk* frame = FrameOf(host)) frame->DoGraphics();
}

void MouseDown(CDaZU* host, double x, double y, uint32_t buttons) {
  if (TVebrisk* frame = FrameOf(host)) frame->MouseDown(x, y, buttons);
}

void MouseUp(CDaZU* host, double x, double y, uint32_t) {
  if (TVebrisk* frame = FrameOf(host)) frame->MouseUp(x, y);
}

void MouseMove(CDaZU* host, double x, double y, uint32_t) {
  if (TVebrisk* frame = FrameOf(host)) frame->MouseMove(x, y);
}

int32_t GetVendorVersion(CDaZU* host) {
  TVebrisk* frame = FrameOf(host);
  return frame ? frame->VendorVersion : 0;
}

namespace {
int32_t CopyDescription(CDaZU* host, std::string CVebriskDescription::*text, char* buffer,
                        size_t capacity) {
  TVebrisk* frame = FrameOf(host);
  if (frame == nullptr) return 0;
  CopyText(buffer, capacity, frame->*text);
  return 1;
}
}  // namespace

int32_t GetVendorName(CDaZU* host, char* buffer, size_t capacity) {
  return CopyDescription(host, &CVebriskDescription::VendorName, buffer, capacity);
}

int32_t GetProductName(CDaZU* host, char* buffer, size_t capacity) {
  return CopyDescription(host, &CVebriskDescription::ProductName, buffer, capacity);
}

int32_t GetEffectName(CDaZU* host, char* buffer, size_t capacity) {
  return CopyDescription(host, &CVebriskDescription::EffectName, buffer, capacity);
}

int32_t GetProgramName(CDaZU* host, char* buffer, size_t capacity) {
  return CopyDescription(host, &CVebriskDescription::ProgramName, buffer, capacity);
}

void SetProgramName(CDaZU* host, const char* name) {
  TVebrisk* frame = FrameOf(host);
  if (frame != nullptr && name != nullptr) frame->ProgramName = name;
}

int32_t GetProgramNameIndexed(CDaZU*, int32_t, int32_t, char*) {
  return 0;
}

double GetSliderNormalized(CDaZU* host, int32_t index) {
  TVebrisk* frame = FrameOf(host);
  return frame ? frame->GetSliderNormalized(index) : 0.0;
}

void SetSliderNormalized(CDaZU* host, int32_t index, double value) {
  if (TVebrisk* frame = FrameOf(host)) frame->SetSliderNormalized(index, value);
}

void GetSliderName(CDaZU* host, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* frame = FrameOf(host)) frame->GetSliderName(index, buffer, capacity);
}

void GetSliderLabel(CDaZU* host, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* frame = FrameOf(host)) frame->GetSliderLabel(index, buffer, capacity);
}

void GetSliderDisplay(CDaZU* host, int32_t index, char* buffer, size_t capacity) {
  if (TVebrisk* frame = FrameOf(host)) frame->GetSliderDisplay(index, buffer, capacity);
}

int32_t GetState(CDaZU* host, void** data, bool) {
  TVebrisk* frame = FrameOf(host);
  return frame ? frame->GetState(data) : 0;
}

int32_t SetState(CDaZU* host, const void* data, int32_t byteSize, bool) {
  TVebrisk* frame = FrameOf(host);
  return frame ? frame->SetState(data, byteSize) : 0;
}

}  // namespace FrameServices
