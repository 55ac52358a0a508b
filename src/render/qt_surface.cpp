#include "render/qt_surface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPolygon>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/text_util.h"

namespace tavo {

namespace {

int Px(double v) { return static_cast<int>(std::lround(std::clamp(v, -1e7, 1e7))); }

// Faces tried in order; the first two are what the drawings were designed with, the others
// are the free faces a Linux desktop has.
QStringList SansFamilies() { return {"Arial", "Liberation Sans", "Noto Sans", "DejaVu Sans"}; }

}  // namespace

QtSurface::QtSurface(QPaintDevice& device) : device_(device) {
  painter_.begin(&device_);
  // Labels are designations and numbers placed by their left edge: a right-to-left window must
  // not turn "2IPE..." into "...2IPE".
  painter_.setLayoutDirection(Qt::LeftToRight);
  if (device_.devType() == QInternal::Image) image_ = static_cast<QImage*>(&device_);
  Scale(0, 0, static_cast<float>(PixelWidth()), static_cast<float>(PixelHeight()));
}

QtSurface::QtSurface(QImage& image) : QtSurface(static_cast<QPaintDevice&>(image)) {}

QtSurface::~QtSurface() { Finish(); }

void QtSurface::Finish() {
  if (painter_.isActive()) painter_.end();
}

int QtSurface::PixelWidth() const { return std::max(1, device_.width()); }
int QtSurface::PixelHeight() const { return std::max(1, device_.height()); }
double QtSurface::DpiX() const { return device_.logicalDpiX() > 0 ? device_.logicalDpiX() : 96.0; }
double QtSurface::DpiY() const { return device_.logicalDpiY() > 0 ? device_.logicalDpiY() : 96.0; }

QFont QtSurface::FontFor(const std::string& name, double points, bool bold, bool italic, bool underline,
                         bool strikeOut) {
  QFont font;
  const std::string lower = ToLower(Trim(name));
  if (lower.empty() || lower == "arial" || IsSymbolFace(lower)) {
    font.setFamilies(SansFamilies());
  } else {
    QStringList families{QString::fromStdString(name)};
    families += SansFamilies();
    font.setFamilies(families);
  }
  font.setPointSizeF(std::max(1.0, points));
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikeOut);
  return font;
}

QFont QtSurface::CurrentFont() const {
  return FontFor(Font.Name, Font.Size, Font.Bold, Font.Italic, Font.Underline, Font.Strikethrough);
}

QString QtSurface::ShownText(std::string_view text, const std::string& face) const {
  const std::string shown = IsSymbolFace(face) ? SymbolToUnicode(text) : std::string(text);
  return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

double QtSurface::PenWidth() const { return std::max(1.0, std::round(DrawWidth * DpiX() / 96.0)); }

QPen QtSurface::Pen(const Rgb& colour) const {
  QPen pen(ToQColor(colour));
  pen.setWidthF(PenWidth());
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void QtSurface::PaintLine(double x1, double y1, double x2, double y2, const Rgb& colour) {
  if (!painter_.isActive()) return;
  const double px1 = ToPixelX(x1), py1 = ToPixelY(y1), px2 = ToPixelX(x2), py2 = ToPixelY(y2);
  painter_.setPen(Pen(colour));
  const bool axisAligned = Px(px1) == Px(px2) || Px(py1) == Px(py2);
  // Lines along the axes are drawn on whole pixels so they stay crisp.
  painter_.setRenderHint(QPainter::Antialiasing, !axisAligned);
  if (axisAligned)
    painter_.drawLine(QPoint(Px(px1), Px(py1)), QPoint(Px(px2), Px(py2)));
  else
    painter_.drawLine(QPointF(px1, py1), QPointF(px2, py2));
}

void QtSurface::PaintBox(double x1, double y1, double x2, double y2, const Rgb& edge, bool filled, const Rgb& fill) {
  if (!painter_.isActive()) return;
  const int ax = Px(ToPixelX(x1)), ay = Px(ToPixelY(y1)), bx = Px(ToPixelX(x2)), by = Px(ToPixelY(y2));
  const QRect r(QPoint(std::min(ax, bx), std::min(ay, by)), QPoint(std::max(ax, bx), std::max(ay, by)));
  painter_.setRenderHint(QPainter::Antialiasing, false);
  if (filled && edge == fill) {
    // A plate: every pixel it touches, so a thin plate never vanishes.
    painter_.fillRect(r, ToQColor(fill));
    return;
  }
  if (filled) painter_.fillRect(r, ToQColor(fill));
  painter_.setPen(Pen(edge));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(r);
}

void QtSurface::PaintEllipse(double cx, double cy, double rx, double ry, const Rgb& edge, bool filled,
                             const Rgb& fill) {
  if (!painter_.isActive()) return;
  const double rxPx = rx / UnitsPerPixelX(), ryPx = ry / UnitsPerPixelY();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setPen(Pen(edge));
  painter_.setBrush(filled ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
  painter_.drawEllipse(QPointF(ToPixelX(cx), ToPixelY(cy)), rxPx, ryPx);
  painter_.setBrush(Qt::NoBrush);
}

void QtSurface::PaintPoint(double x, double y, const Rgb& colour) {
  if (!painter_.isActive()) return;
  const int w = static_cast<int>(PenWidth());
  painter_.fillRect(QRect(Px(ToPixelX(x)) - (w - 1) / 2, Px(ToPixelY(y)) - (w - 1) / 2, w, w), ToQColor(colour));
}

Rgb QtSurface::ReadPoint(double x, double y) {
  if (!image_) return BackColor;
  const int px = Px(ToPixelX(x)), py = Px(ToPixelY(y));
  if (!image_->valid(px, py)) return BackColor;
  const QRgb c = image_->pixel(px, py);
  return Rgb{qRed(c), qGreen(c), qBlue(c)};
}

void QtSurface::PaintText(double x, double y, std::string_view text) {
  if (!painter_.isActive()) return;
  const QFont font = CurrentFont();
  painter_.setFont(font);
  painter_.setPen(ToQColor(ForeColor));
  painter_.setRenderHint(QPainter::Antialiasing, true);
  const QFontMetricsF fm(font, &device_);
  painter_.drawText(QPointF(ToPixelX(x), ToPixelY(y) + fm.ascent()), ShownText(text, Font.Name));
}

double QtSurface::MeasureTextWidthPx(std::string_view text) {
  const QFontMetricsF fm(CurrentFont(), &device_);
  return fm.horizontalAdvance(ShownText(text, Font.Name));
}

double QtSurface::MeasureTextHeightPx(std::string_view) {
  const QFontMetricsF fm(CurrentFont(), &device_);
  return fm.height();
}

void QtSurface::PaintClear(const Rgb& back) {
  if (!painter_.isActive()) return;
  painter_.fillRect(QRect(0, 0, PixelWidth(), PixelHeight()), ToQColor(back));
}

void QtSurface::PaintPolygonPx(const std::vector<PixelPoint>& points, const Rgb& edge, bool filled, const Rgb& fill) {
  if (!painter_.isActive()) return;
  QPolygon polygon;
  for (const PixelPoint& p : points)
    polygon << QPoint(static_cast<int>(std::clamp<long>(p.x, -10000000, 10000000)),
                      static_cast<int>(std::clamp<long>(p.y, -10000000, 10000000)));
  painter_.setRenderHint(QPainter::Antialiasing, true);
  QPen pen = Pen(edge);
  pen.setWidthF(1.0);
  painter_.setPen(pen);
  painter_.setBrush(filled ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
  painter_.drawPolygon(polygon);
  painter_.setBrush(Qt::NoBrush);
}

void QtSurface::PaintTextPx(const PixelPoint& p, std::string_view text, const LogicalFont& lf, const Rgb& colour) {
  if (!painter_.isActive()) return;
  QFont font = FontFor(lf.FaceName(), 10, lf.lfWeight >= 600, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut);
  font.setPixelSize(std::max(1, lf.lfHeight));
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setFont(font);
  painter_.setPen(ToQColor(colour));
  painter_.translate(static_cast<double>(p.x), static_cast<double>(p.y));
  painter_.rotate(-lf.lfEscapement / 10.0);
  const QFontMetricsF fm(font, &device_);
  painter_.drawText(QPointF(0, fm.ascent()), ShownText(text, lf.FaceName()));
  painter_.restore();
}

}  // namespace tavo
