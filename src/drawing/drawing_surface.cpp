#include "drawing/drawing_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

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
  if (!dry_) FrameChanged();
}

void DrawingSurface::SetScaleMode(int mode) {
  if (mode == kPixelScaleMode) {
    frame_ = Frame{0, 0, static_cast<float>(PixelWidth()), static_cast<float>(PixelHeight())};
    scaleMode_ = kPixelScaleMode;
  } else {
    scaleMode_ = kUserScaleMode;
  }
  if (!dry_) FrameChanged();
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
  if (style == LineStyle::Line)
    Mark(LayerKind(MarkKind::Line), x1, y1, x2, y2);
  else
    MarkBox(LayerKind(MarkKind::Line), x1, y1, x2, y2);
  if (!dry_) {
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
  MarkBox(LayerKind(MarkKind::Line), x - rxPx * ux, y - ryPx * uy, x + rxPx * ux, y + ryPx * uy);
  if (!dry_) PaintEllipse(x, y, rxPx * ux, ryPx * uy, colour, FillStyle != kFillTransparent, FillColor);
  CurrentX = x;
  CurrentY = y;
}

void DrawingSurface::PSet(float x, float y, const Rgb& colour) {
  if (!Finite(x, y)) return;
  // A dot of a dimension is the tip of its arrow or leader, marked with them.
  if (Layer == DrawingLayer::Outline) MarkBox(MarkKind::Shape, x, y, x, y);
  if (!dry_) PaintPoint(x, y, colour);
  CurrentX = x;
  CurrentY = y;
}

Rgb DrawingSurface::Point(float x, float y) {
  if (!Finite(x, y) || dry_) return BackColor;
  return ReadPoint(x, y);
}

void DrawingSurface::Print(std::string_view text, bool stayOnLine) {
  if (!Finite(CurrentX, CurrentY)) return;
  if (!text.empty()) {
    MarkBox(MarkKind::Label, CurrentX, CurrentY, CurrentX + TextWidth(text), CurrentY + TextHeight(text),
            std::string(text));
    if (!dry_) PaintText(CurrentX, CurrentY, text);
  }
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
  if (!dry_) PaintClear(BackColor);
  CurrentX = ScaleLeft();
  CurrentY = ScaleTop();
}

void DrawingSurface::Polygon(const std::vector<PixelPoint>& points) {
  if (points.size() < 2) return;
  if (marks_) {
    double x1 = points[0].x, y1 = points[0].y, x2 = x1, y2 = y1;
    for (const PixelPoint& p : points) {
      x1 = std::min<double>(x1, p.x), y1 = std::min<double>(y1, p.y);
      x2 = std::max<double>(x2, p.x), y2 = std::max<double>(y2, p.y);
    }
    MarkUserBox(LayerKind(MarkKind::Arrow), UserXFromPixel(x1), UserYFromPixel(y1), UserXFromPixel(x2),
            UserYFromPixel(y2));
  }
  if (!dry_) PaintPolygonPx(points, ForeColor, FillStyle != kFillTransparent, FillColor);
}

void DrawingSurface::TextOut(const PixelPoint& p, std::string_view text, const LogicalFont& font) {
  if (text.empty()) return;
  if (marks_) {
    // The text's box turned as the canvas turns it (counter-clockwise about its top-left).
    const SurfaceFont saved = Font;
    Font.Name = font.FaceName();
    Font.Size = static_cast<float>(std::max(1, font.lfHeight) * 72.0 / (DpiY() > 0 ? DpiY() : 96.0));
    const double w = MeasureTextWidthPx(text), h = MeasureTextHeightPx(text);
    Font = saved;
    const double a = font.lfEscapement / 10.0 * 3.14159265358979 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    double x1 = 1e300, y1 = 1e300, x2 = -1e300, y2 = -1e300;
    for (const auto& [u, v] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}}) {
      const double x = p.x + u * c + v * s, y = p.y - u * s + v * c;
      x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
    }
    MarkUserBox(MarkKind::Label, UserXFromPixel(x1), UserYFromPixel(y1), UserXFromPixel(x2), UserYFromPixel(y2),
            std::string(text));
  }
  if (!dry_) PaintTextPx(p, text, font, ForeColor);
}

double DrawingSurface::UserX(double x) const {
  if (scaleMode_ == kUserScaleMode || frame_.width == 0) return x;
  return userFrame_.left + (x - frame_.left) * userFrame_.width / frame_.width;
}

double DrawingSurface::UserY(double y) const {
  if (scaleMode_ == kUserScaleMode || frame_.height == 0) return y;
  return userFrame_.top + (y - frame_.top) * userFrame_.height / frame_.height;
}

double DrawingSurface::UserXFromPixel(double px) const {
  return userFrame_.left + px * userFrame_.width / std::max(1, PixelWidth());
}

double DrawingSurface::UserYFromPixel(double py) const {
  return userFrame_.top + py * userFrame_.height / std::max(1, PixelHeight());
}

void DrawingSurface::Mark(MarkKind kind, double x1, double y1, double x2, double y2, std::string text) {
  if (!marks_) return;
  marks_->push_back({kind, UserX(x1), UserY(y1), UserX(x2), UserY(y2), Layer == DrawingLayer::Outline ? 0 : AnnotationOwner,
                     std::move(text)});
}

void DrawingSurface::MarkBox(MarkKind kind, double x1, double y1, double x2, double y2, std::string text) {
  MarkUserBox(kind, UserX(x1), UserY(y1), UserX(x2), UserY(y2), std::move(text));
}

void DrawingSurface::MarkUserBox(MarkKind kind, double ax, double ay, double bx, double by, std::string text) {
  if (!marks_) return;
  marks_->push_back({kind, std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by),
                     Layer == DrawingLayer::Outline ? 0 : AnnotationOwner, std::move(text)});
}

DrawingSurface::DryRun::DryRun(DrawingSurface& s)
    : s_(s), previousMarks_(s.marks_), previousDry_(s.dry_), x_(s.CurrentX), y_(s.CurrentY), fore_(s.ForeColor),
      fill_(s.FillColor), back_(s.BackColor), fillStyle_(s.FillStyle), drawWidth_(s.DrawWidth),
      owner_(s.AnnotationOwner), font_(s.Font), layer_(s.Layer), frame_(s.frame_), userFrame_(s.userFrame_),
      scaleMode_(s.scaleMode_) {
  s_.dry_ = true;
  s_.marks_ = &marks_;
}

DrawingSurface::DryRun::~DryRun() {
  s_.dry_ = previousDry_;
  s_.marks_ = previousMarks_;
  s_.CurrentX = x_, s_.CurrentY = y_;
  s_.ForeColor = fore_, s_.FillColor = fill_, s_.BackColor = back_;
  s_.FillStyle = fillStyle_, s_.DrawWidth = drawWidth_, s_.AnnotationOwner = owner_;
  s_.Font = font_;
  s_.Layer = layer_;
  s_.frame_ = frame_, s_.userFrame_ = userFrame_, s_.scaleMode_ = scaleMode_;
}

MarkExtent ExtentOf(const std::vector<DrawnMark>& marks, bool shapesOnly) {
  MarkExtent e;
  for (const DrawnMark& m : marks) {
    if (shapesOnly && m.kind != MarkKind::Shape) continue;
    const double l = std::min(m.x1, m.x2), r = std::max(m.x1, m.x2);
    const double t = std::min(m.y1, m.y2), b = std::max(m.y1, m.y2);
    if (!Finite(l, r, t, b)) continue;
    if (!e.found) {
      e = {l, t, r, b, true};
      continue;
    }
    e.left = std::min(e.left, l), e.top = std::min(e.top, t);
    e.right = std::max(e.right, r), e.bottom = std::max(e.bottom, b);
  }
  return e;
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
