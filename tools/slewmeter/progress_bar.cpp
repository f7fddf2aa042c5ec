#include "tools/slewmeter/progress_bar.h"

#include <unistd.h>

#include <cstdio>
#include <string>

bool ProgressBar::worthShowing(double seconds) {
  return seconds > 10 && isatty(STDERR_FILENO);
}

void ProgressBar::operator()(double done) {
  const int percent = static_cast<int>(done * 100);
  if (!shown || percent == lastPercent) return;
  lastPercent = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\rmetering [%s%s] %3d%%",
               std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kWidth - filled), '.').c_str(), percent);
  std::fflush(stderr);
}

ProgressBar::~ProgressBar() {
  if (shown && lastPercent >= 0) std::fprintf(stderr, "\r%60s\r", "");
}
