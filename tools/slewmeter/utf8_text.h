// File names are bytes. These show them safely to people (a terminal, the
// summary table) and to machines (JSON), whatever bytes they hold.
#pragma once

#include <cstddef>
#include <string>

// The text with each control character and each byte that is not part of
// valid UTF-8 written as \xNN, so that no name can break a line or move the
// cursor.
std::string Printable(const std::string& bytes);

// The columns a terminal gives printable UTF-8 text: East Asian wide
// characters take two, combining marks none.
size_t DisplayWidth(const std::string& text);

// A JSON string literal, valid UTF-8 for any bytes: a byte that is not part
// of valid UTF-8 becomes the character of the same number (\u0080 to \u00ff),
// as if that byte were Latin-1.
std::string JsonString(const std::string& bytes);
