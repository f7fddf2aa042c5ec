#include "platform/windows/utf16.h"

#include <windows.h>

namespace {

std::wstring ToUtf16(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty() || text.size() > 0x7FFFFFFF) return {};
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (wide <= 0) return {};
  std::wstring result(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), length, result.data(), wide);
  return result;
}

}  // namespace

std::wstring Utf8ToUtf16(std::string_view text) {
  return ToUtf16(CP_UTF8, MB_ERR_INVALID_CHARS, text);
}

std::wstring AnsiToUtf16(std::string_view text) {
  return ToUtf16(CP_ACP, 0, text);
}

std::string Utf16ToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > 0x7FFFFFFF) return {};
  const int length = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string result(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
  return result;
}
