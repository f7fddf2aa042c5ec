// What the host offers for hearing of its own mistakes: calls out of order or on
// the wrong thread are refused or answered safely by the adapter, and reported
// here through the host's clap.log as host misbehaviour, when it offers one.
#pragma once

#include <array>
#include <atomic>

#include "clap/clap_abi.h"

class HostChecks {
 public:
  explicit HostChecks(const clap_host* host) : host(host) {}

  // The host's extensions may be asked for from the plug-in's init on.
  void queryExtensions();
  bool extensionsQueried() const { return queried; }
  template <class Extension>
  const Extension* extension(const char* id) const {
    if (!queried || host->get_extension == nullptr) return nullptr;
    return static_cast<const Extension*>(host->get_extension(host, id));
  }
  const clap_host* clapHost() const { return host; }

  // Each reports once per instance, so that a host repeating a mistake every
  // block does not flood its log from the audio thread.
  void report(const char* message);
  void expectMainThread(const char* call);
  void expectAudioThread(const char* call);

 private:
  const clap_host* host;
  bool queried = false;
  const clap_host_log* log = nullptr;
  const clap_host_thread_check* threadCheck = nullptr;
  std::array<std::atomic<const char*>, 32> reported{};
};
