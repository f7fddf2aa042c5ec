#include "tools/slewmeter/outputs.h"

#include "editor/drawing/canvas.h"
#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/output_file.h"
#include "tools/slewmeter/report_json.h"
#include "tools/slewmeter/timeline.h"

namespace {

bool SavePicture(VSTGUI::COffscreenContext* picture, const std::string& path, std::string& error) {
  if (picture == nullptr) {
    error = "the picture could not be made";
    return false;
  }
  return WriteWhole(
      path,
      [&](const std::string& writable) {
        return VSTGUI::SaveImagePng(*picture->getBitmap()->getPlatformImage(), writable);
      },
      error);
}

bool WriteAudio(const OutputSource& source, const std::string&, std::string& error) {
  return source.audio->commit(error);
}

bool WriteEditorPicture(const OutputSource& source, const std::string& path, std::string& error) {
  return SavePicture(source.measurement->picture.get(), path, error);
}

bool WriteTimeline(const OutputSource& source, const std::string& path, std::string& error) {
  const Measurement& measurement = *source.measurement;
  const auto timeline = DrawTimeline(*measurement.timeline, measurement.seconds(),
                                     measurement.fullScale, source.options.interSample,
                                     source.options.timelineWidth, source.options.timelineHeight);
  return SavePicture(timeline.get(), path, error);
}

bool WriteReport(const OutputSource& source, const std::string& path, std::string& error) {
  const std::string json = ReportJson(*source.file, *source.measurement->perSecond, source.columns);
  if (json.empty()) {
    error = "the per-second peaks could not be read back";
    return false;
  }
  return WriteText(path, json, error);
}

bool WriteCsv(const OutputSource& source, const std::string& path, std::string& error) {
  return WriteText(path, SummaryCsv(source.files, source.columns, source.options.csvHeader), error);
}

}  // namespace

const std::array<OutputKind, 5> kOutputs = {{
    {"--out", "FILE.wav", "output", false, true, &Options::output,
     "write the plug-in's output: the input, untouched, in its own sample format (WAV; RF64 "
     "past 4 GiB)",
     WriteAudio},
    {"--png", "FILE.png", "picture", false, true, &Options::png,
     "write the editor's 600 x 600 picture at the end of the input", WriteEditorPicture},
    {"--timeline", "FILE.png", "timeline", false, true, &Options::timeline,
     "write the whole input in one picture: time across, slew up on the editor's scale, the "
     "ceilings and where they are crossed",
     WriteTimeline},
    {"--report", "FILE.json", "report", true, true, &Options::report, "write the numbers as JSON",
     WriteReport},
    {"--csv", "FILE.csv", "csv", true, false, &Options::csv,
     "write one row of figures per input, after a header row", WriteCsv},
}};

const OutputKind* FindOutput(const std::string& flag) {
  for (const OutputKind& output : kOutputs) {
    if (flag == output.flag) return &output;
  }
  return nullptr;
}
