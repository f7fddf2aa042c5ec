// Numbers as slewmeter writes them for machines: plain decimal, every digit
// needed to read the same double back, never an exponent.
#pragma once

#include <string>

std::string PlainNumber(double value);

// A slope in full-scale units per sample as volts per microsecond, for an
// analogue chain in which full scale is `fullScaleVolts` peak.
inline double VoltsPerMicrosecond(double step, double sampleRate, double fullScaleVolts) {
  return step * fullScaleVolts * sampleRate * 1e-6;
}
