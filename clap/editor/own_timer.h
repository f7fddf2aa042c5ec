// A timer of the editor's own window, for a host that offers no timer: on
// Windows the host's message loop delivers it. X11 has no such timer without a
// loop of the plug-in's own, so there the editor needs the host's.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class OwnTimer {
 public:
  // Null where the platform has none, or when the window refuses one.
  static std::unique_ptr<OwnTimer> start(uintptr_t window, uint32_t periodMs,
                                         std::function<void()> tick);
  virtual ~OwnTimer() = default;
};
