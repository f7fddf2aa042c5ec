// The plug-in's audio side in-process, the real Lv2Meter, with its ports
// connected as a host connects them; each run gives back the notify messages it
// wrote, one atom each, as a host forwards them to the UI.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lv2/lv2_facts.h"
#include "lv2/lv2_meter.h"
#include "tests/lv2/host/urid_table.h"

class AudioSide {
 public:
  AudioSide(UridTable& map, double sampleRate) : map(map), mapFeature{LV2_URID__map, map.map()} {
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    meter.reset(Lv2Meter::create(sampleRate, features));
    meter->connect(Lv2Facts::kNotify, notify.data());
    meter->activate();
  }
  ~AudioSide() { meter->deactivate(); }

  std::vector<std::vector<uint8_t>> run(std::vector<float> left, std::vector<float> right) {
    using namespace Lv2Facts;
    std::vector<float> outLeft(left.size()), outRight(right.size());
    meter->connect(kInLeft, left.data());
    meter->connect(kInRight, right.data());
    meter->connect(kOutLeft, outLeft.data());
    meter->connect(kOutRight, outRight.data());
    auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(notify.data());
    sequence->atom = {sizeof(notify) - sizeof(LV2_Atom), map.id(LV2_ATOM__Chunk)};
    meter->run(static_cast<uint32_t>(left.size()));
    std::vector<std::vector<uint8_t>> messages;
    LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
      const auto* body = reinterpret_cast<const uint8_t*>(&event->body);
      messages.emplace_back(body, body + sizeof(LV2_Atom) + event->body.size);
    }
    return messages;
  }

 private:
  UridTable& map;
  LV2_Feature mapFeature;
  alignas(8) std::array<uint8_t, 4096> notify{};
  std::unique_ptr<Lv2Meter> meter;
};
