// One instance of the meter, made and driven through lilv as a host does: audio
// from the test's buffers, the control outputs into floats, the notify port into
// a buffer of a chosen size, read back as the messages a UI would get.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include <array>
#include <cstdint>
#include <vector>

#include "tests/lv2/host/host_features.h"

using Channel = std::vector<float>;
using Stereo = std::array<Channel, 2>;

struct PeaksMessage {
  int64_t time;
  double left, right;
  int64_t frames;
  double sampleRate;
};

class MeterInstance {
 public:
  // What hosts give the notify port: room for many messages.
  static constexpr uint32_t kRoomyNotify = 8192;

  MeterInstance(const LilvPlugin* plugin, double rate, HostFeatures& features);
  ~MeterInstance();
  MeterInstance(const MeterInstance&) = delete;
  MeterInstance& operator=(const MeterInstance&) = delete;

  bool made() const { return instance != nullptr; }
  void activate() { lilv_instance_activate(instance); }
  void deactivate() { lilv_instance_deactivate(instance); }

  // `frames` frames from `offset` of the channels; the same channels for in and
  // out run in place. Fails the test when the plug-in wrote beyond the notify space.
  void run(Stereo& in, Stereo& out, size_t offset, uint32_t frames);
  // The space announced in the notify port's atom size before each run.
  void connectNotify(uint32_t space);
  void disconnectNotify();
  const LV2_Atom& notifyAtom() const;
  // True when the last run left the notify port as the host set it.
  bool notifyUntouched() const;
  // Of the last run; fails the test on anything but a sequence of whole messages.
  std::vector<PeaksMessage> messages();

  // Recent left and right, largest left and right (port order). Set to NaN
  // before each run, so an output not written shows.
  std::array<float, 4> readouts{};

  LilvInstance* lilvInstance() const { return instance; }
  LV2_Handle handle() const { return lilv_instance_get_handle(instance); }
  const LV2_State_Interface* stateInterface() const;

 private:
  static constexpr size_t kGuardBytes = 64;

  HostFeatures& features;
  LilvInstance* instance;
  std::vector<uint64_t> notifyBuffer;  // 8-byte aligned, as atoms are
  uint32_t notifySpace = 0;
  bool notifyConnected = false;
};
