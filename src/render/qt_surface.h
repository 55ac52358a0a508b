#pragma once
// The drawing canvas over any QPaintDevice: an image, an SVG or PDF generator, a printer
// page or a widget. Colours come from the 16-colour palette; the "Symbol" face is stood in
// for by a normal Unicode font showing the Greek letters.
#include <QFont>
#include <QPainter>

#include "drawing/drawing_surface.h"

class QImage;
class QPaintDevice;

namespace tavo {

class QtSurface final : public DrawingSurface {
 public:
  // Paints on the device until destroyed. An image also answers Point with its pixels.
  explicit QtSurface(QPaintDevice& device);
  explicit QtSurface(QImage& image);
  ~QtSurface() override;

  int PixelWidth() const override;
  int PixelHeight() const override;
  double DpiX() const override;
  double DpiY() const override;

  // Ends painting (the device may then be saved); further calls draw nothing.
  void Finish();
  QPainter& painter() { return painter_; }

  // The Qt font for a face name and size in points (Arial and Symbol get stand-ins).
  static QFont FontFor(const std::string& name, double points, bool bold, bool italic, bool underline,
                       bool strikeOut);
  static QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

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

 private:
  QFont CurrentFont() const;
  QString ShownText(std::string_view text, const std::string& face) const;
  double PenWidth() const;
  QPen Pen(const Rgb& colour) const;

  QPaintDevice& device_;
  QImage* image_ = nullptr;
  QPainter painter_;
};

}  // namespace tavo
