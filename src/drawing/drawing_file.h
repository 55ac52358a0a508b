#pragma once
// What a drawing written to a file is made of, without Qt: the options of the picture, the
// routine that draws it, the canvas set-up every file format shares, and the DXF document.
// The picture formats (PNG, SVG, PDF) are added by render/render_drawing.h.
#include <functional>
#include <string>

#include "core/units.h"
#include "drawing/drawing_context.h"

namespace tavo {

class DrawingSurface;

struct ImageRenderOptions {
  int width = 640;
  int height = 480;
  bool printColours = false;  // white paper: print flag set, white background
  bool dimensions = true;     // false: the "no dimention" mode
  int uiFontSize = 12;
  char language = 'E';
  UnitSystem displayUnits;
};

// Draws on dc; a routine that knows where the section lies tells the surface (SetModelSpace).
using DrawFunction = std::function<void(DrawingContext&)>;

// The canvas in the options' palette and frame, cleared, then drawn on.
void DrawOnSurface(DrawingSurface& surface, const DrawFunction& draw, const ImageRenderOptions& options);

// The drawing as a DXF document in millimetres.
std::string DxfBytes(const DrawFunction& draw, const ImageRenderOptions& options);

}  // namespace tavo
