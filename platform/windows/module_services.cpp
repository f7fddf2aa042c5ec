#include "platform/module_services.h"

#include <windows.h>

#include "platform/windows/resource_id.h"

namespace {

// Recorded by DllMain. Executables that link the plug-in's code (the tests)
// get no DllMain call and find their module by address instead.
HMODULE loadedModule = nullptr;

const DWORD kModuleLoadTick = GetTickCount();

HMODULE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCSTR>(address), &module);
  return module;
}

HMODULE OwnModule() {
  return loadedModule ? loadedModule : ModuleOf(reinterpret_cast<const void*>(&ModuleOf));
}

}  // namespace

// Only records the handle: nothing that loads libraries or starts GDI+ may run
// under the loader lock.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  loadedModule = instance;
  return TRUE;
}

std::string ModuleFileName(const void* address) {
  HMODULE module = ModuleOf(address);
  if (module == nullptr) return {};
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  // A truncated path would name some other folder.
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(path, length);
}

std::string OwnModuleFileName() {
  return ModuleFileName(OwnModule());
}

const void* OwnModuleHandle() {
  return OwnModule();
}

char PreferredSeparator() {
  return '\\';
}

int32_t MillisecondClock() {
  return static_cast<int32_t>(GetTickCount() - kModuleLoadTick);
}

namespace {

ModuleResource FindDataResource(const char* id, const char* type = "DATA") {
  HMODULE module = OwnModule();
  HRSRC found = FindResourceA(module, id, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return {};
  return {static_cast<const unsigned char*>(bytes), size};
}

}  // namespace

ModuleResource FindModuleResource(int32_t number) {
  return IsResourceNumber(number) ? FindDataResource(MAKEINTRESOURCEA(number)) : ModuleResource{};
}

ModuleResource FindModuleResource(const std::string& name) {
  return IsResourceName(name) ? FindDataResource(name.c_str()) : ModuleResource{};
}

ModuleResource FindDoubleSizeResource(int32_t number) {
  return IsResourceNumber(number) ? FindDataResource(MAKEINTRESOURCEA(number), "DATA2X")
                                  : ModuleResource{};
}

// No drive letter: the root of the process's current drive.
std::string LogFilePath() {
  return "\\wusk.log.txt";
}

std::FILE* OpenLogForAppend(const char* path) {
  return std::fopen(path, "a");
}

int Beep(int frequencyHz, int durationMs) {
  return ::Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(durationMs)) ? 1 : 0;
}
