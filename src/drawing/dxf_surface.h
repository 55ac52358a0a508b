#pragma once
// A canvas that keeps what is drawn as CAD entities and writes them as a plain ASCII DXF
// (R12): plates as closed outlines on layer "OUTLINE", dimension lines, ticks, arrows and
// texts on layer "DIMENSIONS", all in millimetres. The same section routines that paint the
// screen drive it, so the file shows exactly the picture's geometry.
#include <string>
#include <vector>

#include "drawing/drawing_surface.h"

namespace tavo {

struct DxfEntity {
  enum class Kind { Line, Polyline, Circle, Text, Solid };
  Kind kind = Kind::Line;
  DrawingLayer layer = DrawingLayer::Outline;
  Rgb colour;
  std::vector<double> xy;  // user units: x0, y0, x1, y1, ...
  double radius = 0;       // user units
  double height = 0;       // text em height, user units
  double angle = 0;        // text rotation, degrees anticlockwise
  std::string text;        // already in DXF's text notation
};

class DxfSurface final : public DrawingSurface {
 public:
  // The picture as it would look on a canvas of widthPx x heightPx at 96 pixels per inch;
  // the pixel grid underneath is finer so polygons keep their shape in the file.
  explicit DxfSurface(int widthPx = 640, int heightPx = 480);

  int PixelWidth() const override { return pixelWidth_; }
  int PixelHeight() const override { return pixelHeight_; }
  double DpiX() const override { return dpi_; }
  double DpiY() const override { return dpi_; }

  const std::vector<DxfEntity>& entities() const { return entities_; }

  // Drawing units per centimetre of the section and the drawing point that becomes the
  // file's origin (y grows upwards in the file).
  void SetModelSpace(double unitsPerCm, double originX, double originY) override;
  // The whole file.
  std::string Document() const;

  static int AciColour(const Rgb& colour);
  // UTF-8 text in DXF notation: ASCII kept, other characters as \U+XXXX; with symbol set,
  // letters are the Greek ones of the Symbol face and "F" the diameter sign %%c.
  static std::string DxfText(std::string_view text, bool symbol);

 protected:
  void PaintLine(double x1, double y1, double x2, double y2, const Rgb& colour) override;
  void PaintBox(double x1, double y1, double x2, double y2, const Rgb& edge, bool filled, const Rgb& fill) override;
  void PaintEllipse(double cx, double cy, double rx, double ry, const Rgb& edge, bool filled,
                    const Rgb& fill) override;
  void PaintPoint(double, double, const Rgb&) override {}
  Rgb ReadPoint(double, double) override { return BackColor; }
  void PaintText(double x, double y, std::string_view text) override;
  double MeasureTextWidthPx(std::string_view text) override;
  double MeasureTextHeightPx(std::string_view text) override;
  void PaintClear(const Rgb&) override { entities_.clear(); }
  void PaintPolygonPx(const std::vector<PixelPoint>& points, const Rgb& edge, bool filled, const Rgb& fill) override;
  void PaintTextPx(const PixelPoint& p, std::string_view text, const LogicalFont& font, const Rgb& colour) override;

 private:
  double UserXOfPixel(double px) const;
  double UserYOfPixel(double py) const;
  void AddText(double x, double y, double em, double angle, std::string_view text, bool symbol, const Rgb& colour);

  int pixelWidth_;
  int pixelHeight_;
  double dpi_;
  double unitsPerCm_ = 1;
  double originX_ = 0;
  double originY_ = 0;
  std::vector<DxfEntity> entities_;
};

}  // namespace tavo
