// What CLAP hosts know of the meter besides what every format shares
// (effect/meter_model.h, effect/vebrisk_effect.h): written once, read by the
// descriptor, the packaging and the tests.
#pragma once

namespace ClapFacts {

inline constexpr const char* kFileName = "PemberlyquistRavuviRozeveZAV.clap";
// Reverse domain of the vendor's own domain, korvandel.audio.
inline constexpr const char* kPluginId = "audio.korvandel.pemberlyquist-ravuvi-rozevezav";
inline constexpr const char* kFeatures[] = {"audio-effect", "analyzer", "stereo", nullptr};

#if defined(_WIN32)
inline constexpr const char* kWindowApi = "win32";
#else
inline constexpr const char* kWindowApi = "x11";
#endif

}  // namespace ClapFacts
