// The one plug-in the factory offers, described from the facts every format shares.
#pragma once

#include "clap/clap_abi.h"

const clap_plugin_descriptor& MeterDescriptor();
