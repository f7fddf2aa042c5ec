#include "editor/drawing/gdiplus/gdiplus_library.h"

#include "editor/drawing/canvas.h"

namespace VSTGUI {

namespace {

// Editor thread only, like the rest of the drawing code.
int references = 0;
ULONG_PTR token = 0;

bool Acquire() {
  if (references == 0) {
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  }
  ++references;
  return true;
}

void Release() {
  if (--references == 0) {
    Gdiplus::GdiplusShutdown(token);
    token = 0;
  }
}

// GDIPlusGlobals' own reference, between StartGraphicsLibrary and StopGraphicsLibrary.
bool globalsHold = false;

}  // namespace

GdiplusLibraryReference::GdiplusLibraryReference() : held(Acquire()) {}

GdiplusLibraryReference::~GdiplusLibraryReference() {
  if (held) Release();
}

void StartGraphicsLibrary() {
  if (!globalsHold) globalsHold = Acquire();
}

void StopGraphicsLibrary() {
  if (globalsHold) Release();
  globalsHold = false;
}

}  // namespace VSTGUI
