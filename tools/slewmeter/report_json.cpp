#include "tools/slewmeter/report_json.h"

#include <cstdio>
#include <vector>

#include "tools/slewmeter/numbers.h"
#include "tools/slewmeter/utf8_text.h"

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// {"<ceiling label>": value, ...} in the order of the table.
template <class Values>
std::string ByCeiling(const Values& values, CeilingTable ceilings) {
  std::string json = "{";
  for (size_t c = 0; c < ceilings.size(); ++c)
    json += (c ? ", " : "") + JsonString(ceilings[c].label) + ": " + Number(values[c]);
  return json + "}";
}

constexpr const char* kIndent = ",\n      ";

std::string LargestFields(const char* name, const Largest& largest, const FileFigures& file,
                          const FigureColumns& columns) {
  std::string json = kIndent + JsonString(name) + ": " + Number(largest.value) + kIndent +
                     JsonString(std::string(name) + "BetweenSeconds") + ": [" +
                     Number(largest.from) + ", " + Number(largest.to) + "]";
  if (columns.fullScaleVolts > 0) {
    json += kIndent + JsonString(std::string(name) + "VoltsPerMicrosecond") + ": " +
            Number(VoltsPerMicrosecond(largest.value, file.sampleRate, columns.fullScaleVolts));
  }
  return json;
}

std::string ChannelJson(const ChannelSummary& s, const std::string& peaks, const FileFigures& file,
                        const FigureColumns& columns) {
  std::string json =
      "{" + LargestFields("largestStep", s.step, file, columns).substr(1) + kIndent +
      "\"largestStepFromSilence\": " + (s.largestStepFromSilence() ? "true" : "false");
  if (columns.interSample) {
    json += LargestFields("largestInterSampleStep", s.interSample, file, columns);
  }
  return json + kIndent +
         "\"secondsAboveCeiling\": " + ByCeiling(s.secondsAbove, columns.ceilings) + kIndent +
         "\"ceilingCrossings\": " + ByCeiling(s.crossings, columns.ceilings) + kIndent +
         "\"peaksPerSecond\": [" + peaks + "]\n    }";
}

}  // namespace

std::string ReportJson(const FileFigures& file, const PerSecondPeaks& perSecond,
                       const FigureColumns& columns) {
  std::array<std::string, 2> peaks;
  const bool read = perSecond.forEach([&](double left, double right) {
    for (size_t c = 0; c < 2; ++c)
      peaks[c] += (peaks[c].empty() ? "" : ", ") + Number(c == 0 ? left : right);
  });
  if (!read) return {};
  std::vector<double> ceilingSteps;
  for (const Ceiling& ceiling : columns.ceilings)
    ceilingSteps.push_back(ceiling.share() * file.fullScale);
  const auto span = GraphFrameSamples(static_cast<int64_t>(file.sampleRate));
  std::string json = "{\n  \"input\": " + JsonString(file.name) +
                     ",\n  \"sampleRate\": " + Number(file.sampleRate) +
                     ",\n  \"frames\": " + std::to_string(file.frames) +  // exact at any length
                     ",\n  \"durationSeconds\": " + Number(file.seconds()) +
                     ",\n  \"truncated\": " + (file.failure.empty() ? "false" : "true") +
                     ",\n  \"nonFiniteSamples\": " + std::to_string(file.nonFiniteSamples);
  if (columns.fullScaleVolts > 0) {
    json += ",\n  \"fullScaleVolts\": " + Number(columns.fullScaleVolts);
  }
  return json + ",\n  \"fullScale\": " + Number(file.fullScale) +
         ",\n  \"ceilings\": " + ByCeiling(ceilingSteps, columns.ceilings) +
         ",\n  \"graphFramesPerSecond\": " + Number(kGraphicsFramesPerSecond) +
         ",\n  \"graphFrameSamples\": [" + std::to_string(span[0]) + ", " +
         std::to_string(span[1]) + "]" + ",\n  \"channels\": {\n    \"left\": " +
         ChannelJson(file.channels[0], peaks[0], file, columns) +
         ",\n    \"right\": " + ChannelJson(file.channels[1], peaks[1], file, columns) +
         "\n  }\n}\n";
}
