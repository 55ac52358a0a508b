#include "drawing/recording_surface.h"

#include <cmath>
#include <cstdio>

namespace tavo {

RecordingSurface::RecordingSurface(int pixelWidth, int pixelHeight, double dpi)
    : pixelWidth_(pixelWidth > 0 ? pixelWidth : 1), pixelHeight_(pixelHeight > 0 ? pixelHeight : 1),
      dpi_(dpi > 0 ? dpi : 96.0) {
  Scale(0, 0, static_cast<float>(pixelWidth_), static_cast<float>(pixelHeight_));
  lines_.clear();
  CollectMarks(&marks_);
}

std::string RecordingSurface::Text() const {
  std::string out;
  for (const auto& l : lines_) out += l + "\n";
  return out;
}

std::string RecordingSurface::ColourName(const Rgb& colour) {
  const int index = PaletteIndexOf(colour);
  char buf[16];
  if (index >= 0)
    std::snprintf(buf, sizeof buf, "c%d", index);
  else
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", colour.r & 0xFF, colour.g & 0xFF, colour.b & 0xFF);
  return buf;
}

std::string RecordingSurface::Num(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  std::string s(buf);
  if (s == "-0.000") s = "0.000";
  return s;
}

std::string RecordingSurface::FontText() const {
  std::string s = "font=\"" + Font.Name + "\" " + Num(Font.Size);
  if (Font.Bold) s += " bold";
  if (Font.Italic) s += " italic";
  if (Font.Underline) s += " underline";
  return s;
}

void RecordingSurface::PaintLine(double x1, double y1, double x2, double y2, const Rgb& colour) {
  lines_.push_back("line " + Num(x1) + " " + Num(y1) + " " + Num(x2) + " " + Num(y2) + " " + ColourName(colour));
}

void RecordingSurface::PaintBox(double x1, double y1, double x2, double y2, const Rgb& edge, bool filled,
                                const Rgb& fill) {
  lines_.push_back("box " + Num(x1) + " " + Num(y1) + " " + Num(x2) + " " + Num(y2) + " " + ColourName(edge) +
                   (filled ? " fill=" + ColourName(fill) : std::string(" hollow")));
}

void RecordingSurface::PaintEllipse(double cx, double cy, double rx, double ry, const Rgb& edge, bool filled,
                                    const Rgb& fill) {
  lines_.push_back("circle " + Num(cx) + " " + Num(cy) + " r=" + Num(rx) + "," + Num(ry) + " " + ColourName(edge) +
                   (filled ? " fill=" + ColourName(fill) : std::string(" hollow")));
}

void RecordingSurface::PaintPoint(double x, double y, const Rgb& colour) {
  lines_.push_back("pset " + Num(x) + " " + Num(y) + " " + ColourName(colour));
}

Rgb RecordingSurface::ReadPoint(double x, double y) {
  lines_.push_back("point " + Num(x) + " " + Num(y) + " -> " + ColourName(BackColor));
  return BackColor;
}

void RecordingSurface::PaintText(double x, double y, std::string_view text) {
  lines_.push_back("print " + Num(x) + " " + Num(y) + " \"" + std::string(text) + "\" " + FontText() + " " +
                   ColourName(ForeColor));
}

double RecordingSurface::MeasureTextWidthPx(std::string_view text) { return SimpleTextWidthPx(text, Font.Size, dpi_); }

double RecordingSurface::MeasureTextHeightPx(std::string_view) { return SimpleTextHeightPx(Font.Size, dpi_); }

void RecordingSurface::PaintClear(const Rgb& back) { lines_.push_back("cls " + ColourName(back)); }

void RecordingSurface::PaintPolygonPx(const std::vector<PixelPoint>& points, const Rgb& edge, bool filled,
                                      const Rgb& fill) {
  std::string s = "polygon";
  for (const auto& p : points) s += " " + std::to_string(p.x) + "," + std::to_string(p.y);
  s += " " + ColourName(edge) + (filled ? " fill=" + ColourName(fill) : std::string(" hollow"));
  lines_.push_back(s);
}

void RecordingSurface::PaintTextPx(const PixelPoint& p, std::string_view text, const LogicalFont& font,
                                   const Rgb& colour) {
  lines_.push_back("textout " + std::to_string(p.x) + "," + std::to_string(p.y) + " \"" + std::string(text) +
                   "\" face=\"" + font.FaceName() + "\" height=" + std::to_string(font.lfHeight) +
                   " angle=" + std::to_string(font.lfEscapement) + " " + ColourName(colour));
}

void RecordingSurface::FrameChanged() {
  lines_.push_back("frame mode=" + std::to_string(ScaleMode()) + " " + Num(ScaleLeft()) + " " + Num(ScaleTop()) + " " +
                   Num(ScaleWidth()) + " " + Num(ScaleHeight()));
}

}  // namespace tavo
