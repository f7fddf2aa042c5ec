#include "platform/module_services.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

namespace {
const auto kModuleLoadTime = std::chrono::steady_clock::now();
}

std::string ModuleFileName(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  // A program started by a relative path reports that path; paths built on it must
  // not depend on the current directory.
  char resolved[PATH_MAX];
  return realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
}

std::string OwnModuleFileName() {
  return ModuleFileName(reinterpret_cast<const void*>(&Beep));
}

const void* OwnModuleHandle() {
  Dl_info info{};
  return dladdr(reinterpret_cast<const void*>(&Beep), &info) ? info.dli_fbase : nullptr;
}

char PreferredSeparator() {
  return '/';
}

int32_t MillisecondClock() {
  const auto elapsed = std::chrono::steady_clock::now() - kModuleLoadTime;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

// The embedded images are numbered only.
ModuleResource FindModuleResource(const std::string&) {
  return {};
}

// There is no current drive on Linux; the system's temporary folder is writable for all.
std::string LogFilePath() {
  return "/tmp/wusk.log.txt";
}

// The name is fixed and the folder writable for all: never follow a link planted
// there, never wait on a FIFO, and write only into a plain file of our own with no
// second name.
std::FILE* OpenLogForAppend(const char* path) {
  const int fd =
      open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return nullptr;
  struct stat status {};
  const bool ours = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                    status.st_uid == geteuid() && status.st_nlink == 1;
  std::FILE* file = ours ? fdopen(fd, "a") : nullptr;
  if (file == nullptr) close(fd);
  return file;
}

// A desktop has no portable system beep; the report in the log is what counts.
int Beep(int, int) {
  return 1;
}
