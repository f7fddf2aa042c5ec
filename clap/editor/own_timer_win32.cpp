#include <windows.h>

#include "clap/editor/own_timer.h"

namespace {

// The timer's id is the object itself: the callback finds it without a table.
class WindowTimer final : public OwnTimer {
 public:
  WindowTimer(HWND window, std::function<void()> tick) : window(window), tick(std::move(tick)) {}
  ~WindowTimer() override { KillTimer(window, id()); }

  bool start(uint32_t periodMs) { return SetTimer(window, id(), periodMs, fire) != 0; }

 private:
  UINT_PTR id() const { return reinterpret_cast<UINT_PTR>(this); }
  static void CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD) {
    reinterpret_cast<WindowTimer*>(id)->tick();
  }

  HWND window;
  std::function<void()> tick;
};

}  // namespace

std::unique_ptr<OwnTimer> OwnTimer::start(uintptr_t window, uint32_t periodMs,
                                          std::function<void()> tick) {
  auto timer = std::make_unique<WindowTimer>(reinterpret_cast<HWND>(window), std::move(tick));
  if (!timer->start(periodMs)) return nullptr;
  return timer;
}
