#include "editor/toolkit/win32/window_class.h"

#include <cstdio>
#include <string>

#include "platform/module_services.h"

namespace VSTGUI {

namespace {

// Editor thread only.
int users = 0;
bool swappedButtons = false;
wchar_t className[32] = L"";

HINSTANCE Module() {
  return static_cast<HINSTANCE>(const_cast<void*>(OwnModuleHandle()));
}

}  // namespace

const wchar_t* WindowClass::acquire(WNDPROC procedure) {
  if (users == 0) {
    // As "Plugin%p" formats a handle on Windows: 16 upper-case hex digits.
    std::swprintf(className, sizeof className / sizeof className[0], L"Plugin%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(Module())));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Module();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) == 0) return nullptr;
    swappedButtons = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  }
  ++users;
  return className;
}

void WindowClass::release() {
  if (users > 0 && --users == 0) UnregisterClassW(className, Module());
}

bool WindowClass::buttonsSwapped() {
  return swappedButtons;
}

}  // namespace VSTGUI
