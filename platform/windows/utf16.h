// Texts cross into Windows as UTF-16 and come back as UTF-8.
#pragma once

#include <string>
#include <string_view>

// Empty when `text` is not valid UTF-8.
std::wstring Utf8ToUtf16(std::string_view text);
// Paths the runtime builds from the module's path are in the ANSI code page.
std::wstring AnsiToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::wstring_view text);
