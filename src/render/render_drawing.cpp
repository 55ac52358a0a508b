#include "render/render_drawing.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "core/files.h"
#include "core/text_util.h"
#include "render/gui_app.h"
#include "render/qt_surface.h"

namespace tavo {

namespace {

int Clamp(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

}  // namespace

std::optional<ImageFormat> ImageFormatOf(const std::filesystem::path& path) {
  const std::string ext = ToLower(path.extension().string());
  if (ext == ".png") return ImageFormat::Png;
  if (ext == ".svg") return ImageFormat::Svg;
  if (ext == ".pdf") return ImageFormat::Pdf;
  if (ext == ".dxf") return ImageFormat::Dxf;
  return std::nullopt;
}

double ResolutionFor(int width, int height) {
  const double k = std::min(width / 640.0, height / 480.0);
  return std::clamp(std::round(96.0 * k), 24.0, 2400.0);
}

QImage RenderImage(const DrawFunction& draw, const ImageRenderOptions& options) {
  EnsureGuiApplication();
  const int w = Clamp(options.width, 16, 20000), h = Clamp(options.height, 16, 20000);
  QImage image(w, h, QImage::Format_RGB32);
  const double dpi = ResolutionFor(w, h);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  {
    QtSurface surface(image);
    DrawOnSurface(surface, draw, options);
  }
  return image;
}

std::string RenderBytes(ImageFormat format, const DrawFunction& draw, const ImageRenderOptions& options) {
  if (format == ImageFormat::Dxf) return DxfBytes(draw, options);
  EnsureGuiApplication();
  const int w = Clamp(options.width, 16, 20000), h = Clamp(options.height, 16, 20000);
  const double dpi = ResolutionFor(w, h);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == ImageFormat::Png) {
    RenderImage(draw, options).save(&buffer, "PNG");
  } else if (format == ImageFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setResolution(static_cast<int>(dpi));
    svg.setTitle("Tavolin section drawing");
    QtSurface surface(svg);
    DrawOnSurface(surface, draw, options);
    surface.Finish();
  } else {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(static_cast<int>(dpi));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(w * 72.0 / dpi, h * 72.0 / dpi), QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    pdf.setCreator("Tavolin");
    QtSurface surface(pdf);
    DrawOnSurface(surface, draw, options);
    surface.Finish();
  }
  buffer.close();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool RenderToFile(const std::filesystem::path& target, const DrawFunction& draw, const ImageRenderOptions& options,
                  std::string* error) {
  const auto format = ImageFormatOf(target);
  if (!format) {
    if (error) *error = "unknown drawing format (use .png, .svg, .pdf or .dxf): " + target.string();
    return false;
  }
  const std::string bytes = RenderBytes(*format, draw, options);
  if (bytes.empty()) {
    if (error) *error = "the picture could not be made";
    return false;
  }
  return AtomicWriteFile(target, bytes, error);
}

bool WritePng(const QImage& image, const std::filesystem::path& target, std::string* error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, "PNG")) {
    if (error) *error = "the picture could not be encoded";
    return false;
  }
  return AtomicWriteFile(target, std::string(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

QImage RenderContactSheet(const std::vector<SheetCell>& cells, int columns, int cellWidth, int cellHeight,
                          const ImageRenderOptions& options) {
  EnsureGuiApplication();
  columns = std::max(1, columns);
  const int rows = std::max(1, static_cast<int>((cells.size() + static_cast<size_t>(columns) - 1) / columns));
  QImage sheet(columns * cellWidth, rows * cellHeight, QImage::Format_RGB32);
  const QColor back = options.printColours ? QColor(255, 255, 255) : QColor(0, 0, 0);
  const QColor text = options.printColours ? QColor(0, 0, 0) : QColor(255, 255, 255);
  sheet.fill(back);
  QPainter painter(&sheet);
  ImageRenderOptions cellOptions = options;
  cellOptions.width = cellWidth;
  cellOptions.height = cellHeight;
  QFont font = QtSurface::FontFor("Arial", 11, true, false, false, false);
  for (size_t i = 0; i < cells.size(); ++i) {
    const int x = static_cast<int>(i % static_cast<size_t>(columns)) * cellWidth;
    const int y = static_cast<int>(i / static_cast<size_t>(columns)) * cellHeight;
    painter.drawImage(QPoint(x, y), RenderImage(cells[i].draw, cellOptions));
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(QRect(x, y, cellWidth - 1, cellHeight - 1));
    painter.setFont(font);
    painter.setPen(text);
    const QFontMetricsF fm(font, &sheet);
    painter.drawText(QPointF(x + 8, y + 6 + fm.ascent()), QString::fromStdString(cells[i].caption));
  }
  painter.end();
  return sheet;
}

}  // namespace tavo
