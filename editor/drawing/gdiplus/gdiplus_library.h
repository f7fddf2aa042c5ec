// GDI+ for the Windows back end: the headers in the order they need, and the
// count that keeps the library started while anything uses it.
#pragma once

// clang-format off
#include <windows.h>
#include <objidl.h>  // IStream, which gdiplus.h uses without including it
#include <gdiplus.h>
// clang-format on

#include "editor/drawing/geometry.h"

namespace VSTGUI {

// GDI+ runs while GDIPlusGlobals or any object made with it holds a reference:
// a surface's graphics may outlive the last image or frame by a moment, and
// must be deleted before the library shuts down.
class GdiplusLibraryReference {
 public:
  GdiplusLibraryReference();
  ~GdiplusLibraryReference();
  GdiplusLibraryReference(const GdiplusLibraryReference&) = delete;
  GdiplusLibraryReference& operator=(const GdiplusLibraryReference&) = delete;

  // False when GDI+ could not start; no GDI+ call may be made then.
  bool started() const { return held; }

 private:
  bool held;
};

// A colour as GDI+ takes it.
inline Gdiplus::ARGB ToArgb(CColor c) {
  return (Gdiplus::ARGB{c.alpha} << 24) | (Gdiplus::ARGB{c.red} << 16) |
         (Gdiplus::ARGB{c.green} << 8) | c.blue;
}

}  // namespace VSTGUI
