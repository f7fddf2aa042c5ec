#include "editor/toolkit/thread_services.h"

// clang-format off
#include <windows.h>
#include <ole2.h>
// clang-format on

namespace VSTGUI {

// A thread the host already runs as a multithreaded apartment refuses OLE
// (RPC_E_CHANGED_MODE); the editor then works without drag and drop.
ThreadServices::ThreadServices() {
  if (SUCCEEDED(OleInitialize(nullptr))) startedOnThread = GetCurrentThreadId();
}

ThreadServices::~ThreadServices() {
  if (startedOnThread == GetCurrentThreadId()) OleUninitialize();
}

void ThreadServices::dispatchPendingPaint() {
  MSG message;
  if (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace VSTGUI
