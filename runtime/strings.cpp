#include "runtime/strings.h"

#include <cstring>

#include "runtime/ascii.h"
#include "runtime/value_rules.h"

void CVebriskStrings::RegisterString(int32_t number, std::string_view text) {
  Strings[number] = text;
  StringCount = static_cast<double>(Strings.size());
}

std::string& CVebriskStrings::LookupString(double x) {
  std::string& text = Strings[ToIndex(x)];
  StringCount = static_cast<double>(Strings.size());
  return text;
}

void CVebriskStrings::ClearStrings() {
  Strings.clear();
  StringCount = 0.0;
}

bool TextEqual(const char* a, const char* b) {
  return std::strcmp(a, b) == 0;
}

bool TextEqualIgnoreCase(const char* a, const char* b) {
  return EqualIgnoringAsciiCase(a, b);
}
