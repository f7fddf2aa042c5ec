// Numbered texts: the script's literals and the names of its image files.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "runtime/description.h"

class CVebriskStrings : public CVebriskDescription {
 public:
  void RegisterString(int32_t number, std::string_view text);
  void RegisterFileName(int32_t number, std::string_view name) { FileNames[number] = name; }

  // Looks up text ToIndex(x); a missing number gets an empty text.
  std::string& LookupString(double x);

  void ClearStrings();

  std::map<int32_t, std::string> Strings;
  std::map<int32_t, std::string> FileNames;
  double StringCount = 0.0;
};

bool TextEqual(const char* a, const char* b);
// ASCII letters compare without case.
bool TextEqualIgnoreCase(const char* a, const char* b);
