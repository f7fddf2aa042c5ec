#include "tools/slewmeter/temporary_files.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace {

// Every output of a run may be in progress at once on several threads; far
// more slots than a run ever fills.
constexpr int kSlots = 256;

struct Slot {
  std::atomic<bool> taken{false};  // claimed by a writer
  std::atomic<bool> live{false};   // `path` is complete and is to be removed
  char path[PATH_MAX];
};

Slot slots[kSlots];
// SIGABRT too: a failure nothing caught (a thread's) aborts the program.
constexpr int kCaught[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGABRT};

extern "C" void RemoveTemporariesAndResignal(int signalNumber) {
  for (Slot& slot : slots) {
    if (slot.live.load(std::memory_order_acquire)) unlink(slot.path);
  }
  // SA_RESETHAND has put the default action back: once this handler returns,
  // it ends the program with the signal's own exit status.
  raise(signalNumber);
}

void InstallHandlers() {
  for (const int signalNumber : kCaught) {
    struct sigaction previous {};
    if (sigaction(signalNumber, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndResignal;
    sigemptyset(&action.sa_mask);
    for (const int other : kCaught)
      sigaddset(&action.sa_mask, other);  // one cleanup at a time
    action.sa_flags = SA_RESETHAND;
    sigaction(signalNumber, &action, nullptr);
  }
}

}  // namespace

int RegisterTemporary(const char* path) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  if (std::strlen(path) >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slots[i].taken.exchange(true, std::memory_order_acq_rel)) continue;
    std::strcpy(slots[i].path, path);
    slots[i].live.store(true, std::memory_order_release);
    return i;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  slots[slot].live.store(false, std::memory_order_release);
  slots[slot].taken.store(false, std::memory_order_release);
}
