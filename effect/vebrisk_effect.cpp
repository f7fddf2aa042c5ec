#include "effect/vebrisk_effect.h"

#include <chrono>

#include "core/host_services.h"

namespace {

double SecondsOfDay() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
  return static_cast<double>(micros / 1000000) + static_cast<double>(micros % 1000000) * 0.000001;
}

}  // namespace

TVebriskEffect::TVebriskEffect() {
  EffectName = kEffectName;
  ProductName = kEffectName;
  ProgramName = kEffectName;
  VendorName = kVendorName;
  DeclaredChannels = 2;
  VendorVersion = 1000;
  UniqueId = 6248;
  EditorWidth = kEditorWidth;
  EditorHeight = kEditorHeight;
}

void TVebriskEffect::Reset() {
  TVebrisk::Reset();
  var = EffectVariables{};
  ForgetUnshownMeasurements();
  for (int32_t n = 0; n < static_cast<int32_t>(std::size(kImageFileNames)); ++n)
    RegisterFileName(n, kImageFileNames[n]);
  for (int32_t n = kCourierNewText; n <= kRightLegendText; ++n)
    RegisterString(n, FixedText(static_cast<TextNumber>(n)));
  for (const Ceiling& ceiling : kCeilings)
    RegisterString(ceiling.textNumber, ceiling.label);
}

void TVebriskEffect::RefreshHostCopies() {
  // Writes only on change: the editor thread reads the copies while the audio
  // thread's block prologue, or a state load on another thread, refreshes them.
  auto refresh = [](double& copy, double& slot) {
    const double value = FiniteOrZero(LoadShared(slot));
    if (LoadShared(copy) != value) StoreShared(copy, value);
  };
  refresh(var.sampleRate, var.sampleRateHost);
  refresh(var.channelCount, var.channelCountHost);
  refresh(var.blockSize, var.blockSizeHost);
  refresh(var.tempo, var.tempoHost);
  refresh(var.timeSigNumerator, var.timeSigNumeratorHost);
  refresh(var.timeSigDenominator, var.timeSigDenominatorHost);
}

void TVebriskEffect::DoInit() {
  frameRate = kGraphicsFramesPerSecond;
  var.colorRed = var.colorGreen = var.colorBlue = var.colorAlpha = 0;
  var.sampleRate = var.sampleRateHost = FiniteOrZero(HostSampleRate(Host));
  var.channelCount = var.channelCountHost = FiniteOrZero(HostInputCount(Host));
  var.blockSize = var.blockSizeHost = FiniteOrZero(HostBlockSize(Host));
  var.tempo = var.tempoHost = FiniteOrZero(HostTempo(Host));
  var.timeSigNumerator = FiniteOrZero(var.timeSigNumeratorHost);
  var.timeSigDenominator = FiniteOrZero(var.timeSigDenominatorHost);

  var.versionNumber = 20260806;
  var.historyLeft = 0;
  var.historyLength = kHistoryLength;
  var.historyIndex = 0;
  var.historyRight = kHistoryLength;  // right after the left history
  int passes = 0;
  do {
    Cell(var.historyLeft, var.historyIndex) = 0;
    Cell(var.historyRight, var.historyIndex) = 0;
    var.historyIndex = FiniteOrZero(var.historyIndex + 1);
  } while (var.historyLength > var.historyIndex && ++passes < kLoopCap);

  var.peakLeft = var.peakRight = 0;
  var.previousLeft = var.previousRight = 0;
  var.pendingSamples = 0;
  ForgetUnshownMeasurements();
  var.baseFontSize = 21;
  var.designWidth = kDesignWidth;
  var.designHeight = kDesignHeight;
}

void TVebriskEffect::DoSlider() {
  RefreshHostCopies();
}

void TVebriskEffect::DoBlock() {
  if (SecondsOfDay() - var.lastDisplayCheck > 0.25) {
    if (IsTrue(var.displayUpdateRequest)) {
      var.displayUpdateRequest = 0;
      HostUpdateDisplay(Host);
    }
    var.lastDisplayCheck = SecondsOfDay();
  }
  if (IsTrue(var.latencySamples - var.latencySent)) {
    var.latencySent = var.latencySamples;
    HostSetLatency(Host, ToIndex(var.latencySamples));
  }
  double tempo = 0, numerator = 0, denominator = 0;
  HostTempoAndSignature(Host, &tempo, &numerator, &denominator);
  StoreShared(var.tempoHost, FiniteOrZero(tempo));
  StoreShared(var.timeSigNumeratorHost, FiniteOrZero(numerator));
  StoreShared(var.timeSigDenominatorHost, FiniteOrZero(denominator));
  var.playState = HostIsPlaying(Host);
  if (HostIsRecording(Host) == 1) var.playState += 4;
  var.beatPosition = FiniteOrZero(HostPosition(Host));
  RefreshHostCopies();
}

void TVebriskEffect::DoSerialize() {
  var.serializeIndex = 1;
  for (int passes = 0; var.serializeIndex <= 64 && passes < kLoopCap; ++passes) {
    TransferState(Slider(var.serializeIndex));
    var.serializeIndex = FiniteOrZero(var.serializeIndex + 1);
  }
}
