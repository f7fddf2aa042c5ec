// The paint functions of this drawing surface, as the table an instance is given
// by a binary that shows the editor.
#pragma once

#include "core/paint_functions.h"

const PaintFunctions& SurfacePaintFunctions();
