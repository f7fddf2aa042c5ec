// What the portable code needs from the platform the module runs on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Full path of the module that contains `address` (this plug-in's own module
// for any address inside it); empty when it cannot be found.
std::string ModuleFileName(const void* address);

// The plug-in's own module file, and its handle (on Linux: where it is loaded).
std::string OwnModuleFileName();
const void* OwnModuleHandle();

// Path separator the platform prefers when one is added to a path.
char PreferredSeparator();

// Milliseconds since the module was loaded; wraps like a 32-bit counter.
int32_t MillisecondClock();

// An embedded resource (the editor's images) by number; empty when there is none.
struct ModuleResource {
  const unsigned char* bytes = nullptr;
  size_t size = 0;
};
ModuleResource FindModuleResource(int32_t number);
// The same by name; the Linux module's images have numbers only.
ModuleResource FindModuleResource(const std::string& name);
// Image `number` drawn at twice its size, for editors shown at a desktop scale
// above 1; empty when there is none.
ModuleResource FindDoubleSizeResource(int32_t number);

// Where the diagnostics log is appended.
std::string LogFilePath();

// Opens a log file for appending, created when missing; null when it cannot be opened
// or is not ours to write (on Linux: a link, no regular file, another owner).
std::FILE* OpenLogForAppend(const char* path);

// Sounds a beep; non-zero when it was sounded (or the platform has none to sound).
int Beep(int frequencyHz, int durationMs);
