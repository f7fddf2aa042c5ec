#include "tests/clap/host/clap_test_host.h"

#include <algorithm>

#include "clap/clap_facts.h"

const clap_host_log ClapTestHost::kLog{logMessage};
const clap_host_thread_check ClapTestHost::kThreadCheck{isMainThread, isAudioThread};
const clap_host_timer_support ClapTestHost::kTimers{registerTimer, unregisterTimer};
const clap_host_posix_fd_support ClapTestHost::kDescriptors{registerFd, modifyFd, unregisterFd};
const clap_host_gui ClapTestHost::kGui{
    [](const clap_host*) {}, requestResize, [](const clap_host*) { return false; },
    [](const clap_host*) { return false; }, [](const clap_host*, bool) {}};

ClapTestHost::ClapTestHost(const std::string& path, HostOffers offers)
    : library(path), offers(offers) {
  auto nothing = [](const clap_host*) {};
  record = clap_host{kClapVersion, this,      "clap test host", "tests", "",
                     "1",          extension, nothing,          nothing, nothing};
  entryPoint = static_cast<const clap_plugin_entry*>(library.symbol("clap_entry"));
  if (entryPoint == nullptr) {
    loadError = library.loaded() ? path + " exports no clap_entry" : library.error();
    return;
  }
  if (!entryPoint->init(path.c_str())) {
    loadError = "init refused";
    return;
  }
  ++initCount;
  pluginFactory =
      static_cast<const clap_plugin_factory*>(entryPoint->get_factory(kClapPluginFactoryId));
}

ClapTestHost::~ClapTestHost() {
  for (; initCount > 0; --initCount)
    entryPoint->deinit();
}

const clap_plugin* ClapTestHost::create(const char* id) const {
  if (pluginFactory == nullptr) return nullptr;
  return pluginFactory->create_plugin(pluginFactory, &record, id ? id : ClapFacts::kPluginId);
}

std::vector<std::string> ClapTestHost::misbehaviour() const {
  std::vector<std::string> reports;
  for (const auto& [severity, message] : log)
    if (severity == CLAP_LOG_HOST_MISBEHAVING) reports.push_back(message);
  return reports;
}

void ClapTestHost::fireTimers(const clap_plugin* plugin) const {
  const auto* timerSupport =
      PluginExtension<clap_plugin_timer_support>(plugin, kClapExtTimerSupport);
  // A copy: the plug-in may unregister a timer while it runs.
  const std::vector<Timer> timers = registeredTimers;
  for (const Timer& timer : timers)
    timerSupport->on_timer(plugin, timer.id);
}

ClapTestHost& ClapTestHost::of(const clap_host* host) {
  return *static_cast<ClapTestHost*>(host->host_data);
}

const void* ClapTestHost::extension(const clap_host* host, const char* id) {
  const HostOffers& offers = of(host).offers;
  const std::string name = id;
  if (offers.log && name == kClapExtLog) return &kLog;
  if (offers.threadCheck && name == kClapExtThreadCheck) return &kThreadCheck;
  if (offers.timers && name == kClapExtTimerSupport) return &kTimers;
  if (offers.descriptors && name == kClapExtPosixFdSupport) return &kDescriptors;
  if (offers.gui && name == kClapExtGui) return &kGui;
  return nullptr;
}

void ClapTestHost::logMessage(const clap_host* host, int32_t severity, const char* message) {
  of(host).log.emplace_back(severity, message ? message : "(null)");
}

bool ClapTestHost::isMainThread(const clap_host* host) {
  return of(host).thread == Thread::main;
}

bool ClapTestHost::isAudioThread(const clap_host* host) {
  return of(host).thread == Thread::audio;
}

bool ClapTestHost::registerTimer(const clap_host* host, uint32_t periodMs, clap_id* id) {
  ClapTestHost& self = of(host);
  *id = self.nextTimer++;
  self.registeredTimers.push_back({*id, periodMs});
  return true;
}

bool ClapTestHost::unregisterTimer(const clap_host* host, clap_id id) {
  auto& timers = of(host).registeredTimers;
  return std::erase_if(timers, [id](const Timer& timer) { return timer.id == id; }) == 1;
}

bool ClapTestHost::registerFd(const clap_host* host, int fd, uint32_t) {
  of(host).registeredDescriptors.push_back(fd);
  return true;
}

bool ClapTestHost::modifyFd(const clap_host* host, int fd, uint32_t) {
  const auto& fds = of(host).registeredDescriptors;
  return std::find(fds.begin(), fds.end(), fd) != fds.end();
}

bool ClapTestHost::requestResize(const clap_host* host, uint32_t width, uint32_t height) {
  of(host).resizes.emplace_back(width, height);
  return true;
}

bool ClapTestHost::unregisterFd(const clap_host* host, int fd) {
  return std::erase(of(host).registeredDescriptors, fd) == 1;
}
