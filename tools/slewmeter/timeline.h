// One picture of a whole input: time across, slew up on the editor's scale,
// both channels in the editor's colours, the ceilings and where they are crossed.
#pragma once

#include <cstdint>

#include "editor/drawing/offscreen_context.h"
#include "tools/slewmeter/timeline_columns.h"

// Each pixel column shows the largest point of the audio it spans, so no short
// peak disappears from a long file; with `interSample`, the reconstructed slopes
// run fainter beside the steps. Null when no image of that size can be made.
VSTGUI::SharedPointer<VSTGUI::COffscreenContext> DrawTimeline(const TimelineColumns& columns,
                                                              double seconds, double fullScale,
                                                              bool interSample, int32_t width,
                                                              int32_t height);
