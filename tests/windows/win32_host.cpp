#include "tests/windows/win32_host.h"

#include <chrono>
#include <thread>

namespace {

const wchar_t kParentClass[] = L"EditorTestHost";

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

Win32Host::Win32Host() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ParentProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kParentClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when an earlier host registered it
  parentWindow = CreateWindowExW(0, kParentClass, L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 800, 700,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  pump();
}

Win32Host::~Win32Host() {
  destroyParent();
}

void Win32Host::destroyParent() {
  if (parentWindow) DestroyWindow(parentWindow);
  parentWindow = nullptr;
  pump();
}

std::vector<VSTGUI::CColor> Win32Host::screenshot(HWND window, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memoryDc, bitmap);
  BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<VSTGUI::CColor> pixels;
  const auto* words = static_cast<const uint32_t*>(bits);
  for (int i = 0; words != nullptr && i < width * height; ++i) {
    const uint32_t word = words[i];
    pixels.push_back({static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 8),
                      static_cast<uint8_t>(word), 255});
  }
  SelectObject(memoryDc, previous);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  return pixels;
}

namespace {

void Send(INPUT input) {
  SendInput(1, &input, sizeof input);
}

}  // namespace

// Absolute positions run from 0 to 65535 across the main screen.
void Win32Host::moveTo(int x, int y) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((x * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((y * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(input);
}

void Win32Host::press(DWORD buttonDownFlag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = buttonDownFlag;
  Send(input);
}

void Win32Host::release(DWORD buttonUpFlag) {
  press(buttonUpFlag);
}

void Win32Host::holdKey(WORD virtualKey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  Send(input);
}

void Win32Host::pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool Win32Host::waitUntil(const std::function<void()>& step, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    step();
    pump();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}
