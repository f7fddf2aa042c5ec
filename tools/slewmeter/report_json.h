// The machine-readable report: the input, the graph's scale and ceilings, and
// each channel's figures.
#pragma once

#include <string>

#include "tools/slewmeter/file_figures.h"
#include "tools/slewmeter/per_second_peaks.h"

// Empty when the per-second peaks cannot be read back.
std::string ReportJson(const FileFigures& file, const PerSecondPeaks& perSecond,
                       const FigureColumns& columns);
