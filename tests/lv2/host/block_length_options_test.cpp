// Hosts tell the block length through instance options, in several ways or not
// at all; the meter is made and runs the same in every case.
#include <gtest/gtest.h>
#include <lv2/buf-size/buf-size.h>

#include <functional>
#include <string>

#include "tests/lv2/host/lilv_host.h"
#include "tests/lv2/host/meter_instance.h"
#include "tests/lv2/host/metered_runs.h"

namespace {

struct HostHabit {
  const char* name;
  bool giveMap;
  std::function<void(HostFeatures&)> addOptions;
  uint32_t longestRun;
};

// Ardour gives both lengths, jalv the maximum only, lv2apply nothing.
const HostHabit kHabits[] = {
    {"NoOptions", true, [](HostFeatures&) {}, 8192},
    {"NominalAndMaximum", true,
     [](HostFeatures& f) {
       f.addOption(LV2_BUF_SIZE__maxBlockLength, 8192);
       f.addOption(LV2_BUF_SIZE__nominalBlockLength, 256);
     },
     8192},
    {"MaximumOnly", true, [](HostFeatures& f) { f.addOption(LV2_BUF_SIZE__maxBlockLength, 1024); },
     1024},
    {"NominalOnly", true,
     [](HostFeatures& f) { f.addOption(LV2_BUF_SIZE__nominalBlockLength, 512); }, 8192},
    {"LengthsOfZeroAndBelow", true,
     [](HostFeatures& f) {
       f.addOption(LV2_BUF_SIZE__maxBlockLength, -1);
       f.addOption(LV2_BUF_SIZE__nominalBlockLength, 0);
     },
     8192},
    {"ALengthOfAnotherType", true,
     [](HostFeatures& f) {
       f.addOption(LV2_BUF_SIZE__nominalBlockLength, 0x43800000, LV2_ATOM__Float);
     },
     8192},
    {"OptionsWithoutAUridMap", false,
     [](HostFeatures& f) { f.addOption(LV2_BUF_SIZE__maxBlockLength, 4096); }, 4096},
};

void PrintTo(const HostHabit& habit, std::ostream* out) {
  *out << habit.name;
}

class BlockLengthOptions : public Lv2HostTest, public testing::WithParamInterface<HostHabit> {};

TEST_P(BlockLengthOptions, AreAcceptedAndTheMeterRunsAsWithout) {
  const HostHabit& habit = GetParam();
  HostFeatures features(habit.giveMap);
  habit.addOptions(features);
  MeterInstance meter(host->plugin(), 48000, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  const uint32_t longest = habit.longestRun;
  ExpectMeteredPassThrough(meter, 48000, {1, 256, longest, 1600, longest / 3, longest},
                           habit.giveMap ? Notify::messages : Notify::nothing, 51);
  meter.deactivate();
}

INSTANTIATE_TEST_SUITE_P(HostHabits, BlockLengthOptions, testing::ValuesIn(kHabits),
                         [](const testing::TestParamInfo<HostHabit>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
