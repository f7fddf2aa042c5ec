#include "editor/toolkit/thread_services.h"

namespace VSTGUI {

// X11 windows need nothing started per thread.
ThreadServices::ThreadServices() = default;
ThreadServices::~ThreadServices() = default;

// Each window here has a connection of its own and paints when it handles its
// events, in the frame's idle: no paint waits on the thread.
void ThreadServices::dispatchPendingPaint() {}

}  // namespace VSTGUI
