// The host's side of an editor test on Windows: a top-level window to parent
// the editor, the message pump a host runs, and the pixels of a window.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "editor/drawing/geometry.h"

class Win32Host {
 public:
  // A visible window at the screen's origin, 800 x 700: larger than the editor,
  // since Wine's X11 driver only sees the pointer over its own windows.
  Win32Host();
  ~Win32Host();
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  HWND parent() const { return parentWindow; }
  // The first child of the parent (the editor's window); null when there is none.
  HWND editorWindow() const { return GetWindow(parentWindow, GW_CHILD); }
  // The pixels of a window's client area, row by row.
  static std::vector<VSTGUI::CColor> screenshot(HWND window, int width, int height);
  void destroyParent();

  // Input as the user makes it, at a point of the screen (the parent's client
  // area starts at its origin).
  static void moveTo(int x, int y);
  static void press(DWORD buttonDownFlag);  // MOUSEEVENTF_LEFTDOWN, ...
  static void release(DWORD buttonUpFlag);  // MOUSEEVENTF_LEFTUP, ...
  static void holdKey(WORD virtualKey, bool down);

  // Dispatches every message that is waiting, as a host's loop does.
  static void pump();
  // Calls `step` and pumps until `done` holds or 10 s pass.
  static bool waitUntil(const std::function<void()>& step, const std::function<bool()>& done);

 private:
  HWND parentWindow = nullptr;
};
