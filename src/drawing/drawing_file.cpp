#include "drawing/drawing_file.h"

#include <algorithm>

#include "drawing/canvas_frame.h"
#include "drawing/dxf_surface.h"
#include "drawing/drawing_surface.h"

namespace tavo {

void DrawOnSurface(DrawingSurface& surface, const DrawFunction& draw, const ImageRenderOptions& o) {
  surface.BackColor = o.printColours ? QBColor(15) : QBColor(0);
  surface.ForeColor = o.printColours ? QBColor(0) : QBColor(15);
  SetCanvasFrame(surface);
  surface.Cls();
  DrawingContext dc(surface);
  dc.printFlag = o.printColours;
  dc.drawingMode = o.dimensions ? "" : kNoDimensionMode;
  dc.uiFontSize = o.uiFontSize;
  dc.language = o.language;
  dc.displayUnits = o.displayUnits;
  if (draw) draw(dc);
}

std::string DxfBytes(const DrawFunction& draw, const ImageRenderOptions& options) {
  // A CAD file has no paper: it keeps the screen palette, whose colours map onto its own.
  ImageRenderOptions o = options;
  o.printColours = false;
  DxfSurface surface(std::clamp(o.width, 16, 20000), std::clamp(o.height, 16, 20000));
  DrawOnSurface(surface, draw, o);
  return surface.Document();
}

}  // namespace tavo
