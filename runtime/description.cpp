#include "runtime/description.h"

#include <cmath>
#include <cstdio>

#include "runtime/text_copy.h"
#include "runtime/value_rules.h"

double CVebriskDescription::GetSliderNormalized(int32_t i) const {
  const SliderRecord& r = Sliders[i];
  return (SliderValues[r.Number & (kSliderCount - 1)] - r.Min) / (r.Max - r.Min);
}

void CVebriskDescription::SetSliderNormalized(int32_t i, double x) {
  const SliderRecord& r = Sliders[i];
  // The grid is the multiples of Step counted from 0; halves go up; no clamping.
  const double q = std::floor(((r.Max - r.Min) * x + r.Min + 0.5 * r.Step) / r.Step) * r.Step;
  double& v = SliderValues[r.Number & (kSliderCount - 1)];
  if (IsNearlyEqual(q, v)) return;
  v = q;
  if (r.Variable != nullptr) *r.Variable = q;
  DoSlider();
}

void CVebriskDescription::GetSliderName(int32_t i, char* buffer, size_t capacity) const {
  CopyText(buffer, capacity, Sliders[i].Name);
}

void CVebriskDescription::GetSliderLabel(int32_t i, char* buffer, size_t capacity) const {
  CopyText(buffer, capacity, Sliders[i].Label);
}

void CVebriskDescription::GetSliderDisplay(int32_t i, char* buffer, size_t capacity) const {
  if (buffer == nullptr || capacity == 0) return;
  const SliderRecord& r = Sliders[i];
  const double v = SliderValues[r.Number & (kSliderCount - 1)];
  const int32_t n = static_cast<int32_t>(r.Options.size());
  if (n == 0) {
    char number[320];  // "%.2f" of the largest double is 312 characters
    std::snprintf(number, sizeof number, "%.2f", v);
    CopyText(buffer, capacity, number);
    return;
  }
  const double position = (n - 1) * (v - r.Min) / (r.Max - r.Min);
  // Out of range or NaN counts as negative, as the processor's conversion gives.
  int32_t k =
      (position > -2147483649.0 && position < 2147483648.0) ? static_cast<int32_t>(position) : -1;
  if (k < 0) k = 0;
  if (k > n - 1) k = n - 1;
  CopyText(buffer, capacity, r.Options[k]);
}
