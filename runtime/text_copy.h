// Copies a text into a caller's buffer of known capacity, always terminated.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

inline void CopyText(char* buffer, size_t capacity, std::string_view text) {
  if (buffer == nullptr || capacity == 0) return;
  const size_t length = text.size() < capacity ? text.size() : capacity - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}
