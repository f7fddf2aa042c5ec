// The table through which the adapter reaches the script: 29 plain functions in
// a fixed order, filled by the entry module. A null entry is skipped and the
// adapter uses a fixed default instead.
#pragma once

#include <cstddef>
#include <cstdint>

class CDaZU;

struct CDaZUHooks {
  void (*Setup)(CDaZU* host);
  void (*Delete)(CDaZU* host);
  void (*Open)(CDaZU* host);
  void (*Suspend)(CDaZU* host);
  void (*Resume)(CDaZU* host);
  void (*Idle)(CDaZU* host);
  void (*Close)(CDaZU* host);
  void (*Draw)(CDaZU* host, double width, double height);
  void (*MouseDown)(CDaZU* host, double x, double y, uint32_t buttons);
  void (*MouseUp)(CDaZU* host, double x, double y, uint32_t buttons);
  void (*MouseMove)(CDaZU* host, double x, double y, uint32_t buttons);
  void (*KeyDown)(CDaZU* host, int32_t character, int32_t modifier, int32_t virtualKey);
  void (*KeyUp)(CDaZU* host, int32_t character, int32_t modifier, int32_t virtualKey);
  int32_t (*GetVendorVersion)(CDaZU* host);
  // Text hooks write at most `capacity` bytes, terminating zero included.
  int32_t (*GetVendorName)(CDaZU* host, char* buffer, size_t capacity);
  int32_t (*GetProductName)(CDaZU* host, char* buffer, size_t capacity);
  int32_t (*GetEffectName)(CDaZU* host, char* buffer, size_t capacity);
  int32_t (*GetProgramName)(CDaZU* host, char* buffer, size_t capacity);
  void (*SetProgramName)(CDaZU* host, const char* name);
  int32_t (*GetProgramNameIndexed)(CDaZU* host, int32_t category, int32_t index, char* buffer);
  double (*GetSliderNormalized)(CDaZU* host, int32_t index);
  void (*SetSliderNormalized)(CDaZU* host, int32_t index, double value);
  void (*GetSliderName)(CDaZU* host, int32_t index, char* buffer, size_t capacity);
  void (*GetSliderLabel)(CDaZU* host, int32_t index, char* buffer, size_t capacity);
  void (*GetSliderDisplay)(CDaZU* host, int32_t index, char* buffer, size_t capacity);
  void (*ProcessFloat)(CDaZU* host, float** inputs, float** outputs, int32_t frames);
  void (*ProcessDouble)(CDaZU* host, double** inputs, double** outputs, int32_t frames);
  int32_t (*GetState)(CDaZU* host, void** data, bool isPreset);
  int32_t (*SetState)(CDaZU* host, const void* data, int32_t byteSize, bool isPreset);
};
static_assert(sizeof(CDaZUHooks) == 29 * sizeof(void*));
