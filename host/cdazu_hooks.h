// The table through which the adapter reaches the script: 29 plain functions in
// a fixed order, filled by the entry module. A null entry is skipped and the
// adapter uses a fixed default instead.
#pragma once

#include <cstddef>
#include <cstdint>

class CDaZU;

struct CDaZUHooks {
  void (*Setup)(CDaZU* adapter);
  void (*Delete)(CDaZU* adapter);
  void (*Open)(CDaZU* adapter);
  void (*Suspend)(CDaZU* adapter);
  void (*Resume)(CDaZU* adapter);
  void (*Idle)(CDaZU* adapter);
  void (*Close)(CDaZU* adapter);
  void (*Draw)(CDaZU* adapter, double width, double height);
  void (*MouseDown)(CDaZU* adapter, double x, double y, uint32_t buttons);
  void (*MouseUp)(CDaZU* adapter, double x, double y, uint32_t buttons);
  void (*MouseMove)(CDaZU* adapter, double x, double y, uint32_t buttons);
  void (*KeyDown)(CDaZU* adapter, int32_t character, int32_t modifier, int32_t virtualKey);
  void (*KeyUp)(CDaZU* adapter, int32_t character, int32_t modifier, int32_t virtualKey);
  int32_t (*GetVendorVersion)(CDaZU* adapter);
  // Text hooks write at most `capacity` bytes, terminating zero included.
  int32_t (*GetVendorName)(CDaZU* adapter, char* buffer, size_t capacity);
  int32_t (*GetProductName)(CDaZU* adapter, char* buffer, size_t capacity);
  int32_t (*GetEffectName)(CDaZU* adapter, char* buffer, size_t capacity);
  int32_t (*GetProgramName)(CDaZU* adapter, char* buffer, size_t capacity);
  void (*SetProgramName)(CDaZU* adapter, const char* name);
  int32_t (*GetProgramNameIndexed)(CDaZU* adapter, int32_t category, int32_t index, char* buffer);
  double (*GetSliderNormalized)(CDaZU* adapter, int32_t index);
  void (*SetSliderNormalized)(CDaZU* adapter, int32_t index, double value);
  void (*GetSliderName)(CDaZU* adapter, int32_t index, char* buffer, size_t capacity);
  void (*GetSliderLabel)(CDaZU* adapter, int32_t index, char* buffer, size_t capacity);
  void (*GetSliderDisplay)(CDaZU* adapter, int32_t index, char* buffer, size_t capacity);
  void (*ProcessFloat)(CDaZU* adapter, float** inputs, float** outputs, int32_t frames);
  void (*ProcessDouble)(CDaZU* adapter, double** inputs, double** outputs, int32_t frames);
  int32_t (*GetState)(CDaZU* adapter, void** data, bool isPreset);
  int32_t (*SetState)(CDaZU* adapter, const void* data, int32_t byteSize, bool isPreset);
};
static_assert(sizeof(CDaZUHooks) == 29 * sizeof(void*));
