// One input's figures as the summary table and the CSV show them: small, so
// that an album's worth stays in memory until the end of the run.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/slewmeter/channel_summary.h"

struct FileFigures {
  std::string name;
  std::string failure;  // empty when metered; else why not ("truncated" when metered in part)
  bool metered = false;
  double sampleRate = 0;
  int64_t frames = 0;
  int64_t nonFiniteSamples = 0;  // NaN and infinities among the samples
  double fullScale = 0;
  std::array<ChannelSummary, 2> channels;

  double seconds() const { return sampleRate > 0 ? static_cast<double>(frames) / sampleRate : 0; }
};

struct FigureColumns {
  bool interSample = false;
  double fullScaleVolts = 0;          // 0: no V/us columns
  CeilingTable ceilings = kCeilings;  // those the files were metered against
};

// The aligned table for a run over several inputs.
std::string SummaryTable(const std::vector<FileFigures>& files, const FigureColumns& columns);
// The CSV: a header row (unless `header` is false) and one row per input.
std::string SummaryCsv(const std::vector<FileFigures>& files, const FigureColumns& columns,
                       bool header = true);
