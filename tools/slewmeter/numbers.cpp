#include "tools/slewmeter/numbers.h"

#include <charconv>
#include <cmath>

std::string PlainNumber(double value) {
  if (!std::isfinite(value)) return "0";  // never written: every figure is finite
  char text[400];
  const auto [end, failure] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return failure == std::errc() ? std::string(text, end) : "0";
}
