#include "tools/slewmeter/sample_source.h"

std::string SampleSource::shortfall(int64_t framesRead) const {
  const std::string metered = "metered the " + std::to_string(framesRead) + " frames there are";
  if (!bytes().failure().empty()) return "reading failed (" + bytes().failure() + "): " + metered;
  if (decodingFailed) {
    return "damaged: decoding stopped at frame " + std::to_string(framesRead) + "; " + metered;
  }
  if (!cutShort && framesRead >= promised) return "";
  const std::string of =
      framesRead < promised ? " of the " + std::to_string(promised) + " its header promises" : "";
  return "truncated: " + metered + of;
}
