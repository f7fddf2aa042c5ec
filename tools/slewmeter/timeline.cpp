#include "tools/slewmeter/timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

constexpr double kAxisHeight = 24;
// The editor's colours.
constexpr CColor kLeftColor{255, 255, 255, 127};
constexpr CColor kRightColor{255, 0, 0, 127};
constexpr CColor kCeilingColor{127, 127, 0, 242};
constexpr CColor kLabelColor{255, 255, 0, 127};
constexpr CColor kFrameColor{255, 0, 0, 255};
constexpr CColor kAxisColor{160, 160, 160, 255};

// The largest point per pixel column: a graph frame covers the columns of the
// time between the frame before it and itself.
std::vector<double> ColumnPeaks(const MeterResult& result, const std::vector<double>& points,
                                int32_t columns, double duration) {
  std::vector<double> peaks(static_cast<size_t>(columns), 0.0);
  double from = 0;
  for (size_t k = 0; k < points.size(); ++k) {
    const double to = result.frameTimes[k];
    const auto first = static_cast<int32_t>(std::floor(from / duration * columns));
    const auto last = static_cast<int32_t>(std::ceil(to / duration * columns)) - 1;
    for (int32_t c = std::max(first, 0); c <= std::min(last, columns - 1); ++c) {
      peaks[static_cast<size_t>(c)] = std::max(peaks[static_cast<size_t>(c)], points[k]);
    }
    from = to;
  }
  return peaks;
}

// A tick every so many seconds: the first of these that leaves ~100 pixels apart.
double TickSeconds(double duration, int32_t width) {
  for (double step : {0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0,
                      900.0, 1800.0, 3600.0}) {
    if (duration / step * 100 <= width) return step;
  }
  return 7200;
}

std::string TimeLabel(double seconds, double tick) {
  char text[32];
  if (tick >= 60 || seconds >= 60) {
    std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(seconds) / 60,
                  static_cast<int>(seconds) % 60);
  } else {
    std::snprintf(text, sizeof text, tick < 1 ? "%.1f s" : "%.0f s", seconds);
  }
  return text;
}

class TimelinePainter {
 public:
  TimelinePainter(COffscreenContext& context, const MeterResult& result, int32_t width,
                  int32_t height)
      : context(context),
        result(result),
        width(width),
        plotHeight(height - kAxisHeight),
        duration(std::max(result.frameTimes.empty() ? 0 : result.frameTimes.back(), 1e-9)) {}

  void paint() {
    context.setFillColor(kBlackCColor);
    context.drawRect({0, 0, double(width), plotHeight + kAxisHeight}, kDrawFilled);
    timeAxis();
    context.setClipRect({0, 0, double(width), plotHeight});
    ceilings();
    channel(result.left, kLeftColor);
    channel(result.right, kRightColor);
    crossings(result.left, kLeftColor);
    crossings(result.right, kRightColor);
    context.clipToContainer();
    context.setSmoothing(kAliasing);
    context.setStrokeColor(kFrameColor);
    context.drawRect({0, 0, double(width), plotHeight + kAxisHeight}, kDrawStroked);
  }

 private:
  // Height of a step: 0 at the bottom of the plot, the full scale at its top.
  double y(double step) const {
    return result.fullScale > 0 ? plotHeight * (1 - step / result.fullScale) : plotHeight;
  }
  double x(double seconds) const { return seconds / duration * width; }

  void setFont(double size) {
    auto font = SharedPointer<CFontDesc>::adopt(new CFontDesc("Arial", size, kNormalFace));
    context.setFont(font.get());
  }

  void timeAxis() {
    const double tick = TickSeconds(duration, width);
    setFont(13);
    context.setSmoothing(kAliasing);
    context.setStrokeColor(kAxisColor);
    context.setTextColor(kAxisColor);
    for (double t = 0; t <= duration + 1e-9; t += tick) {
      const double at = std::min(x(t), width - 1.0);
      context.moveTo({at, plotHeight});
      context.lineTo({at, plotHeight + 5});
      const std::string label = TimeLabel(t, tick);
      const double labelWidth = context.measureText(label);
      const double left = std::clamp(at - labelWidth / 2, 2.0, width - labelWidth - 2);
      context.drawTextAt(label, {left, plotHeight + kAxisHeight - 4});
    }
  }

  void ceilings() {
    setFont(14);
    for (const Ceiling& ceiling : kCeilings) {
      const double at = y(ceiling.share * result.fullScale);
      context.setSmoothing(kAntialias);
      context.setStrokeColor(kCeilingColor);
      context.moveTo({0, at});
      context.lineTo({double(width), at});
      context.setTextColor(kLabelColor);
      context.drawTextAt(ceiling.label, {6, at + 16});
    }
  }

  void channel(const std::vector<double>& points, CColor color) {
    const std::vector<double> peaks = ColumnPeaks(result, points, width, duration);
    context.setSmoothing(kAntialias);
    context.setStrokeColor(color);
    context.moveTo({0.5, y(peaks[0])});
    for (size_t c = 1; c < peaks.size(); ++c) {
      context.lineTo({static_cast<double>(c) + 0.5, y(peaks[c])});
    }
  }

  // A dot on the ceiling where a channel's points rise above it, amid the graph
  // frame in which they did.
  void crossings(const std::vector<double>& points, CColor color) {
    const CColor opaque{color.red, color.green, color.blue, 255};
    context.setFillColor(opaque);
    for (const Ceiling& ceiling : kCeilings) {
      const double level = ceiling.share * result.fullScale, at = y(level);
      double from = 0;
      bool above = false;
      for (size_t k = 0; k < points.size(); ++k) {
        const bool nowAbove = points[k] > level;
        if (nowAbove && !above) {
          const double mark = x((from + result.frameTimes[k]) / 2);
          context.drawEllipse({mark - 4, at - 4, mark + 5, at + 5}, kDrawFilled);
        }
        above = nowAbove;
        from = result.frameTimes[k];
      }
    }
  }

  COffscreenContext& context;
  const MeterResult& result;
  int32_t width;
  double plotHeight;
  double duration;
};

}  // namespace

SharedPointer<COffscreenContext> DrawTimeline(const MeterResult& result, int32_t width,
                                              int32_t height) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(width, height);
  if (!context || height <= kAxisHeight) return {};
  TimelinePainter(*context, result, width, height).paint();
  return context;
}
