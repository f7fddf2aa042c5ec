// Mouse buttons, modifier keys and keys as the toolkit passes them to views.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : uint32_t {
  kLButton = 2,
  kMButton = 4,
  kRButton = 8,
  kShift = 16,
  kControl = 32,
  kAlt = 64,
  kButton4 = 256,
  kButton5 = 512,
  kDoubleClick = 1024,
};

// What a view answers to a mouse event.
enum CMouseEventResult : int32_t {
  kMouseEventNotImplemented = 0,  // the container then tries the older tracking call
  kMouseEventHandled = 1,         // the view wants the following moves and the release
  kMouseEventNotHandled = 2,
};

// A key as views receive it. The fields and virtual key numbers are the host's,
// so the editor copies a host key across field by field.
struct CKeyCode {
  int32_t character = 0;
  unsigned char virt = 0;
  unsigned char modifier = 0;  // bit 0: shift
};

// Key results: 1 used, -1 not used.
constexpr int32_t kKeyUsed = 1;
constexpr int32_t kKeyNotUsed = -1;
constexpr unsigned char kVirtualKeyTab = 2;

enum CCursorType : int32_t {
  kCursorDefault = 0,
  kCursorWait = 1,
  kCursorHSize = 2,
  kCursorVSize = 3,
  kCursorSizeAll = 4,
  kCursorNESWSize = 5,
  kCursorNWSESize = 6,
  kCursorNotAllowed = 8,
  kCursorHand = 9,
};

}  // namespace VSTGUI
