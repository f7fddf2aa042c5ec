// A plug-in module loaded as hosts load one (dlopen, LoadLibrary), with its
// exported symbols looked up by name; unloaded with the object.
#pragma once

#include <string>

class SharedLibrary {
 public:
  explicit SharedLibrary(const std::string& path);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  bool loaded() const { return handle != nullptr; }
  const std::string& error() const { return loadError; }
  // An exported function or object by name; null when absent.
  void* symbol(const char* name) const;

 private:
  void* handle = nullptr;
  std::string loadError;
};
