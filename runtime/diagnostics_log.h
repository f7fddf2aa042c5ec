// Problems a user cannot see otherwise: one appended line and a beep per report.
#pragma once

#include <string_view>

// Appends to the platform's log file. Returns 0 when the log cannot be opened
// (nothing written, no beep), else what the beep returns.
int Log(std::string_view text);

// The same report into a given file.
int AppendReport(const char* logPath, std::string_view text);
