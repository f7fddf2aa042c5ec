// The host's side of an editor test on X: its own connections, a top-level
// window to parent the editor, its own X error handler, synthetic input
// through XTest, and screenshots.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "editor/drawing/geometry.h"

class X11Host {
 public:
  // Check available() before use: there may be no display. A host that shows
  // its window late passes `mapped` false and calls showWindow() itself.
  explicit X11Host(bool mapped = true);
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

  // Maps (or unmaps) the parent window and waits until the server has done it.
  void showWindow(bool shown);
  // Maps a window of the host's over the editor, then takes it away again: the
  // editor's area is exposed, and nobody idles the editor meanwhile.
  void coverAndUncover();

  // Input at a point of the parent window (whose origin is the screen's).
  void moveTo(int x, int y);
  void press(unsigned int button);
  void release(unsigned int button);
  void holdKey(unsigned long keysym, bool down);
  void destroyParent();

  // Calls `step` (e.g. the editor's idle) until `done` holds or 10 s pass.
  static bool waitUntil(const std::function<void()>& step, const std::function<bool()>& done);

  // One more connection of the host's own (closed with the host), for another
  // thread or a second display of the host.
  Display* openConnection();
  // Makes a request that fails on `connection` and waits for the answer, so
  // that the error reaches the process's handler before this returns.
  static void raiseError(Display* connection);
  // Errors that reached the host's handler on the host's own connections.
  int ownErrorsSeen() const;
  // Errors that reached the host's handler from other connections: the
  // plug-in's, slipped out of its traps.
  int hostErrors() const;
  // Whether the process's error handler is the host's (and not one the
  // plug-in left behind).
  static bool handlerIsTheHosts();

 private:
  Display* display = nullptr;
  Window parentWindow = 0;
  std::vector<Display*> connections;
};
