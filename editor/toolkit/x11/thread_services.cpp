#include "editor/toolkit/thread_services.h"

namespace VSTGUI {

// X11 windows need nothing started per thread.
ThreadServices::ThreadServices() = default;
ThreadServices::~ThreadServices() = default;

}  // namespace VSTGUI
