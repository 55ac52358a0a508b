#include "drawing/dxf_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/utf8.h"

namespace tavo {

namespace {

// Polygons are rounded to this finer grid, so a pixel is a small fraction of a millimetre.
constexpr int kOversample = 64;

std::string Num(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.4f", std::isfinite(v) ? v : 0.0);
  std::string s(buf);
  if (s == "-0.0000") s = "0.0000";
  return s;
}

void Pair(std::string& out, int code, const std::string& value) {
  out += std::to_string(code);
  out += '\n';
  out += value;
  out += '\n';
}

const char* LayerName(DrawingLayer layer) { return layer == DrawingLayer::Outline ? "OUTLINE" : "DIMENSIONS"; }

// Next code point of a UTF-8 text (a stray byte is taken as Latin-1).
unsigned NextCodePoint(std::string_view s, size_t& i) {
  const Utf8Char c = DecodeUtf8Char(s, i);
  if (c.length == 0) return static_cast<unsigned char>(s[i++]);
  i += c.length;
  return c.code;
}

}  // namespace

DxfSurface::DxfSurface(int widthPx, int heightPx)
    : pixelWidth_(std::max(1, widthPx) * kOversample), pixelHeight_(std::max(1, heightPx) * kOversample),
      dpi_(96.0 * kOversample) {
  Scale(0, 0, static_cast<float>(pixelWidth_), static_cast<float>(pixelHeight_));
}

void DxfSurface::SetModelSpace(double unitsPerCm, double originX, double originY) {
  unitsPerCm_ = std::isfinite(unitsPerCm) && unitsPerCm > 0 ? unitsPerCm : 1.0;
  originX_ = std::isfinite(originX) ? originX : 0.0;
  originY_ = std::isfinite(originY) ? originY : 0.0;
}

int DxfSurface::AciColour(const Rgb& colour) {
  static const int kAci[16] = {7, 5, 3, 4, 1, 6, 42, 9, 8, 5, 3, 4, 1, 6, 2, 7};
  const int index = PaletteIndexOf(colour);
  return index >= 0 ? kAci[index] : 7;
}

std::string DxfSurface::DxfText(std::string_view text, bool symbol) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned cp = NextCodePoint(text, i);
    if (symbol && cp == 'F') {
      out += "%%c";
    } else if (symbol && ((cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z'))) {
      out += DxfText(SymbolToUnicode(std::string(1, static_cast<char>(cp))), false);
    } else if (cp >= 0x20 && cp < 0x7F) {
      out += static_cast<char>(cp);
    } else if (cp >= 0x80) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\U+%04X", cp);
      out += buf;
    }
  }
  return out;
}

double DxfSurface::UserXOfPixel(double px) const {
  const Frame& f = UserFrame();
  return f.left + px * f.width / pixelWidth_;
}

double DxfSurface::UserYOfPixel(double py) const {
  const Frame& f = UserFrame();
  return f.top + py * f.height / pixelHeight_;
}

void DxfSurface::PaintLine(double x1, double y1, double x2, double y2, const Rgb& colour) {
  // A line in the background colour only blanks the picture under a label.
  if (colour == BackColor && Layer == DrawingLayer::Dimensions) return;
  DxfEntity e;
  e.kind = DxfEntity::Kind::Line;
  e.layer = Layer;
  e.colour = colour;
  e.xy = {x1, y1, x2, y2};
  entities_.push_back(std::move(e));
}

void DxfSurface::PaintBox(double x1, double y1, double x2, double y2, const Rgb& edge, bool, const Rgb&) {
  DxfEntity e;
  e.kind = DxfEntity::Kind::Polyline;
  e.layer = Layer;
  e.colour = edge;
  e.xy = {x1, y1, x2, y1, x2, y2, x1, y2};
  entities_.push_back(std::move(e));
}

void DxfSurface::PaintEllipse(double cx, double cy, double rx, double ry, const Rgb& edge, bool, const Rgb&) {
  DxfEntity e;
  e.layer = Layer;
  e.colour = edge;
  if (std::fabs(rx - ry) <= 1e-9 * std::max(1.0, rx)) {
    e.kind = DxfEntity::Kind::Circle;
    e.xy = {cx, cy};
    e.radius = rx;
  } else {
    e.kind = DxfEntity::Kind::Polyline;
    for (int i = 0; i < 72; ++i) {
      const double a = i * 2 * 3.14159265358979 / 72;
      e.xy.push_back(cx + rx * std::cos(a));
      e.xy.push_back(cy + ry * std::sin(a));
    }
  }
  entities_.push_back(std::move(e));
}

void DxfSurface::AddText(double x, double y, double em, double angle, std::string_view text, bool symbol,
                         const Rgb& colour) {
  if (text.empty()) return;
  // (x, y) is the top-left corner of the text cell; the file wants the baseline start.
  const double a = angle * 3.14159265358979 / 180.0;
  const double ascent = 0.8 * em;
  DxfEntity e;
  e.kind = DxfEntity::Kind::Text;
  e.layer = Layer;
  e.colour = colour;
  e.xy = {x + ascent * std::sin(a), y + ascent * std::cos(a)};
  e.height = em;
  e.angle = angle;
  e.text = DxfText(text, symbol);
  entities_.push_back(std::move(e));
}

void DxfSurface::PaintText(double x, double y, std::string_view text) {
  const double em = std::max(1.0f, Font.Size) * dpi_ / 72.0 * std::fabs(ScaleHeight()) / pixelHeight_;
  AddText(x, y, em, 0, text, IsSymbolFace(Font.Name), ForeColor);
}

double DxfSurface::MeasureTextWidthPx(std::string_view text) { return SimpleTextWidthPx(text, Font.Size, dpi_); }

double DxfSurface::MeasureTextHeightPx(std::string_view) { return SimpleTextHeightPx(Font.Size, dpi_); }

void DxfSurface::PaintPolygonPx(const std::vector<PixelPoint>& points, const Rgb& edge, bool, const Rgb&) {
  DxfEntity e;
  e.layer = Layer;
  e.colour = edge;
  e.kind = Layer == DrawingLayer::Dimensions && points.size() <= 4 ? DxfEntity::Kind::Solid : DxfEntity::Kind::Polyline;
  for (const PixelPoint& p : points) {
    e.xy.push_back(UserXOfPixel(static_cast<double>(p.x)));
    e.xy.push_back(UserYOfPixel(static_cast<double>(p.y)));
  }
  entities_.push_back(std::move(e));
}

void DxfSurface::PaintTextPx(const PixelPoint& p, std::string_view text, const LogicalFont& font, const Rgb& colour) {
  const Frame& f = UserFrame();
  const double em = std::max(1, font.lfHeight) * std::fabs(f.height) / pixelHeight_;
  AddText(UserXOfPixel(static_cast<double>(p.x)), UserYOfPixel(static_cast<double>(p.y)), em,
          font.lfEscapement / 10.0, text, IsSymbolFace(font.FaceName()), colour);
}

std::string DxfSurface::Document() const {
  const double k = 10.0 / unitsPerCm_;  // millimetres per drawing unit
  const auto X = [&](double x) { return (x - originX_) * k; };
  const auto Y = [&](double y) { return (originY_ - y) * k; };

  double minX = std::numeric_limits<double>::max(), minY = minX;
  double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
  for (const auto& e : entities_)
    for (size_t i = 0; i + 1 < e.xy.size(); i += 2) {
      const double r = e.kind == DxfEntity::Kind::Circle ? e.radius : 0.0;
      minX = std::min(minX, X(e.xy[i]) - r * k), maxX = std::max(maxX, X(e.xy[i]) + r * k);
      minY = std::min(minY, Y(e.xy[i + 1]) - r * k), maxY = std::max(maxY, Y(e.xy[i + 1]) + r * k);
    }
  if (entities_.empty()) minX = minY = maxX = maxY = 0;

  std::string out;
  Pair(out, 0, "SECTION");
  Pair(out, 2, "HEADER");
  Pair(out, 9, "$ACADVER");
  Pair(out, 1, "AC1009");
  Pair(out, 9, "$INSUNITS");
  Pair(out, 70, "4");
  Pair(out, 9, "$MEASUREMENT");
  Pair(out, 70, "1");
  Pair(out, 9, "$EXTMIN");
  Pair(out, 10, Num(minX));
  Pair(out, 20, Num(minY));
  Pair(out, 30, Num(0));
  Pair(out, 9, "$EXTMAX");
  Pair(out, 10, Num(maxX));
  Pair(out, 20, Num(maxY));
  Pair(out, 30, Num(0));
  Pair(out, 0, "ENDSEC");

  Pair(out, 0, "SECTION");
  Pair(out, 2, "TABLES");
  Pair(out, 0, "TABLE");
  Pair(out, 2, "LTYPE");
  Pair(out, 70, "1");
  Pair(out, 0, "LTYPE");
  Pair(out, 2, "CONTINUOUS");
  Pair(out, 70, "0");
  Pair(out, 3, "Solid line");
  Pair(out, 72, "65");
  Pair(out, 73, "0");
  Pair(out, 40, Num(0));
  Pair(out, 0, "ENDTAB");
  Pair(out, 0, "TABLE");
  Pair(out, 2, "LAYER");
  Pair(out, 70, "3");
  for (const auto& [name, colour] : {std::pair<const char*, int>{"0", 7}, {"OUTLINE", 7}, {"DIMENSIONS", 2}}) {
    Pair(out, 0, "LAYER");
    Pair(out, 2, name);
    Pair(out, 70, "0");
    Pair(out, 62, std::to_string(colour));
    Pair(out, 6, "CONTINUOUS");
  }
  Pair(out, 0, "ENDTAB");
  Pair(out, 0, "TABLE");
  Pair(out, 2, "STYLE");
  Pair(out, 70, "1");
  Pair(out, 0, "STYLE");
  Pair(out, 2, "STANDARD");
  Pair(out, 70, "0");
  Pair(out, 40, Num(0));
  Pair(out, 41, Num(1));
  Pair(out, 50, Num(0));
  Pair(out, 71, "0");
  Pair(out, 42, Num(2.5));
  Pair(out, 3, "txt");
  Pair(out, 4, "");
  Pair(out, 0, "ENDTAB");
  Pair(out, 0, "ENDSEC");

  Pair(out, 0, "SECTION");
  Pair(out, 2, "ENTITIES");
  for (const auto& e : entities_) {
    const std::string layer = LayerName(e.layer);
    // Plates take the layer's colour; annotation keeps the colour it was drawn in.
    const std::string colour = e.layer == DrawingLayer::Outline ? "256" : std::to_string(AciColour(e.colour));
    // Every drawn entity opens with its type, layer, colour and first point.
    const auto start = [&](const char* type, double x, double y) {
      Pair(out, 0, type);
      Pair(out, 8, layer);
      Pair(out, 62, colour);
      Pair(out, 10, Num(x));
      Pair(out, 20, Num(y));
      Pair(out, 30, Num(0));
    };
    switch (e.kind) {
      case DxfEntity::Kind::Line:
        start("LINE", X(e.xy[0]), Y(e.xy[1]));
        Pair(out, 11, Num(X(e.xy[2])));
        Pair(out, 21, Num(Y(e.xy[3])));
        Pair(out, 31, Num(0));
        break;
      case DxfEntity::Kind::Polyline:
        Pair(out, 0, "POLYLINE");
        Pair(out, 8, layer);
        Pair(out, 62, colour);
        Pair(out, 66, "1");
        Pair(out, 10, Num(0));
        Pair(out, 20, Num(0));
        Pair(out, 30, Num(0));
        Pair(out, 70, "1");
        for (size_t i = 0; i + 1 < e.xy.size(); i += 2) {
          Pair(out, 0, "VERTEX");
          Pair(out, 8, layer);
          Pair(out, 10, Num(X(e.xy[i])));
          Pair(out, 20, Num(Y(e.xy[i + 1])));
          Pair(out, 30, Num(0));
        }
        Pair(out, 0, "SEQEND");
        Pair(out, 8, layer);
        break;
      case DxfEntity::Kind::Solid: {
        Pair(out, 0, "SOLID");
        Pair(out, 8, layer);
        Pair(out, 62, colour);
        // Corners 1, 2, 4, 3 in the file's order; a triangle repeats its last corner.
        std::vector<double> p = e.xy;
        while (p.size() < 8) {
          p.push_back(p[p.size() - 2]);
          p.push_back(p[p.size() - 2]);
        }
        const int order[4] = {0, 1, 3, 2};
        for (int c = 0; c < 4; ++c) {
          const size_t i = static_cast<size_t>(order[c]) * 2;
          Pair(out, 10 + c, Num(X(p[i])));
          Pair(out, 20 + c, Num(Y(p[i + 1])));
          Pair(out, 30 + c, Num(0));
        }
        break;
      }
      case DxfEntity::Kind::Circle:
        start("CIRCLE", X(e.xy[0]), Y(e.xy[1]));
        Pair(out, 40, Num(e.radius * k));
        break;
      case DxfEntity::Kind::Text:
        start("TEXT", X(e.xy[0]), Y(e.xy[1]));
        Pair(out, 40, Num(0.7 * e.height * k));
        Pair(out, 1, e.text);
        if (e.angle != 0) Pair(out, 50, Num(e.angle));
        break;
    }
  }
  Pair(out, 0, "ENDSEC");
  Pair(out, 0, "EOF");
  return out;
}

}  // namespace tavo
