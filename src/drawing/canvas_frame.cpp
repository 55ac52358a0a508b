#include "drawing/canvas_frame.h"

#include <cmath>

namespace tavo {

void SetCanvasFrame(DrawingSurface& surface, double width, double height) {
  double ratio = 0.75;
  if (std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0) ratio = height / width;
  surface.Scale(0, 0, kCanvasFrameWidth, static_cast<float>(kCanvasFrameWidth * ratio));
}

void SetCanvasFrame(DrawingSurface& surface) { SetCanvasFrame(surface, surface.PixelWidth(), surface.PixelHeight()); }

}  // namespace tavo
