// Copies a text into a caller's buffer of known capacity, always terminated.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// The part of `text` shown in `capacity` bytes, terminating zero included. A text
// that does not fit ends on its last whole word, without the separator that led to
// the next one ("KORVANDEL - Pemberlyquist", not "KORVANDEL - Pemberlyquist Ravuv");
// only a first word longer than the room is cut inside, never inside a UTF-8 character.
inline std::string_view FittedText(std::string_view text, size_t capacity) {
  if (capacity == 0) return {};
  if (text.size() < capacity) return text;
  const size_t room = capacity - 1;
  // A space right at `room` means the word before it is whole.
  const size_t space = text.find_last_of(" \t", room);
  size_t end = space == std::string_view::npos ? 0 : space;
  while (end > 0 && std::string_view(" \t-,;:/|").find(text[end - 1]) != std::string_view::npos)
    --end;
  if (end == 0) {
    end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      --end;
  }
  return text.substr(0, end);
}

inline void CopyText(char* buffer, size_t capacity, std::string_view text) {
  if (buffer == nullptr || capacity == 0) return;
  const std::string_view shown = FittedText(text, capacity);
  std::memcpy(buffer, shown.data(), shown.size());
  buffer[shown.size()] = '\0';
}
