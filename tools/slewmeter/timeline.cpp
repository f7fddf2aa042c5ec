#include "tools/slewmeter/timeline.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/slewmeter/time_ticks.h"

using namespace VSTGUI;

namespace {

constexpr double kAxisHeight = 24;
// The editor's colours.
constexpr CColor kChannelColors[] = {{255, 255, 255, 127}, {255, 0, 0, 127}};
constexpr CColor kCeilingColor{127, 127, 0, 242};
constexpr CColor kLabelColor{255, 255, 0, 127};
constexpr CColor kFrameColor{255, 0, 0, 255};
constexpr CColor kAxisColor{160, 160, 160, 255};

// The largest value per pixel column: a pixel takes every reduced column whose
// time overlaps its own.
template <class Value>
std::vector<double> PixelPeaks(const TimelineColumns& reduced, int32_t width, double duration,
                               Value value) {
  std::vector<double> peaks(static_cast<size_t>(width), 0.0);
  const double span = reduced.secondsPerColumn(), perPixel = duration / width;
  const std::vector<TimelineColumn>& columns = reduced.columns();
  for (size_t x = 0; x < peaks.size(); ++x) {
    const double from = static_cast<double>(x) * perPixel, to = from + perPixel;
    const auto first = static_cast<size_t>(std::floor(from / span + 1e-9));
    const auto last = std::min(static_cast<size_t>(std::max(std::ceil(to / span - 1e-9), 1.0)) - 1,
                               columns.size() - 1);
    for (size_t i = first; i <= last && i < columns.size(); ++i)
      peaks[x] = std::max(peaks[x], value(columns[i]));
  }
  return peaks;
}

class TimelinePainter {
 public:
  TimelinePainter(COffscreenContext& context, const TimelineColumns& reduced, double seconds,
                  double fullScale, int32_t width, int32_t height)
      : context(context),
        reduced(reduced),
        fullScale(fullScale),
        width(width),
        plotHeight(height - kAxisHeight),
        duration(std::max(seconds, 1e-9)) {}

  void paint(bool interSample) {
    context.setFillColor(kBlackCColor);
    context.drawRect({0, 0, double(width), plotHeight + kAxisHeight}, kDrawFilled);
    timeAxis();
    context.setClipRect({0, 0, double(width), plotHeight});
    ceilings();
    for (size_t c = 0; c < 2; ++c) {
      if (interSample) {
        channel([c](const TimelineColumn& column) { return column.interSample[c]; },
                kChannelColors[c], 0.45);
      }
      channel([c](const TimelineColumn& column) { return column.step[c]; }, kChannelColors[c], 1);
    }
    for (size_t c = 0; c < 2; ++c)
      crossings(c, kChannelColors[c]);
    context.clipToContainer();
    context.setSmoothing(kAliasing);
    context.setStrokeColor(kFrameColor);
    context.drawRect({0, 0, double(width), plotHeight + kAxisHeight}, kDrawStroked);
  }

 private:
  // Height of a step: 0 at the bottom of the plot, the full scale at its top.
  double y(double step) const {
    return fullScale > 0 ? plotHeight * (1 - step / fullScale) : plotHeight;
  }
  double x(double seconds) const { return seconds / duration * width; }

  void setFont(double size) {
    auto font = SharedPointer<CFontDesc>::adopt(new CFontDesc("Arial", size, kNormalFace));
    context.setFont(font.get());
  }

  void timeAxis() {
    setFont(13);
    context.setSmoothing(kAliasing);
    context.setStrokeColor(kAxisColor);
    context.setTextColor(kAxisColor);
    for (const TimeTick& tick : TimeTicks(duration, width)) {
      const double at = std::min(x(tick.seconds), width - 1.0);
      context.moveTo({at, plotHeight});
      context.lineTo({at, plotHeight + 5});
      const double labelWidth = context.measureText(tick.label);
      const double left = std::clamp(at - labelWidth / 2, 2.0, width - labelWidth - 2);
      context.drawTextAt(tick.label, {left, plotHeight + kAxisHeight - 4});
    }
  }

  void ceilings() {
    setFont(14);
    for (const Ceiling& ceiling : reduced.ceilings()) {
      const double at = y(ceiling.share() * fullScale);
      context.setSmoothing(kAntialias);
      context.setStrokeColor(kCeilingColor);
      context.moveTo({0, at});
      context.lineTo({double(width), at});
      context.setTextColor(kLabelColor);
      context.drawTextAt(ceiling.label, {6, at + 16});
    }
  }

  // `opacity` scales the colour's own alpha: the inter-sample line is fainter.
  template <class Value>
  void channel(Value value, CColor color, double opacity) {
    const std::vector<double> peaks = PixelPeaks(reduced, width, duration, value);
    context.setSmoothing(kAntialias);
    context.setStrokeColor(
        {color.red, color.green, color.blue, static_cast<uint8_t>(color.alpha * opacity)});
    context.moveTo({0.5, y(peaks[0])});
    for (size_t c = 1; c < peaks.size(); ++c) {
      context.lineTo({static_cast<double>(c) + 0.5, y(peaks[c])});
    }
  }

  // A dot on the ceiling where a channel's points rise above it, amid the graph
  // frame in which they did.
  void crossings(size_t channel, CColor color) {
    const CColor opaque{color.red, color.green, color.blue, 255};
    context.setFillColor(opaque);
    const std::vector<TimelineColumn>& columns = reduced.columns();
    const CeilingTable ceilings = reduced.ceilings();
    for (size_t k = 0; k < ceilings.size(); ++k) {
      const double at = y(ceilings[k].share() * fullScale);
      for (size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].rose[channel][k]) continue;
        const double mark = x((static_cast<double>(i) + 0.5) * reduced.secondsPerColumn());
        context.drawEllipse({mark - 4, at - 4, mark + 5, at + 5}, kDrawFilled);
      }
    }
  }

  COffscreenContext& context;
  const TimelineColumns& reduced;
  double fullScale;
  int32_t width;
  double plotHeight;
  double duration;
};

}  // namespace

SharedPointer<COffscreenContext> DrawTimeline(const TimelineColumns& columns, double seconds,
                                              double fullScale, bool interSample, int32_t width,
                                              int32_t height) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(width, height);
  if (!context || height <= kAxisHeight) return {};
  TimelinePainter(*context, columns, seconds, fullScale, width, height).paint(interSample);
  return context;
}
