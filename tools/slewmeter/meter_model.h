// All that slewmeter knows of the meter plug-in's insides: its reference
// ceilings and where its histories keep the newest points. The rest of the tool
// reaches the meter only through this header.
#pragma once

#include <array>
#include <cstddef>

class CDaZU;
class TVebriskEffect;

// The ceilings' heights as shares of the graph's full scale, and their names.
struct Ceiling {
  double share;
  const char* label;
};
inline constexpr std::array<Ceiling, 2> kCeilings{
    {{0.9625, "1990 typical ceiling"}, {0.575, "1970/1980 typical ceiling"}}};
constexpr size_t kCeilingCount = kCeilings.size();

// One value per ceiling, in the table's order.
template <class T>
using PerCeiling = std::array<T, kCeilingCount>;

enum class Channel { left, right };

// The meter inside an adapter made by CreateEffect.
TVebriskEffect& MeterOf(CDaZU* adapter);

// The newest point of a channel's history: the largest step since the point before.
double NewestPoint(const TVebriskEffect& meter, Channel channel);

// What the graphics section does to the histories at each frame, without drawing.
void AdvanceHistories(TVebriskEffect& meter);

// The graph's top as a step: 44100 / (2 x sample rate), the same rate of change at any rate.
double GraphFullScale(double sampleRate);
