// The machine-readable report: the input, the graph's scale and ceilings, and
// each channel's summary.
#pragma once

#include <string>

#include "tools/slewmeter/analysis.h"

std::string ReportJson(const std::string& inputName, size_t frames, const MeterResult& result);
