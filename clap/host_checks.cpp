#include "clap/host_checks.h"

void HostChecks::queryExtensions() {
  queried = true;
  log = extension<clap_host_log>(kClapExtLog);
  if (log && log->log == nullptr) log = nullptr;
  threadCheck = extension<clap_host_thread_check>(kClapExtThreadCheck);
  if (threadCheck &&
      (threadCheck->is_main_thread == nullptr || threadCheck->is_audio_thread == nullptr))
    threadCheck = nullptr;
}

void HostChecks::report(const char* message) {
  if (log == nullptr) return;
  // Messages are literals: the pointer names the mistake.
  for (std::atomic<const char*>& slot : reported) {
    const char* expected = nullptr;
    if (slot.compare_exchange_strong(expected, message)) break;
    if (expected == message) return;
  }
  log->log(host, CLAP_LOG_HOST_MISBEHAVING, message);
}

void HostChecks::expectMainThread(const char* call) {
  if (threadCheck && !threadCheck->is_main_thread(host)) report(call);
}

void HostChecks::expectAudioThread(const char* call) {
  if (threadCheck && !threadCheck->is_audio_thread(host)) report(call);
}
