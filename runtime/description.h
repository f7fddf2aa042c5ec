// What an effect says about itself: slider definitions and identity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/samples.h"

struct SliderRecord {
  std::vector<std::string> Options;  // names of an enumerated slider's positions
  int32_t Number = 0;                // entry of SliderValues
  double* Variable = nullptr;        // script variable mirroring the slider, if any
  double Min = 0.0;
  double Max = 1.0;
  double Step = 1.0;
  std::string Label;
  std::string Name;
};

class CVebriskDescription : public CVebriskSamples {
 public:
  // Slider i is the host parameter i; callers keep i below Sliders.size().
  double GetSliderNormalized(int32_t i) const;
  void SetSliderNormalized(int32_t i, double x);
  void GetSliderName(int32_t i, char* buffer, size_t capacity) const;
  void GetSliderLabel(int32_t i, char* buffer, size_t capacity) const;
  void GetSliderDisplay(int32_t i, char* buffer, size_t capacity) const;

  std::vector<SliderRecord> Sliders;
  std::string EffectName;
  std::string ProductName;
  std::string VendorName;
  std::string ProgramName;
  int32_t VendorVersion = 0;
  int32_t UniqueId = 0;
  int32_t DeclaredChannels = 0;
  int32_t EditorWidth = 0, EditorHeight = 0;
};
