#include "editor/toolkit/desktop_scale.h"

#include <windows.h>

#include "core/display_scale.h"

namespace VSTGUI {

namespace {

// Windows 10 1607 and later; looked up so that the DLL still loads on older ones.
UINT DpiForWindow(HWND window) {
  using Function = UINT(WINAPI*)(HWND);
  static const auto function = reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return window && function ? function(window) : 0;
}

}  // namespace

// What Windows tells this process: a host that is not aware of scales is told 96
// and has its windows stretched for it. The process's awareness is the host's;
// we never change it.
std::optional<double> DesktopScale(void* parent) {
  const HWND window = static_cast<HWND>(parent);
  UINT dpi = DpiForWindow(window);
  if (dpi == 0) {
    HDC dc = GetDC(window);
    if (dc) {
      dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
      ReleaseDC(window, dc);
    }
  }
  if (dpi == 0) return std::nullopt;
  return ScaleOfDotsPerInch(dpi);
}

}  // namespace VSTGUI
