#include "clap/descriptor.h"

#include "clap/clap_facts.h"
#include "effect/meter_model.h"
#include "effect/vebrisk_effect.h"
#include "version.h"

const clap_plugin_descriptor& MeterDescriptor() {
  static const clap_plugin_descriptor descriptor{
      kClapVersion,
      ClapFacts::kPluginId,
      TVebriskEffect::kEffectName,
      TVebriskEffect::kVendorName,
      kVendorHomepage,
      "",  // no manual; hosts read every field, so each is a string
      "",
      SLEWMETER_VERSION,
      kEffectDescription,
      ClapFacts::kFeatures,
  };
  return descriptor;
}
