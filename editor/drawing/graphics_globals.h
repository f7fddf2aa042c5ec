// The 2D library's process-wide state, started by the first frame or image
// and shut down with the last one.
#pragma once

namespace VSTGUI {

class GDIPlusGlobals {
 public:
  static void enter();
  static void exit();
  static int referenceCount();
};

// Holds one reference on GDIPlusGlobals for its lifetime.
class GraphicsLibraryUser {
 public:
  GraphicsLibraryUser() { GDIPlusGlobals::enter(); }
  ~GraphicsLibraryUser() { GDIPlusGlobals::exit(); }
  GraphicsLibraryUser(const GraphicsLibraryUser&) = delete;
  GraphicsLibraryUser& operator=(const GraphicsLibraryUser&) = delete;
};

}  // namespace VSTGUI
