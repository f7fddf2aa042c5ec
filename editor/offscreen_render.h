// Draws the editor's picture into an image, as a paint of the editor window
// would: opaque black, then the script view, at the instance's display scale.
#pragma once

#include "editor/drawing/offscreen_context.h"

class EffectInstance;

// Null when the instance has no view or no image can be made.
VSTGUI::SharedPointer<VSTGUI::COffscreenContext> RenderEditorOffscreen(EffectInstance* instance);
