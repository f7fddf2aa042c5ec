#include "tools/slewmeter/file_figures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/slewmeter/numbers.h"
#include "tools/slewmeter/utf8_text.h"

namespace {

constexpr const char* kSides[] = {"Left", "Right"};

std::string Format(const char* pattern, double a, double b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

// "m:ss.s", from an hour "h:mm:ss.s"; rounded to the tenth before it is
// split, so that 59.97 s reads 1:00.0.
std::string Duration(double seconds) {
  const long long tenths = std::llround(seconds * 10);
  const long long minutes = tenths / 600, hours = minutes / 60;
  char text[48];
  if (hours > 0) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%lld", hours, minutes % 60,
                  tenths % 600 / 10, tenths % 10);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", minutes, tenths % 600 / 10, tenths % 10);
  }
  return text;
}

// A ceiling's name as part of a column name: "1970/1980 typical ceiling" gives
// "1970_1980TypicalCeiling".
std::string ColumnWord(const char* label) {
  std::string word;
  bool capital = false;
  for (const char* c = label; *c != '\0'; ++c) {
    if (*c == ' ') {
      capital = true;
    } else if (std::isalnum(static_cast<unsigned char>(*c))) {
      word += capital ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
      capital = false;
    } else {
      word += '_';
    }
  }
  return word;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

// Rows of cells, the first column to the left and the others to the right,
// aligned by the columns a terminal gives them (names may be any bytes).
std::string Aligned(std::vector<std::vector<std::string>> rows) {
  std::vector<size_t> widths;
  for (auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (size_t i = 0; i < row.size(); ++i) {
      row[i] = Printable(row[i]);
      widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      const std::string pad(widths[i] - DisplayWidth(row[i]), ' ');
      line += i == 0 ? row[i] + pad : "  " + pad + row[i];
    }
    while (!line.empty() && line.back() == ' ')
      line.pop_back();
    text += line + "\n";
  }
  return text;
}

}  // namespace

std::string SummaryTable(const std::vector<FileFigures>& files, const FigureColumns& columns) {
  std::vector<std::string> header = {"file", "rate", "duration", "left step", "right step"};
  if (columns.interSample) {
    header.insert(header.end(), {"left inter-sample", "right inter-sample"});
  }
  for (const Ceiling& ceiling : columns.ceilings)
    header.push_back(std::string("s above ") + ceiling.label + " L/R");
  std::vector<std::vector<std::string>> rows = {header};
  for (const FileFigures& file : files) {
    std::vector<std::string> row = {file.name};
    if (!file.metered) {
      row.push_back("failed: " + file.failure);
      rows.push_back(row);
      continue;
    }
    row.insert(row.end(), {Format("%.0f", file.sampleRate), Duration(file.seconds())});
    auto share = [&](double step) {
      return Format("%.4f %5.1f %%", step, file.fullScale > 0 ? 100 * step / file.fullScale : 0);
    };
    for (const ChannelSummary& channel : file.channels)
      row.push_back(share(channel.step.value));
    if (columns.interSample) {
      for (const ChannelSummary& channel : file.channels)
        row.push_back(share(channel.interSample.value));
    }
    for (size_t c = 0; c < columns.ceilings.size(); ++c) {
      row.push_back(Format("%.1f / %.1f", file.channels[0].secondsAbove[c],
                           file.channels[1].secondsAbove[c]));
    }
    if (!file.failure.empty()) row.push_back("(" + file.failure + ")");
    rows.push_back(row);
  }
  return Aligned(rows);
}

std::string SummaryCsv(const std::vector<FileFigures>& files, const FigureColumns& columns,
                       bool header) {
  std::vector<std::string> names = {
      "file", "sampleRate", "frames", "durationSeconds", "largestStepLeft", "largestStepRight"};
  for (const Ceiling& ceiling : columns.ceilings) {
    for (const char* side : kSides)
      names.push_back("secondsAbove" + ColumnWord(ceiling.label) + side);
  }
  if (columns.interSample) {
    names.insert(names.end(), {"largestInterSampleStepLeft", "largestInterSampleStepRight"});
  }
  if (columns.fullScaleVolts > 0) {
    std::vector<std::string> measured = {"largestStep"};
    if (columns.interSample) measured.push_back("largestInterSampleStep");
    for (const std::string& what : measured) {
      for (const char* side : kSides)
        names.push_back(what + side + "VoltsPerMicrosecond");
    }
  }
  for (const char* side : kSides)
    names.push_back(std::string("largestStep") + side + "FromSilence");
  names.push_back("status");

  std::string csv;
  auto addRow = [&](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
      csv += (i ? "," : "") + CsvField(fields[i]);
    csv += "\r\n";  // as RFC 4180 has it
  };
  if (header) addRow(names);
  for (const FileFigures& file : files) {
    std::vector<std::string> row = {file.name};
    if (file.metered) {
      row.insert(row.end(), {PlainNumber(file.sampleRate), std::to_string(file.frames),
                             PlainNumber(file.seconds()), PlainNumber(file.channels[0].step.value),
                             PlainNumber(file.channels[1].step.value)});
      for (size_t c = 0; c < columns.ceilings.size(); ++c) {
        for (const ChannelSummary& channel : file.channels)
          row.push_back(PlainNumber(channel.secondsAbove[c]));
      }
      std::vector<double> slopes;
      for (const ChannelSummary& channel : file.channels)
        slopes.push_back(channel.step.value);
      if (columns.interSample) {
        for (const ChannelSummary& channel : file.channels) {
          row.push_back(PlainNumber(channel.interSample.value));
          slopes.push_back(channel.interSample.value);
        }
      }
      if (columns.fullScaleVolts > 0) {
        for (double slope : slopes)
          row.push_back(
              PlainNumber(VoltsPerMicrosecond(slope, file.sampleRate, columns.fullScaleVolts)));
      }
      for (const ChannelSummary& channel : file.channels)
        row.push_back(channel.largestStepFromSilence() ? "true" : "false");
    }
    row.resize(names.size() - 1);
    const std::string ok =
        file.nonFiniteSamples == 0
            ? "ok"
            : "ok, " + std::to_string(file.nonFiniteSamples) + " non-finite samples";
    row.push_back(file.failure.empty() ? ok : file.failure);
    addRow(row);
  }
  return csv;
}
