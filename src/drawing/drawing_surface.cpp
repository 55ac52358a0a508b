#include "drawing/drawing_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/text_util.h"

namespace tavo {

namespace {

bool Finite(double v) { return std::isfinite(v); }
template <typename... T>
bool Finite(double v, T... rest) {
  return std::isfinite(v) && Finite(rest...);
}

constexpr std::array<Rgb, 16> kPalette{{{0, 0, 0},
                                        {0, 0, 128},
                                        {0, 128, 0},
                                        {0, 128, 128},
                                        {128, 0, 0},
                                        {128, 0, 128},
                                        {128, 128, 0},
                                        {192, 192, 192},
                                        {128, 128, 128},
                                        {0, 0, 255},
                                        {0, 255, 0},
                                        {0, 255, 255},
                                        {255, 0, 0},
                                        {255, 0, 255},
                                        {255, 255, 0},
                                        {255, 255, 255}}};

}  // namespace

Rgb QBColor(int index) { return kPalette[static_cast<size_t>(((index % 16) + 16) % 16)]; }

int PaletteIndexOf(const Rgb& colour) {
  for (size_t i = 0; i < kPalette.size(); ++i)
    if (kPalette[i] == colour) return static_cast<int>(i);
  return -1;
}

Rgb ColourFromValue(long value) {
  if (value >= 0 && value <= 15) return QBColor(static_cast<int>(value));
  const unsigned long v = static_cast<unsigned long>(value) & 0xFFFFFFUL;
  return Rgb{static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF)};
}

std::string LogicalFont::FaceName() const {
  const auto end = std::find(lfFaceName.begin(), lfFaceName.end(), '\0');
  return std::string(lfFaceName.begin(), end);
}

void DrawingSurface::Scale(float left, float top, float right, float bottom) {
  if (!Finite(left, top, right, bottom)) return;
  frame_ = Frame{left, top, right - left, bottom - top};
  userFrame_ = frame_;
  scaleMode_ = kUserScaleMode;
  FrameChanged();
}

void DrawingSurface::SetScaleMode(int mode) {
  if (mode == kPixelScaleMode) {
    frame_ = Frame{0, 0, static_cast<float>(PixelWidth()), static_cast<float>(PixelHeight())};
    scaleMode_ = kPixelScaleMode;
  } else {
    scaleMode_ = kUserScaleMode;
  }
  FrameChanged();
}

double DrawingSurface::ToPixelX(double x) const {
  if (frame_.width == 0) return 0;
  return (x - frame_.left) * PixelWidth() / frame_.width;
}

double DrawingSurface::ToPixelY(double y) const {
  if (frame_.height == 0) return 0;
  return (y - frame_.top) * PixelHeight() / frame_.height;
}

double DrawingSurface::UnitsPerPixelX() const {
  const int w = PixelWidth();
  return w > 0 ? std::fabs(frame_.width) / w : 1.0;
}

double DrawingSurface::UnitsPerPixelY() const {
  const int h = PixelHeight();
  return h > 0 ? std::fabs(frame_.height) / h : 1.0;
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2, LineStyle style) {
  Line(x1, y1, x2, y2, ForeColor, style);
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2, const Rgb& colour, LineStyle style) {
  if (!Finite(x1, y1, x2, y2)) return;
  switch (style) {
    case LineStyle::Line:
      PaintLine(x1, y1, x2, y2, colour);
      break;
    case LineStyle::Box:
      PaintBox(x1, y1, x2, y2, colour, FillStyle != kFillTransparent, FillColor);
      break;
    case LineStyle::FilledBox:
      PaintBox(x1, y1, x2, y2, colour, true, colour);
      break;
  }
  CurrentX = x2;
  CurrentY = y2;
}

void DrawingSurface::LineStep(float x1, float y1, float dx, float dy, LineStyle style) {
  Line(x1, y1, x1 + dx, y1 + dy, ForeColor, style);
}

void DrawingSurface::LineStep(float x1, float y1, float dx, float dy, const Rgb& colour, LineStyle style) {
  Line(x1, y1, x1 + dx, y1 + dy, colour, style);
}

void DrawingSurface::Circle(float x, float y, float radius, const Rgb& colour, float aspect) {
  if (!Finite(x, y, radius, aspect)) return;
  if (!(aspect > 0)) aspect = 1.0f;
  const double ux = UnitsPerPixelX(), uy = UnitsPerPixelY();
  double rxPx, ryPx;
  if (aspect <= 1.0f) {
    rxPx = std::fabs(radius) / ux;
    ryPx = rxPx * aspect;
  } else {
    ryPx = std::fabs(radius) / ux;
    rxPx = ryPx / aspect;
  }
  PaintEllipse(x, y, rxPx * ux, ryPx * uy, colour, FillStyle != kFillTransparent, FillColor);
  CurrentX = x;
  CurrentY = y;
}

void DrawingSurface::PSet(float x, float y, const Rgb& colour) {
  if (!Finite(x, y)) return;
  PaintPoint(x, y, colour);
  CurrentX = x;
  CurrentY = y;
}

Rgb DrawingSurface::Point(float x, float y) {
  if (!Finite(x, y)) return BackColor;
  return ReadPoint(x, y);
}

void DrawingSurface::Print(std::string_view text, bool stayOnLine) {
  if (!Finite(CurrentX, CurrentY)) return;
  if (!text.empty()) PaintText(CurrentX, CurrentY, text);
  if (stayOnLine) {
    CurrentX = CurrentX + TextWidth(text);
  } else {
    CurrentY = CurrentY + TextHeight(text);
    CurrentX = ScaleLeft();
  }
}

float DrawingSurface::TextWidth(std::string_view text) {
  return static_cast<float>(MeasureTextWidthPx(text) * UnitsPerPixelX());
}

float DrawingSurface::TextHeight(std::string_view text) {
  return static_cast<float>(MeasureTextHeightPx(text) * UnitsPerPixelY());
}

void DrawingSurface::Cls() {
  PaintClear(BackColor);
  CurrentX = ScaleLeft();
  CurrentY = ScaleTop();
}

void DrawingSurface::Polygon(const std::vector<PixelPoint>& points) {
  if (points.size() < 2) return;
  PaintPolygonPx(points, ForeColor, FillStyle != kFillTransparent, FillColor);
}

void DrawingSurface::TextOut(const PixelPoint& p, std::string_view text, const LogicalFont& font) {
  if (text.empty()) return;
  PaintTextPx(p, text, font, ForeColor);
}

double SimpleTextWidthPx(std::string_view text, double sizePoints, double dpi) {
  const double em = std::max(1.0, sizePoints) * dpi / 72.0;
  return 0.55 * em * static_cast<double>(Utf8Length(text));
}

double SimpleTextHeightPx(double sizePoints, double dpi) { return 1.15 * std::max(1.0, sizePoints) * dpi / 72.0; }

bool IsSymbolFace(std::string_view fontName) { return ToLower(Trim(fontName)) == "symbol"; }

std::string SymbolToUnicode(std::string_view text) {
  // Greek letters at the Latin places of the Symbol face (upper case, then lower case).
  static const char* const kUpper[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι", "ϑ", "Κ", "Λ", "Μ",
                                         "Ν", "Ο", "Π", "Θ", "Ρ", "Σ", "Τ", "Υ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
  static const char* const kLower[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι", "ϕ", "κ", "λ", "μ",
                                         "ν", "ο", "π", "θ", "ρ", "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    if (ch >= 'A' && ch <= 'Z')
      out += kUpper[ch - 'A'];
    else if (ch >= 'a' && ch <= 'z')
      out += kLower[ch - 'a'];
    else
      out += ch;
  }
  return out;
}

}  // namespace tavo
