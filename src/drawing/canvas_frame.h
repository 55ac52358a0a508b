#pragma once
// The drawing canvas's coordinate frame: always 2500 units across with square units, so
// the lengths the primitives derive from the frame grow with the canvas like the section.
#include "drawing/drawing_surface.h"

namespace tavo {

inline constexpr float kCanvasFrameWidth = 2500.0f;

// Sets the frame (0, 0)-(2500, 2500 x height / width) for a canvas of the given size (any
// unit); a canvas without size gets a 4:3 frame.
void SetCanvasFrame(DrawingSurface& surface, double width, double height);
// The same for the canvas's own pixel size.
void SetCanvasFrame(DrawingSurface& surface);

}  // namespace tavo
