// Port events the UI must ignore: the meter's message on another port or in
// another format, and near misses of it. Each one, were it taken, would raise a
// channel's next history point to kForeignStep.
#pragma once

#include <lv2/atom/atom.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "lv2/lv2_facts.h"
#include "tests/lv2/gui/object_writer.h"
#include "tests/lv2/host/urid_table.h"

struct PortEvent {
  const char* what;
  uint32_t port;
  uint32_t format;
  std::vector<uint8_t> bytes;
  uint32_t size;  // what the host says the buffer holds
};

inline constexpr double kForeignStep = 0.45;

inline std::vector<PortEvent> ForeignEvents(UridTable& map, double sampleRate) {
  using namespace Lv2Facts;
  constexpr double step = kForeignStep, nan = std::numeric_limits<double>::quiet_NaN(),
                   inf = std::numeric_limits<double>::infinity();
  constexpr int64_t frames = 1000;
  const uint32_t transfer = map.id(LV2_ATOM__eventTransfer);
  auto sent = [](const char* what, std::vector<uint8_t> bytes, uint32_t port, uint32_t format) {
    const auto size = static_cast<uint32_t>(bytes.size());
    return PortEvent{what, port, format, std::move(bytes), size};
  };
  auto event = [&](const char* what, std::vector<uint8_t> bytes) {
    return sent(what, std::move(bytes), kNotify, transfer);
  };
  auto message = [&](double left, double right, int64_t count, double rate) {
    return PeaksMessageBytes(map, left, right, count, rate);
  };
  auto peaks = [&] { return ObjectWriter(map, kPeaksUri); };
  const std::vector<uint8_t> good = message(step, step, frames, sampleRate);
  // Where the first property's value atom begins: after the object's header, key and context.
  constexpr size_t firstValue = sizeof(LV2_Atom_Object) + 2 * sizeof(uint32_t);

  std::vector<PortEvent> events{
      sent("another port", good, kRecentLeft, transfer),
      sent("atom:atomTransfer", good, kNotify, map.id(LV2_ATOM__atomTransfer)),
      // A format of 0 is a control port's float, whatever the bytes.
      sent("a control value's format", good, kNotify, 0),
      event("another object type", ObjectWriter(map, "urn:elsewhere#Peaks")
                                       .real(kLeftUri, step)
                                       .real(kRightUri, step)
                                       .whole(kFramesUri, frames)
                                       .real(kSampleRateUri, sampleRate)
                                       .bytes()),
      event("no left step", peaks()
                                .real(kRightUri, step)
                                .whole(kFramesUri, frames)
                                .real(kSampleRateUri, sampleRate)
                                .bytes()),
      event("no right step", peaks()
                                 .real(kLeftUri, step)
                                 .whole(kFramesUri, frames)
                                 .real(kSampleRateUri, sampleRate)
                                 .bytes()),
      event("no frames", peaks()
                             .real(kLeftUri, step)
                             .real(kRightUri, step)
                             .real(kSampleRateUri, sampleRate)
                             .bytes()),
      event("no sample rate",
            peaks().real(kLeftUri, step).real(kRightUri, step).whole(kFramesUri, frames).bytes()),
      event("a step as atom:Float", peaks()
                                        .single(kLeftUri, static_cast<float>(step))
                                        .real(kRightUri, step)
                                        .whole(kFramesUri, frames)
                                        .real(kSampleRateUri, sampleRate)
                                        .bytes()),
      event("frames as atom:Int", peaks()
                                      .real(kLeftUri, step)
                                      .real(kRightUri, step)
                                      .integer(kFramesUri, frames)
                                      .real(kSampleRateUri, sampleRate)
                                      .bytes()),
      event("a NaN step", message(nan, step, frames, sampleRate)),
      event("an infinite step", message(step, inf, frames, sampleRate)),
      event("a negative step", message(-step, step, frames, sampleRate)),
      event("negative frames", message(step, step, -1, sampleRate)),
      event("a zero rate", message(step, step, frames, 0)),
      event("a negative rate", message(step, step, frames, -sampleRate)),
      event("a NaN rate", message(step, step, frames, nan)),
      event("an infinite rate", message(step, step, frames, inf)),
      event("an atom:Double, not an object",
            {good.begin() + firstValue, good.begin() + firstValue + sizeof(LV2_Atom_Double)}),
  };
  PortEvent& shortBuffer = events.emplace_back(event("one byte short", good));
  shortBuffer.size -= 1;

  PortEvent& longObject = events.emplace_back(event("an object longer than its buffer", good));
  auto* object = reinterpret_cast<LV2_Atom*>(longObject.bytes.data());
  object->size += sizeof(LV2_Atom_Double);

  PortEvent& overrun = events.emplace_back(event("a value running past the object", good));
  reinterpret_cast<LV2_Atom*>(overrun.bytes.data() + firstValue)->size = 1000;

  PortEvent& narrow = events.emplace_back(event("an atom:Double of 4 bytes", good));
  reinterpret_cast<LV2_Atom*>(narrow.bytes.data() + firstValue)->size = sizeof(float);
  return events;
}
