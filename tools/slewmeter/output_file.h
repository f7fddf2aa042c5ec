// Output files are complete or absent: each is written under a temporary name
// beside its place and renamed into it only when whole.
#pragma once

#include <functional>
#include <string>

// The temporary name for `path`, in the same folder so that rename() is atomic.
std::string TemporaryNameFor(const std::string& path);

// Runs write(temporaryPath); on success renames it to `path`, else removes it.
bool WriteWhole(const std::string& path, const std::function<bool(const std::string&)>& write);

// Text to `path`, or to standard output for "-".
bool WriteText(const std::string& path, const std::string& text);
