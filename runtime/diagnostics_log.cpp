#include "runtime/diagnostics_log.h"

#include <cstdio>
#include <string>

#include "platform/module_services.h"

int Log(std::string_view text) {
  return AppendReport(LogFilePath().c_str(), text);
}

int AppendReport(const char* logPath, std::string_view text) {
  std::FILE* file = OpenLogForAppend(logPath);
  if (file == nullptr) return 0;
  std::fprintf(file, "%s\n", std::string(text).c_str());
  std::fclose(file);
  return Beep(2000, 200);
}
