#include "editor/drawing/graphics_globals.h"

#include "editor/drawing/canvas.h"
#include "editor/drawing/font_desc.h"

namespace VSTGUI {

namespace {
int users = 0;  // editor thread only
}

void GDIPlusGlobals::enter() {
  if (users++ == 0) StartGraphicsLibrary();
}

void GDIPlusGlobals::exit() {
  if (users == 0) return;
  if (--users == 0) {
    // Fonts made by the library go before the library does.
    ReleaseStaticPlatformFonts();
    StopGraphicsLibrary();
  }
}

int GDIPlusGlobals::referenceCount() {
  return users;
}

}  // namespace VSTGUI
