// A CLAP host for tests, portable: it loads the built .clap as hosts do (the
// entry's init, the factory) and offers the host extensions a real host offers
// (log, thread check, timers, descriptors), each of which a test may withhold.
// It records what the plug-in logs and registers, and the test says which
// thread each call comes from.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "clap/clap_abi.h"
#include "tools/loader/shared_library.h"

struct HostOffers {
  bool log = true;
  bool threadCheck = true;
  bool timers = true;
  bool descriptors = true;
  bool gui = true;
};

class ClapTestHost {
 public:
  explicit ClapTestHost(const std::string& path, HostOffers offers = {});
  // Deinits the entry as often as it was initialised, then unloads.
  ~ClapTestHost();
  ClapTestHost(const ClapTestHost&) = delete;
  ClapTestHost& operator=(const ClapTestHost&) = delete;

  const std::string& error() const { return loadError; }
  const clap_plugin_entry* entry() const { return entryPoint; }
  const clap_plugin_factory* factory() const { return pluginFactory; }
  const clap_host* host() const { return &record; }
  // Created through the factory, before init; null when refused.
  const clap_plugin* create(const char* id = nullptr) const;

  // Which thread the host says the caller is on.
  enum class Thread { main, audio, other };
  Thread thread = Thread::main;

  // Host-misbehaviour reports the plug-in logged, oldest first.
  std::vector<std::string> misbehaviour() const;
  const std::vector<std::pair<int32_t, std::string>>& logged() const { return log; }

  struct Timer {
    clap_id id;
    uint32_t periodMs;
  };
  const std::vector<Timer>& timers() const { return registeredTimers; }
  const std::vector<int>& descriptors() const { return registeredDescriptors; }
  // The sizes the plug-in asked the host's window for, oldest first.
  const std::vector<std::pair<uint32_t, uint32_t>>& resizeRequests() const { return resizes; }
  // Calls the plug-in's on_timer for every registered timer.
  void fireTimers(const clap_plugin* plugin) const;

 private:
  static ClapTestHost& of(const clap_host* host);
  static const void* extension(const clap_host* host, const char* id);
  static void logMessage(const clap_host* host, int32_t severity, const char* message);
  static bool isMainThread(const clap_host* host);
  static bool isAudioThread(const clap_host* host);
  static bool registerTimer(const clap_host* host, uint32_t periodMs, clap_id* id);
  static bool unregisterTimer(const clap_host* host, clap_id id);
  static bool registerFd(const clap_host* host, int fd, uint32_t flags);
  static bool modifyFd(const clap_host* host, int fd, uint32_t flags);
  static bool unregisterFd(const clap_host* host, int fd);
  static bool requestResize(const clap_host* host, uint32_t width, uint32_t height);
  static const clap_host_log kLog;
  static const clap_host_thread_check kThreadCheck;
  static const clap_host_timer_support kTimers;
  static const clap_host_posix_fd_support kDescriptors;
  static const clap_host_gui kGui;

  SharedLibrary library;
  std::string loadError;
  HostOffers offers;
  const clap_plugin_entry* entryPoint = nullptr;
  const clap_plugin_factory* pluginFactory = nullptr;
  int initCount = 0;
  clap_host record{};
  std::vector<std::pair<int32_t, std::string>> log;
  std::vector<Timer> registeredTimers;
  clap_id nextTimer = 1;
  std::vector<int> registeredDescriptors;
  std::vector<std::pair<uint32_t, uint32_t>> resizes;
};

// A plug-in's extension table by id, as the host asks for it.
template <class Extension>
const Extension* PluginExtension(const clap_plugin* plugin, const char* id) {
  return static_cast<const Extension*>(plugin->get_extension(plugin, id));
}
