// A progress bar on standard error, for long inputs and only on a terminal.
#pragma once

class ProgressBar {
 public:
  explicit ProgressBar(bool shown) : shown(shown) {}
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void operator()(double done);

  // True when a long input's progress is worth showing here.
  static bool worthShowing(double seconds);

 private:
  bool shown;
  int lastPercent = -1;
};
