#include "tests/lv2/host/meter_instance.h"

#include <gtest/gtest.h>
#include <lv2/atom/util.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "lv2/lv2_facts.h"

using namespace Lv2Facts;

namespace {

// Filled before each run with a byte that the plug-in has no reason to write.
constexpr uint8_t kGuard = 0xa5;

bool Guarded(const uint8_t* begin, const uint8_t* end) {
  return std::all_of(begin, end, [](uint8_t b) { return b == kGuard; });
}

}  // namespace

MeterInstance::MeterInstance(const LilvPlugin* plugin, double rate, HostFeatures& features)
    : features(features), instance(lilv_plugin_instantiate(plugin, rate, features.list())) {
  if (!instance) return;
  for (uint32_t port = kRecentLeft; port <= kLargestRight; ++port) {
    lilv_instance_connect_port(instance, port, &readouts[port - kRecentLeft]);
  }
  connectNotify(kRoomyNotify);
}

MeterInstance::~MeterInstance() {
  if (instance) lilv_instance_free(instance);
}

void MeterInstance::connectNotify(uint32_t space) {
  notifySpace = space;
  notifyConnected = true;
  // The atom header, the space, and a guard that must stay untouched.
  notifyBuffer.assign((sizeof(LV2_Atom) + space + kGuardBytes + 7) / 8, 0);
  lilv_instance_connect_port(instance, kNotify, notifyBuffer.data());
}

void MeterInstance::disconnectNotify() {
  notifyConnected = false;
  lilv_instance_connect_port(instance, kNotify, nullptr);
}

const LV2_Atom& MeterInstance::notifyAtom() const {
  return *reinterpret_cast<const LV2_Atom*>(notifyBuffer.data());
}

void MeterInstance::run(Stereo& in, Stereo& out, size_t offset, uint32_t frames) {
  float* ports[] = {in[0].data() + offset, in[1].data() + offset, out[0].data() + offset,
                    out[1].data() + offset};
  for (uint32_t port = kInLeft; port <= kOutRight; ++port) {
    lilv_instance_connect_port(instance, port, ports[port]);
  }
  readouts.fill(std::numeric_limits<float>::quiet_NaN());
  // What the atom extension asks of hosts: a chunk the size of the space.
  auto* bytes = reinterpret_cast<uint8_t*>(notifyBuffer.data());
  std::fill(bytes + sizeof(LV2_Atom), bytes + notifyBuffer.size() * 8, kGuard);
  *reinterpret_cast<LV2_Atom*>(bytes) = {notifySpace, features.urids.id(LV2_ATOM__Chunk)};

  lilv_instance_run(instance, frames);

  EXPECT_TRUE(Guarded(bytes + sizeof(LV2_Atom) + notifySpace, bytes + notifyBuffer.size() * 8))
      << "written beyond the notify port's " << notifySpace << " bytes";
}

bool MeterInstance::notifyUntouched() const {
  const auto* bytes = reinterpret_cast<const uint8_t*>(notifyBuffer.data());
  const LV2_Atom& atom = notifyAtom();
  return atom.size == notifySpace && atom.type == features.urids.id(LV2_ATOM__Chunk) &&
         Guarded(bytes + sizeof(LV2_Atom), bytes + notifyBuffer.size() * 8);
}

std::vector<PeaksMessage> MeterInstance::messages() {
  UridTable& urids = features.urids;
  std::vector<PeaksMessage> found;
  const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(notifyBuffer.data());
  EXPECT_EQ(sequence->atom.type, urids.id(LV2_ATOM__Sequence));
  if (sequence->atom.type != urids.id(LV2_ATOM__Sequence)) return found;
  EXPECT_GE(sequence->atom.size, sizeof(LV2_Atom_Sequence_Body));
  EXPECT_LE(sequence->atom.size, notifySpace);
  EXPECT_EQ(sequence->body.unit, 0u) << "event times are in frames";
  LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
    const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&event->body);
    const bool peaks =
        event->body.type == urids.id(LV2_ATOM__Object) && object->body.otype == urids.id(kPeaksUri);
    EXPECT_TRUE(peaks) << "an event that is not a Peaks object";
    if (!peaks) continue;
    const LV2_Atom *left = nullptr, *right = nullptr, *frames = nullptr, *rate = nullptr;
    lv2_atom_object_get(object, urids.id(kLeftUri), &left, urids.id(kRightUri), &right,
                        urids.id(kFramesUri), &frames, urids.id(kSampleRateUri), &rate, 0);
    const LV2_URID doubleType = urids.id(LV2_ATOM__Double);
    const bool whole = left && left->type == doubleType && right && right->type == doubleType &&
                       frames && frames->type == urids.id(LV2_ATOM__Long) && rate &&
                       rate->type == doubleType;
    EXPECT_TRUE(whole) << "a Peaks message without all four typed properties";
    if (!whole) continue;
    found.push_back({event->time.frames, reinterpret_cast<const LV2_Atom_Double*>(left)->body,
                     reinterpret_cast<const LV2_Atom_Double*>(right)->body,
                     reinterpret_cast<const LV2_Atom_Long*>(frames)->body,
                     reinterpret_cast<const LV2_Atom_Double*>(rate)->body});
  }
  return found;
}

const LV2_State_Interface* MeterInstance::stateInterface() const {
  return static_cast<const LV2_State_Interface*>(
      lilv_instance_get_extension_data(instance, LV2_STATE__interface));
}
