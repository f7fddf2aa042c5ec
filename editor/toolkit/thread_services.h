// The platform's services of the editor's thread: what must be started on it
// while an editor or a frame exists (on Windows: OLE, which drag and drop
// needs), and its queue of paints.
#pragma once

#include <cstdint>

namespace VSTGUI {

class ThreadServices {
 public:
  ThreadServices();
  // Stops them only on the thread that started them, and only when it did: a
  // host's own set-up of that thread stays as it was.
  ~ThreadServices();
  ThreadServices(const ThreadServices&) = delete;
  ThreadServices& operator=(const ThreadServices&) = delete;

  // Paints one window of this thread that waits to be painted, if any.
  static void dispatchPendingPaint();

 private:
  [[maybe_unused]] uint32_t startedOnThread = 0;  // 0: nothing to stop (always so on X11)
};

}  // namespace VSTGUI
