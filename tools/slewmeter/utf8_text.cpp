#include "tools/slewmeter/utf8_text.h"

#include <locale.h>
#include <wchar.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr int32_t kNotUtf8 = -1;

// The code point at `at`, moving past it; kNotUtf8 for a byte that does not
// begin a well-formed sequence (overlong forms and surrogates included),
// moving past that byte alone.
int32_t NextCodePoint(const std::string& text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  // The least value each length may encode, and the allowed range.
  constexpr int32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (length == 0 || lead > 0xF4 || at + length > text.size()) {
    ++at;
    return kNotUtf8;
  }
  int32_t value = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return kNotUtf8;
    }
    value = value << 6 | (byte(at + i) & 0x3F);
  }
  if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++at;
    return kNotUtf8;
  }
  at += length;
  return value;
}

bool IsControl(int32_t codePoint) {
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

std::string Escaped(const char* pattern, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

}  // namespace

std::string Printable(const std::string& bytes) {
  std::string shown;
  for (size_t at = 0; at < bytes.size();) {
    const size_t start = at;
    const int32_t codePoint = NextCodePoint(bytes, at);
    if (codePoint == kNotUtf8 || IsControl(codePoint)) {
      for (size_t i = start; i < at; ++i)
        shown += Escaped("\\x%02x", static_cast<uint8_t>(bytes[i]));
    } else {
      shown.append(bytes, start, at - start);
    }
  }
  return shown;
}

size_t DisplayWidth(const std::string& text) {
  // wcwidth() knows the widths of the locale's characters: C.UTF-8's are
  // Unicode's, whatever locale slewmeter runs in.
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  const locale_t previous = uselocale(unicode ? unicode : LC_GLOBAL_LOCALE);
  size_t width = 0;
  for (size_t at = 0; at < text.size();) {
    const int32_t codePoint = NextCodePoint(text, at);
    const int columns = codePoint == kNotUtf8 ? 1 : wcwidth(static_cast<wchar_t>(codePoint));
    width += columns < 0 ? 1 : static_cast<size_t>(columns);
  }
  uselocale(previous);
  return width;
}

std::string JsonString(const std::string& bytes) {
  std::string json = "\"";
  for (size_t at = 0; at < bytes.size();) {
    const size_t start = at;
    const int32_t codePoint = NextCodePoint(bytes, at);
    if (codePoint == kNotUtf8) {
      // The byte as U+0080..U+00FF.
      json += Escaped("\\u%04x", static_cast<uint8_t>(bytes[start]));
    } else if (codePoint == '"' || codePoint == '\\') {
      json += '\\';
      json += static_cast<char>(codePoint);
    } else if (codePoint < 0x20) {
      json += Escaped("\\u%04x", static_cast<unsigned>(codePoint));
    } else {
      json.append(bytes, start, at - start);
    }
  }
  return json + "\"";
}
