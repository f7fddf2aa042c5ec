// Reads the meter's window back from the X server as a host shows it, and prints
// how many pixels of the histories stand above the graph's bottom rows:
//   history_probe      prints the count; exits 2 when there is no display or no
//                      viewable 600 x 600 window of the meter's on it, and 3 when
//                      the window shows no picture yet
#include <cstdio>
#include <cstring>
#include <vector>

#include "effect/meter_model.h"
#include "tests/support/history_pixels.h"
#include "tests/support/x11_host.h"

namespace {

// The editor's window names itself "Window"; the first viewable one of the
// editor's size, depth first from `window`.
Window FindEditor(Display* display, Window window) {
  char* name = nullptr;
  const bool named = XFetchName(display, window, &name) && std::strcmp(name, "Window") == 0;
  if (name) XFree(name);
  XWindowAttributes attributes{};
  if (named && XGetWindowAttributes(display, window, &attributes) &&
      attributes.width == kEditorWidth && attributes.height == kEditorHeight &&
      attributes.map_state == IsViewable) {
    return window;
  }
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  Window found = None;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count && found == None; ++i)
      found = FindEditor(display, children[i]);
    if (children) XFree(children);
  }
  return found;
}

}  // namespace

int main() {
  // Its own window stays unmapped: it must cover nothing it reads.
  X11Host host(false);
  if (!host.available()) return 2;
  const Window editor = FindEditor(host.getDisplay(), DefaultRootWindow(host.getDisplay()));
  if (editor == None) return 2;
  const std::vector<VSTGUI::CColor> pixels = host.screenshot(editor, kEditorWidth, kEditorHeight);
  if (pixels.empty()) return 2;
  // The red frame's top edge: the picture is there, not the black of a new window.
  if (!(pixels[kEditorWidth / 2] == VSTGUI::CColor{255, 0, 0, 255})) return 3;
  // A flat history at 0 lies under the bottom edge of the red frame.
  std::printf("%d\n", HistoryPixelsAbove(pixels, kEditorWidth, kEditorHeight - 3));
  return 0;
}
