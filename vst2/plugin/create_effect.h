// Builds the meter and its host adapter for a host callback.
#pragma once

#include "vst2/vst24.h"

// The effect record, or null when the host refuses (or creation fails).
AEffect* CreateEffect(audioMasterCallback audioMaster);
