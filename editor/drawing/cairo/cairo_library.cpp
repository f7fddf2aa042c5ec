// Cairo, pixman, FreeType and fontconfig keep process-wide caches (the parsed
// font configuration, open faces, recently used fonts and glyphs) that they
// never free: a host may share them, so a plug-in never tears them down. When
// the host itself does not use them, unloading the plug-in unloads them too and
// loses those caches, about 0.5 MB each time; the next load builds them again.
// Kept loaded instead, they are built once per process and reused.
#include <cairo.h>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include "editor/drawing/cairo/cairo_font.h"
#include "editor/drawing/canvas.h"

namespace VSTGUI {

namespace {

// Marks the loaded library that holds `symbol` as never to be unloaded.
void KeepLoaded(void* symbol) {
  Dl_info info{};
  if (dladdr(symbol, &info) == 0 || info.dli_fname == nullptr) return;
  // RTLD_NOLOAD: only the copy already in the process, no new reference to drop.
  dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace

void StartGraphicsLibrary() {
  static const bool kept = [] {
    KeepLoaded(reinterpret_cast<void*>(&cairo_create));
    KeepLoaded(reinterpret_cast<void*>(&FcFontMatch));
    return true;
  }();
  (void)kept;
}

// Our own references go with the last frame or image; the libraries' caches stay.
void StopGraphicsLibrary() {
  ReleaseCachedFonts();
}

}  // namespace VSTGUI
