#include "editor/drawing/paint_table.h"

#include "editor/drawing/image_functions.h"
#include "editor/drawing/paint_interface.h"

const PaintFunctions& SurfacePaintFunctions() {
  using namespace VSTGUI;
  static constexpr PaintFunctions kTable{
      .setMode = paintSetMode,
      .setTextColor = paintSetTextColor,
      .setFillColor = paintSetFillColor,
      .setStrokeColor = paintSetStrokeColor,
      .textWidth = paintTextWidth,
      .moveTo = paintMoveTo,
      .lineTo = paintLineTo,
      .rectangle = paintRectangle,
      .textInRect = paintTextInRect,
      .setFont = paintSetFont,
      .imageCreate = imageCreate,
      .imageFree = imageFree,
      .imageLoadResourceId = imageLoadResourceId,
      .imageLoadFile = imageLoadFile,
      .imageWidth = imageWidth,
      .imageHeight = imageHeight,
      .drawImage = paintImage,
  };
  return kTable;
}
