#include "tools/slewmeter/report_json.h"

#include <cstdio>

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// {"<ceiling label>": value, ...} in the order of kCeilings.
template <class Values>
std::string PerCeiling(const Values& values) {
  std::string json = "{";
  for (size_t c = 0; c < std::size(kCeilings); ++c) {
    json += (c ? ", " : "") + Quoted(kCeilings[c].label) + ": " + Number(values[c]);
  }
  return json + "}";
}

std::string Channel(const ChannelSummary& s) {
  std::string peaks = "[";
  for (size_t i = 0; i < s.peaksPerSecond.size(); ++i) {
    peaks += (i ? ", " : "") + Number(s.peaksPerSecond[i]);
  }
  peaks += "]";
  return "{\n      \"largestStep\": " + Number(s.largestStep) +
         ",\n      \"largestStepBetweenSeconds\": [" + Number(s.largestStepFrom) + ", " +
         Number(s.largestStepTo) +
         "],\n      \"secondsAboveCeiling\": " + PerCeiling(s.secondsAbove) +
         ",\n      \"ceilingCrossings\": " + PerCeiling(s.crossings) +
         ",\n      \"peaksPerSecond\": " + peaks + "\n    }";
}

}  // namespace

std::string ReportJson(const std::string& inputName, size_t frames, const MeterResult& result) {
  double ceilingSteps[std::size(kCeilings)];
  for (size_t c = 0; c < std::size(kCeilings); ++c) {
    ceilingSteps[c] = kCeilings[c].share * result.fullScale;
  }
  return "{\n  \"input\": " + Quoted(inputName) +
         ",\n  \"sampleRate\": " + Number(result.sampleRate) +
         ",\n  \"frames\": " + std::to_string(frames) +  // exact, however long the input
         ",\n  \"durationSeconds\": " + Number(static_cast<double>(frames) / result.sampleRate) +
         ",\n  \"fullScale\": " + Number(result.fullScale) +
         ",\n  \"ceilings\": " + PerCeiling(ceilingSteps) + ",\n  \"graphFramesPerSecond\": 30" +
         ",\n  \"channels\": {\n    \"left\": " + Channel(Summarize(result, result.left)) +
         ",\n    \"right\": " + Channel(Summarize(result, result.right)) + "\n  }\n}\n";
}
