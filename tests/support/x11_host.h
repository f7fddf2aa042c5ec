// The host's side of an editor test on X: its own connection, a top-level
// window to parent the editor, synthetic input through XTest, and screenshots.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "editor/drawing/geometry.h"

class X11Host {
 public:
  X11Host();  // check available() before use: there may be no display
  ~X11Host();
  X11Host(const X11Host&) = delete;
  X11Host& operator=(const X11Host&) = delete;

  bool available() const { return display != nullptr; }
  Display* getDisplay() const { return display; }
  Window parent() const { return parentWindow; }
  void* parentHandle() const { return reinterpret_cast<void*>(parentWindow); }
  // The first child of the parent (the editor's window); None when there is none.
  Window editorWindow() const;
  // The pixels of a window, row by row.
  std::vector<VSTGUI::CColor> screenshot(Window window, int width, int height) const;

  // Input at a point of the parent window (whose origin is the screen's).
  void moveTo(int x, int y);
  void press(unsigned int button);
  void release(unsigned int button);
  void holdKey(unsigned long keysym, bool down);
  void destroyParent();

  // Calls `step` (e.g. the editor's idle) until `done` holds or 10 s pass.
  static bool waitUntil(const std::function<void()>& step, const std::function<bool()>& done);

  int hostErrors() const;

 private:
  Display* display = nullptr;
  Window parentWindow = 0;
};
