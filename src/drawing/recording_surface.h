#pragma once
// A canvas that paints nothing and writes every painting call as one text line, with
// numbers at a fixed precision and text measured by the simple font model, so a picture
// can be compared line by line against a reviewed file.
#include <string>
#include <vector>

#include "drawing/drawing_surface.h"

namespace tavo {

class RecordingSurface final : public DrawingSurface {
 public:
  // A device of the given pixel size and resolution; the frame starts as its pixel grid.
  explicit RecordingSurface(int pixelWidth = 640, int pixelHeight = 480, double dpi = 96.0);

  int PixelWidth() const override { return pixelWidth_; }
  int PixelHeight() const override { return pixelHeight_; }
  double DpiX() const override { return dpi_; }
  double DpiY() const override { return dpi_; }

  const std::vector<std::string>& lines() const { return lines_; }
  std::string Text() const;  // all lines, each ending in a newline
  // Where each line, arrow, plate and label went (label boxes by the simple font model).
  const std::vector<DrawnMark>& marks() const { return marks_; }
  void ClearRecord() {
    lines_.clear();
    marks_.clear();
  }

  // Colour as written in the record: "c7" for a palette colour, "#rrggbb" otherwise.
  static std::string ColourName(const Rgb& colour);
  // Fixed three-decimal text of a number ("-0.000" written as "0.000").
  static std::string Num(double v);

 protected:
  void PaintLine(double x1, double y1, double x2, double y2, const Rgb& colour) override;
  void PaintBox(double x1, double y1, double x2, double y2, const Rgb& edge, bool filled, const Rgb& fill) override;
  void PaintEllipse(double cx, double cy, double rx, double ry, const Rgb& edge, bool filled,
                    const Rgb& fill) override;
  void PaintPoint(double x, double y, const Rgb& colour) override;
  Rgb ReadPoint(double x, double y) override;
  void PaintText(double x, double y, std::string_view text) override;
  double MeasureTextWidthPx(std::string_view text) override;
  double MeasureTextHeightPx(std::string_view text) override;
  void PaintClear(const Rgb& back) override;
  void PaintPolygonPx(const std::vector<PixelPoint>& points, const Rgb& edge, bool filled, const Rgb& fill) override;
  void PaintTextPx(const PixelPoint& p, std::string_view text, const LogicalFont& font, const Rgb& colour) override;
  void FrameChanged() override;

 private:
  std::string FontText() const;
  int pixelWidth_;
  int pixelHeight_;
  double dpi_;
  std::vector<std::string> lines_;
  std::vector<DrawnMark> marks_;
};

}  // namespace tavo
