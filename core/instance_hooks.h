// The table through which an instance reaches its effect object: 29 plain
// functions in a fixed order, filled by the entry module. A null entry is skipped
// and the adapter uses a fixed default instead.
#pragma once

#include <cstddef>
#include <cstdint>

class EffectInstance;

struct InstanceHooks {
  void (*Setup)(EffectInstance* instance);
  void (*Delete)(EffectInstance* instance);
  void (*Open)(EffectInstance* instance);
  void (*Suspend)(EffectInstance* instance);
  void (*Resume)(EffectInstance* instance);
  void (*Idle)(EffectInstance* instance);
  void (*Close)(EffectInstance* instance);
  void (*Draw)(EffectInstance* instance, double width, double height);
  void (*MouseDown)(EffectInstance* instance, double x, double y, uint32_t buttons);
  void (*MouseUp)(EffectInstance* instance, double x, double y, uint32_t buttons);
  void (*MouseMove)(EffectInstance* instance, double x, double y, uint32_t buttons);
  void (*KeyDown)(EffectInstance* instance, int32_t character, int32_t modifier,
                  int32_t virtualKey);
  void (*KeyUp)(EffectInstance* instance, int32_t character, int32_t modifier, int32_t virtualKey);
  int32_t (*GetVendorVersion)(EffectInstance* instance);
  // Text hooks write at most `capacity` bytes, terminating zero included.
  int32_t (*GetVendorName)(EffectInstance* instance, char* buffer, size_t capacity);
  int32_t (*GetProductName)(EffectInstance* instance, char* buffer, size_t capacity);
  int32_t (*GetEffectName)(EffectInstance* instance, char* buffer, size_t capacity);
  int32_t (*GetProgramName)(EffectInstance* instance, char* buffer, size_t capacity);
  void (*SetProgramName)(EffectInstance* instance, const char* name);
  int32_t (*GetProgramNameIndexed)(EffectInstance* instance, int32_t category, int32_t index,
                                   char* buffer);
  double (*GetSliderNormalized)(EffectInstance* instance, int32_t index);
  void (*SetSliderNormalized)(EffectInstance* instance, int32_t index, double value);
  void (*GetSliderName)(EffectInstance* instance, int32_t index, char* buffer, size_t capacity);
  void (*GetSliderLabel)(EffectInstance* instance, int32_t index, char* buffer, size_t capacity);
  void (*GetSliderDisplay)(EffectInstance* instance, int32_t index, char* buffer, size_t capacity);
  void (*ProcessFloat)(EffectInstance* instance, float** inputs, float** outputs, int32_t frames);
  void (*ProcessDouble)(EffectInstance* instance, double** inputs, double** outputs,
                        int32_t frames);
  int32_t (*GetState)(EffectInstance* instance, void** data, bool isPreset);
  int32_t (*SetState)(EffectInstance* instance, const void* data, int32_t byteSize, bool isPreset);
};
static_assert(sizeof(InstanceHooks) == 29 * sizeof(void*));
