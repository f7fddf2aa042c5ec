// Output files are complete or absent: each is written under a temporary name
// beside its place and renamed into it only when whole.
#pragma once

#include <functional>
#include <string>

// The temporary name for `path`, in the same folder so that rename() is atomic.
// The folder is made when missing: an album's "pictures/{}.png" should not fail
// on every track.
std::string PrepareTemporaryFor(const std::string& path);

// Runs write(temporaryPath); on success renames it to `path`, else removes it.
bool WriteWhole(const std::string& path, const std::function<bool(const std::string&)>& write);

// Text to `path`, or to standard output for "-".
bool WriteText(const std::string& path, const std::string& text);
