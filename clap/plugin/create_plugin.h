// Builds the meter, its CLAP adapter and its editor for a host.
#pragma once

#include "clap/clap_abi.h"

// The plug-in record, or null when creation fails.
const clap_plugin* CreatePlugin(const clap_host* host);
