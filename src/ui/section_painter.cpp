#include "families/family_table.h"
#include "ui/section_painter.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

#include "core/module_context.h"
#include "drawing/canvas_frame.h"
#include "drawing/primitives.h"
#include "render/qt_surface.h"

namespace tavo::ui {

namespace {

void PaintGrid(QPainter& painter, int width, int height, const PaintOptions& o) {
  if (!o.grid || width <= 0) return;
  // A line every 100 drawing units of the 2500-unit frame.
  const double step = width / 25.0;
  if (step < 4) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(o.printFlag ? QColor(215, 215, 215) : QColor(45, 45, 70), 0));
  for (double x = 0; x <= width; x += step) painter.drawLine(QPointF(x, 0), QPointF(x, height));
  for (double y = 0; y <= height; y += step) painter.drawLine(QPointF(0, y), QPointF(width, y));
  painter.restore();
}

template <typename Draw>
auto OnSurface(QPaintDevice& device, const ModuleContext& ctx, const PaintOptions& o, Draw draw) {
  QtSurface surface(device);
  surface.painter().setRenderHint(QPainter::Antialiasing, true);
  surface.painter().setRenderHint(QPainter::TextAntialiasing, true);
  surface.BackColor = o.printFlag ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
  surface.ForeColor = o.printFlag ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
  surface.Cls();
  PaintGrid(surface.painter(), surface.PixelWidth(), surface.PixelHeight(), o);
  SetCanvasFrame(surface);
  DrawingContext dc = DrawingContext::FromModule(ctx, surface);
  dc.printFlag = o.printFlag;
  if (o.noDimensions) dc.drawingMode = kNoDimensionMode;
  return draw(dc);
}

}  // namespace

SectionDrawing PaintSection(QPaintDevice& device, const ModuleContext& ctx, const Section& section,
                            const PaintOptions& options) {
  return OnSurface(device, ctx, options, [&](DrawingContext& dc) { return DrawSection(dc, section); });
}

void PaintSketch(QPaintDevice& device, const ModuleContext& ctx, const PaintOptions& options) {
  OnSurface(device, ctx, options, [&](DrawingContext& dc) {
    DrawParameterSketch(dc, StandardFamilies());
    return 0;
  });
}

void PaintEmpty(QPaintDevice& device, const PaintOptions& options) {
  QPainter painter(&device);
  painter.fillRect(QRect(0, 0, device.width(), device.height()), options.printFlag ? Qt::white : Qt::black);
  PaintGrid(painter, device.width(), device.height(), options);
}

QImage SectionThumbnail(const ModuleContext& ctx, const Section& section, const QSize& size) {
  QImage image(size.expandedTo(QSize(8, 8)), QImage::Format_RGB32);
  PaintOptions o;
  o.noDimensions = true;
  PaintSection(image, ctx, section, o);
  return image;
}

void PaintOnPage(QPainter& painter, const QRect& target, const ModuleContext& ctx, const Section* section) {
  if (target.width() < 2 || target.height() < 2) return;
  // Drawn at 300 dpi on an image of the box's physical size, so labels keep their point size.
  const QPaintDevice* page = painter.device();
  const double pageDpi = page && page->logicalDpiX() > 0 ? page->logicalDpiX() : 96.0;
  const double k = 300.0 / pageDpi;
  QImage image(std::max(8, static_cast<int>(std::lround(target.width() * k))),
               std::max(8, static_cast<int>(std::lround(target.height() * k))), QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(300 / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(300 / 0.0254)));
  PaintOptions o;
  o.printFlag = true;
  if (section)
    PaintSection(image, ctx, *section, o);
  else
    PaintSketch(image, ctx, o);
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawImage(QRectF(target), image);
  painter.restore();
}

}  // namespace tavo::ui
