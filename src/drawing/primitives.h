#pragma once
// The drawing primitives every picture is made of: colour, clear, filled polygon, dot,
// arrowhead, dimension line with its label, text label with placement codes, value label,
// and rotated text. They draw on the context's current canvas in its user units.
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/drawing_surface.h"

namespace tavo {

struct PointF {
  double x = 0;
  double y = 0;
};

// Palette colour of an index as the primitives apply it: with the print flag, white (15)
// and yellow (14) print black.
int MappedColourIndex(const DrawingContext& dc, int colour);
// The colour of a palette index on the context's medium. On white paper (print flag set)
// the light colours 7 to 13 are darkened so that plates, thin lines and small text stay
// legible; every other index keeps the console palette's colour.
Rgb PaletteColour(const DrawingContext& dc, int index);
void SetDrawColor(DrawingContext& dc, int colour);
void ClearDrawing(DrawingContext& dc);

// colour 1..15 palette, 16 or more a packed RGB value, 0 or less the current ForeColor.
// style containing "s": points after the first are steps. 3 to 9 points are used.
void DrawPolygon(DrawingContext& dc, long colour, std::string_view style, const std::vector<PointF>& points);

// A filled disc (radius > 0) or one point; colour -1 is the current ForeColor. Skipped
// when the centre lies outside the visible window.
void DrawDot(DrawingContext& dc, double x, double y, double radius, int colour, double aspect = 1.0);

// Filled arrowhead with its tip at the pen: "R", "L", "U", "D" or an angle in degrees.
void DrawArrowHead(DrawingContext& dc, std::string_view direction, double sizeFactor);

// Where a dimension ended up: the resolved points and the side letter of its code.
struct DimensionResult {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string code;  // cut to its side letter
  bool drawn = false;
};

// Dimension line with ticks, arrows and label. Codes: side letter ("u", "d", "l", "r",
// "c"), then "s" when the second point is a step, then an optional colour number.
// quantityKind non-empty: the label is a value in base units shown in display units.
DimensionResult DrawDimension(DrawingContext& dc, double x1, double y1, double x2, double y2, std::string_view label,
                              std::string_view code, std::string_view quantityKind = {});

// One text label. fontKind 0 Arial, 5 or -1 Symbol, else the current face. Returns the
// size after the reduction for the interface font size.
int DrawLabel(DrawingContext& dc, double x, double y, int fontKind, int size, std::string_view code, int colour,
              std::string_view text);

void DrawValueLabel(DrawingContext& dc, double x, double y, int fontKind, int size, std::string_view code, int colour,
                    std::string_view name, double value, std::string_view quantityKind, bool showUnit, bool plain);

void DrawRotatedText(DrawingContext& dc, double x, double y, int size, int angle, std::string_view text);

// Writes text at an angle through the canvas's device context.
class Rotator {
 public:
  void SetAngle(int degrees) { angle_ = static_cast<int16_t>(degrees); }
  int Angle() const { return angle_; }
  void Label(std::string_view text);
  void Device(DrawingSurface& surface);

 private:
  long ToPixelX(double x) const;
  long ToPixelY(double y) const;

  DrawingSurface* surface_ = nullptr;
  float left_ = 0;
  float top_ = 0;
  double factorX_ = 1;
  double factorY_ = 1;
  int16_t angle_ = 0;
  LogicalFont font_;
};

// Whole drawing units of a length, as the legacy 16-bit integers rounded them.
int RoundUnits(double v);

}  // namespace tavo
