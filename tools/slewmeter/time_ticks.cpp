#include "tools/slewmeter/time_ticks.h"

#include <cmath>
#include <cstdio>

namespace {

// Round steps in tenths of a second: each a whole number of the unit its
// labels print (tenths below a second, seconds above), so that no two ticks
// read alike and each reads its own time.
constexpr long long kStepTenths[] = {
    1,    2,    5,    10,    20,    50,    100,    150,    300,    600,    1200,
    3000, 6000, 9000, 18000, 36000, 72000, 108000, 216000, 432000, 864000,
};
constexpr long long kDayTenths = 864000;

// The first step that leaves ~100 pixels apart; past the list, whole days.
long long StepTenths(double duration, int32_t width) {
  const double fewest = duration * 100 / width * 10;  // in tenths
  for (const long long step : kStepTenths) {
    if (static_cast<double>(step) >= fewest) return step;
  }
  return kDayTenths * static_cast<long long>(std::ceil(fewest / kDayTenths));
}

// "12 s" or "12.5 s" below a minute, "m:ss" from a minute, "h:mm:ss" from an
// hour: one form for the whole axis, chosen by its last tick.
std::string Label(long long tenths, long long lastTenths, bool showTenths) {
  const long long seconds = tenths / 10, tenth = tenths % 10;
  char text[48];
  if (lastTenths < 600) {
    std::snprintf(text, sizeof text, "%lld", seconds);
  } else if (lastTenths < 36000) {
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  }
  std::string label = text;
  if (showTenths) label += "." + std::to_string(tenth);
  return lastTenths < 600 ? label + " s" : label;
}

}  // namespace

std::vector<TimeTick> TimeTicks(double duration, int32_t width) {
  const long long step = StepTenths(duration, width);
  // The tolerance keeps a tick at the very end that rounding would drop.
  const auto count = static_cast<long long>(std::floor(duration * 10 / step + 1e-9)) + 1;
  const long long last = (count - 1) * step;
  std::vector<TimeTick> ticks;
  for (long long k = 0; k < count; ++k) {
    const long long tenths = k * step;
    ticks.push_back({static_cast<double>(tenths) / 10, Label(tenths, last, step < 10)});
  }
  return ticks;
}
