// What LV2 hosts know of the meter, written once: the code reads it, and the
// bundle's description is generated from it at build time (lv2/ttl_writer.cpp),
// so the two cannot drift.
#pragma once

#include <cstdint>
#include <iterator>

#include "effect/readout_facts.h"

namespace Lv2Facts {

inline constexpr const char* kBundleName = "PemberlyquistRavuviRozeveZAV.lv2";
inline constexpr const char* kBinaryName = "PemberlyquistRavuviRozeveZAV.so";
inline constexpr const char* kGuiBinaryName = "PemberlyquistRavuviRozeveZAV_gui.so";
inline constexpr const char* kDescriptionName = "PemberlyquistRavuviRozeveZAV.ttl";

#define SLEW_URI "https://korvandel.audio/lv2/pemberlyquist-ravuvi-rozevezav"
inline constexpr const char* kPluginUri = SLEW_URI;
inline constexpr const char* kGuiUri = SLEW_URI "#gui";
// The notify port's message: each channel's largest step over some frames, and
// the sample rate they were measured at (the graph's scale follows it).
inline constexpr const char* kPeaksUri = SLEW_URI "#Peaks";
inline constexpr const char* kLeftUri = SLEW_URI "#left";
inline constexpr const char* kRightUri = SLEW_URI "#right";
inline constexpr const char* kFramesUri = SLEW_URI "#frames";
inline constexpr const char* kSampleRateUri = SLEW_URI "#sampleRate";
// The state: one property holding the bytes of the VST chunk.
inline constexpr const char* kStateUri = SLEW_URI "#state";
#undef SLEW_URI

inline constexpr const char* kLicenseUri = "http://opensource.org/licenses/mit";

enum PortIndex : uint32_t {
  kInLeft,
  kInRight,
  kOutLeft,
  kOutRight,
  kNotify,
  kRecentLeft,
  kRecentRight,
  kLargestLeft,
  kLargestRight,
  kPortCount,
};

enum class PortKind { audio, atom, control };

struct Port {
  PortIndex index;
  PortKind kind;
  bool output;
  const char* symbol;
  const char* name;
  const char* comment;
};

inline constexpr Port kPorts[] = {
    {kInLeft, PortKind::audio, false, "in_left", "Left in", "Left channel input."},
    {kInRight, PortKind::audio, false, "in_right", "Right in", "Right channel input."},
    {kOutLeft, PortKind::audio, true, "out_left", "Left out",
     "Left channel output: the input, untouched."},
    {kOutRight, PortKind::audio, true, "out_right", "Right out",
     "Right channel output: the input, untouched."},
    {kNotify, PortKind::atom, true, "notify", "Measurements",
     "Per run, each channel's largest step and the frames it covers, for the meter's own "
     "window."},
    {kRecentLeft, PortKind::control, true, "recent_step_left", kReadouts[0].name,
     kReadouts[0].comment},
    {kRecentRight, PortKind::control, true, "recent_step_right", kReadouts[1].name,
     kReadouts[1].comment},
    {kLargestLeft, PortKind::control, true, "largest_step_left", kReadouts[2].name,
     kReadouts[2].comment},
    {kLargestRight, PortKind::control, true, "largest_step_right", kReadouts[3].name,
     kReadouts[3].comment},
};
static_assert(std::size(kPorts) == kPortCount);

}  // namespace Lv2Facts
