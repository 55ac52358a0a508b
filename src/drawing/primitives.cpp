#include "drawing/primitives.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/language.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "core/units.h"

namespace tavo {

namespace {

constexpr double kPi = 3.14159;  // the value the drawings were always laid out with
constexpr int kMinLabelPoints = 8;

// Nearest whole number, halves to even, as the device conversions round.
long RoundPx(double v) {
  if (!std::isfinite(v)) return 0;
  const double r = std::nearbyint(std::clamp(v, -1e9, 1e9));
  return static_cast<long>(r);
}

// Labels and dimensions go on the annotation layer of canvases that keep layers.
class LayerScope {
 public:
  LayerScope(DrawingSurface& s, DrawingLayer layer) : s_(s), previous_(s.Layer) { s_.Layer = layer; }
  ~LayerScope() { s_.Layer = previous_; }
  LayerScope(const LayerScope&) = delete;
  LayerScope& operator=(const LayerScope&) = delete;

 private:
  DrawingSurface& s_;
  DrawingLayer previous_;
};

// The marks drawn while alive belong to one dimension or label (a new one unless a caller
// has already opened one: a value label's name, subscript and number are one label).
class OwnerScope {
 public:
  explicit OwnerScope(DrawingSurface& s) : s_(s), previous_(s.AnnotationOwner) {
    if (previous_ == 0) s_.AnnotationOwner = s_.NewAnnotationOwner();
  }
  ~OwnerScope() { s_.AnnotationOwner = previous_; }
  OwnerScope(const OwnerScope&) = delete;
  OwnerScope& operator=(const OwnerScope&) = delete;

 private:
  DrawingSurface& s_;
  int previous_;
};

// The diameter sign in UTF-8 or in the legacy single-byte code page.
size_t DiameterSignLength(std::string_view s, size_t pos) {
  if (pos >= s.size()) return 0;
  const auto c = static_cast<unsigned char>(s[pos]);
  if (c == 0xF8 || c == 0xD8) return 1;
  if (c == 0xC3 && pos + 1 < s.size()) {
    const auto d = static_cast<unsigned char>(s[pos + 1]);
    if (d == 0xB8 || d == 0x98) return 2;
  }
  return 0;
}

size_t FindDiameterSign(std::string_view s, size_t* length) {
  for (size_t i = 0; i < s.size(); ++i) {
    const size_t n = DiameterSignLength(s, i);
    if (n > 0) {
      *length = n;
      return i;
    }
  }
  return std::string_view::npos;
}

bool HasDigits(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

int RoundUnits(double v) {
  if (!std::isfinite(v)) return 0;
  const double r = std::nearbyint(v);
  return static_cast<int>(std::clamp(r, static_cast<double>(std::numeric_limits<int16_t>::min()),
                                     static_cast<double>(std::numeric_limits<int16_t>::max())));
}

DrawingContext DrawingContext::FromModule(const ModuleContext& ctx, DrawingSurface& s) {
  DrawingContext dc(s);
  dc.language = ctx.language;
  dc.uiFontSize = ctx.metrics.fontSize;
  dc.displayUnits = ctx.displayUnits;
  return dc;
}

int MappedColourIndex(const DrawingContext& dc, int colour) {
  // White paper: white and yellow (the dimensions) print black.
  if (dc.printFlag && (colour == 15 || colour == 14)) return 0;
  return colour;
}

Rgb PaletteColour(const DrawingContext& dc, int index) {
  if (dc.printFlag) {
    switch (((index % 16) + 16) % 16) {
      case 9: return Rgb{0, 0, 200};
      case 10: return Rgb{0, 140, 0};
      case 11: return Rgb{0, 130, 150};
      case 12: return Rgb{210, 0, 0};
      case 13: return Rgb{180, 0, 180};
      // The plates and the centroid lines: dark greys, so a plate stands out on the page.
      case 7: return Rgb{80, 80, 80};
      case 8: return Rgb{110, 110, 110};
      default: break;
    }
  }
  return QBColor(index);
}

void SetDrawColor(DrawingContext& dc, int colour) {
  if (!dc.surface) return;
  dc.surface->ForeColor = PaletteColour(dc, MappedColourIndex(dc, colour));
}

void ClearDrawing(DrawingContext& dc) {
  if (dc.surface) dc.surface->Cls();
}

void DrawPolygon(DrawingContext& dc, long colour, std::string_view style, const std::vector<PointF>& points) {
  if (!dc.surface || points.size() < 3) return;
  DrawingSurface& s = *dc.surface;
  const float left = s.ScaleLeft(), top = s.ScaleTop(), width = s.ScaleWidth(), height = s.ScaleHeight();
  if (width == 0 || height == 0) return;
  s.SetScaleMode(kPixelScaleMode);
  const double kx = s.ScaleWidth() / width;
  const double ky = s.ScaleHeight() / height;
  const bool steps = ContainsNoCase(style, "s");

  const size_t count = std::min<size_t>(points.size(), 9);
  std::vector<PixelPoint> px;
  px.reserve(count);
  px.push_back({RoundPx(kx * (points[0].x - left)), RoundPx(ky * (points[0].y - top))});
  for (size_t i = 1; i < count; ++i) {
    if (steps) {
      // A step is a length: it is not shifted by the frame's origin.
      px.push_back({px.back().x + RoundPx(kx * points[i].x), px.back().y + RoundPx(ky * points[i].y)});
    } else {
      px.push_back({RoundPx(kx * (points[i].x - left)), RoundPx(ky * (points[i].y - top))});
    }
  }

  if (colour >= 1 && colour <= 15)
    s.ForeColor = PaletteColour(dc, static_cast<int>(colour));
  else if (colour >= 16)
    s.ForeColor = ColourFromValue(colour);
  s.FillColor = s.ForeColor;
  const int previousFill = s.FillStyle;
  s.FillStyle = static_cast<int>(NumericValue(style));
  s.Polygon(px);
  s.Scale(left, top, left + width, top + height);
  s.FillStyle = previousFill;
}

void DrawDot(DrawingContext& dc, double x, double y, double radius, int colour, double aspect) {
  if (!dc.surface) return;
  DrawingSurface& s = *dc.surface;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius)) return;
  const double left = s.ScaleLeft(), top = s.ScaleTop();
  if (!(left <= x && x <= left + s.ScaleWidth() && top <= y && y <= top + s.ScaleHeight())) return;
  const Rgb c = colour == -1 ? s.ForeColor : PaletteColour(dc, colour);
  if (radius > 0) {
    s.FillStyle = kFillSolid;
    s.FillColor = c;
    s.Circle(static_cast<float>(x), static_cast<float>(y), static_cast<float>(radius), c,
             static_cast<float>(aspect));
    s.FillStyle = kFillTransparent;
  } else {
    s.PSet(static_cast<float>(x), static_cast<float>(y), c);
  }
}

void DrawArrowHead(DrawingContext& dc, std::string_view direction, double sizeFactor) {
  if (!dc.surface) return;
  DrawingSurface& s = *dc.surface;
  const double a = sizeFactor * 0.005 * s.ScaleWidth();
  const double b = sizeFactor * 0.02 * s.ScaleHeight();
  const PointF tip{s.CurrentX, s.CurrentY};
  const std::string dir = ToUpper(Trim(direction));
  if (dir == "R") {
    DrawPolygon(dc, -1, "s", {tip, {-b, -a}, {0, 2 * a}});
  } else if (dir == "L") {
    DrawPolygon(dc, -1, "s", {tip, {b, -a}, {0, 2 * a}});
  } else if (dir == "U") {
    DrawPolygon(dc, -1, "s", {tip, {-a, b}, {2 * a, 0}});
  } else if (dir == "D") {
    DrawPolygon(dc, -1, "s", {tip, {-a, -b}, {2 * a, 0}});
  } else {
    const double theta = NumericValue(dir) * kPi / 180.0;
    const double phi = b != 0 ? std::atan(a / b) : 0.0;
    const double side = std::cos(phi) != 0 ? b / std::cos(phi) : 0.0;
    DrawPolygon(dc, -1, "",
                {tip,
                 {tip.x - side * std::cos(theta + phi), tip.y + side * std::sin(theta + phi)},
                 {tip.x - side * std::cos(theta - phi), tip.y + side * std::sin(theta - phi)}});
  }
}

DimensionResult DrawDimension(DrawingContext& dc, double x1, double y1, double x2, double y2, std::string_view label,
                              std::string_view code, std::string_view quantityKind) {
  DimensionResult r{x1, y1, x2, y2, std::string(code), false};
  if (dc.NoDimensions() || !dc.surface) return r;
  DrawingSurface& s = *dc.surface;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return r;
  LayerScope layer(s, DrawingLayer::Dimensions);
  OwnerScope owner(s);

  if (x1 == 0 && y1 == 0) {
    x1 = s.CurrentX;
    y1 = s.CurrentY;
  }
  // Side letter, then "s" for a step, then the colour number.
  std::string side = code.empty() ? std::string() : ToLower(code.substr(0, 1));
  std::string_view rest = code.size() > 1 ? code.substr(1) : std::string_view();
  if (!rest.empty() && (rest[0] == 's' || rest[0] == 'S')) {
    x2 = x1 + x2;
    y2 = y1 + y2;
    rest.remove_prefix(1);
  }
  const int colour = HasDigits(rest) ? static_cast<int>(NumericValue(rest)) : 14;
  r = DimensionResult{x1, y1, x2, y2, side, true};

  SetDrawColor(dc, colour);
  const std::string savedName = s.Font.Name;
  const float savedSize = s.Font.Size;
  s.Font.Bold = false;
  s.Font.Name = "arial";
  s.Font.Size = 10;

  const int g = RoundUnits(0.005 * s.ScaleWidth());
  const int t = RoundUnits(0.01 * s.ScaleWidth());
  const int k = RoundUnits(0.02 * s.ScaleWidth());
  const double W = s.TextWidth(label);

  double ax = x1, ay = y1;
  std::string placement = side;
  // How far the label stands off its line (towards `towards`, -1 or +1) so that it is struck
  // by nothing: a label wider than the dimension stands beyond the ticks, one that reaches
  // over the arrows beyond the arrows, any other just off the line.
  const double arrowHalf = 0.75 * 0.005 * s.ScaleWidth(), arrowLength = 0.75 * 0.02 * s.ScaleHeight();
  const auto LabelLift = [&](int towards, double span, bool arrowsInside) {
    double lift = 0;
    if (W + 2 * g > span)
      lift = t;
    else if (arrowsInside && W + 2 * g > span - 2 * arrowLength)
      lift = arrowHalf + 1;
    return towards * lift;
  };
  const auto arrowAt = [&](double x, double y, const char* dir) {
    s.PSet(static_cast<float>(x), static_cast<float>(y), s.ForeColor);
    DrawArrowHead(dc, dir, 0.75);
  };

  if (x1 == x2 && y1 == y2) {
    // Only the label, at the point.
  } else if (y1 == y2) {
    s.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
    s.LineStep(static_cast<float>(x1), static_cast<float>(y1 - t), 0, static_cast<float>(2 * t));
    s.LineStep(static_cast<float>(x2), static_cast<float>(y1 - t), 0, static_cast<float>(2 * t));
    const double lo = std::min(x1, x2), hi = std::max(x1, x2);
    if (hi - lo > 3 * k) {
      arrowAt(lo, y1, "L");
      arrowAt(hi, y1, "R");
      if (side == "c") {
        const double mid = (x1 + x2) / 2;
        const Rgb back = s.Point(static_cast<float>(mid), static_cast<float>(y1 - g / 2.0));
        s.LineStep(static_cast<float>(mid - W / 2 - k), static_cast<float>(y1), static_cast<float>(W + 2 * k), 0, back);
      }
    } else {
      arrowAt(hi, y1, "L");
      arrowAt(lo, y1, "R");
    }
    ax = (x1 + x2) / 2;
    ay = y1 + LabelLift(side == "u" ? -1 : side == "d" ? 1 : 0, hi - lo, hi - lo > 3 * k);
  } else if (x1 == x2) {
    s.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
    s.LineStep(static_cast<float>(x1 - t), static_cast<float>(y1), static_cast<float>(2 * t), 0);
    s.LineStep(static_cast<float>(x1 - t), static_cast<float>(y2), static_cast<float>(2 * t), 0);
    const double lo = std::min(y1, y2), hi = std::max(y1, y2);
    if (hi - lo > 3 * k) {
      arrowAt(x1, lo, "U");
      arrowAt(x1, hi, "D");
      if (side == "c") {
        const double mid = (y1 + y2) / 2;
        const Rgb back = s.Point(static_cast<float>(x1 - g / 2.0), static_cast<float>(mid));
        s.LineStep(static_cast<float>(x1), static_cast<float>(mid - W / 2 - k), 0, static_cast<float>(W + 2 * k), back);
      }
    } else {
      arrowAt(x1, lo, "D");
      arrowAt(x1, hi, "U");
    }
    ax = x1 + LabelLift(side == "l" ? -1 : side == "r" ? 1 : 0, hi - lo, hi - lo > 3 * k);
    ay = (y1 + y2) / 2;
    placement = "90" + side;
  } else {
    // A leader: dot at the start, line, and a shelf as long as the label.
    DrawDot(dc, x1, y1, g, -1);
    s.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
    const double shelf = x1 <= x2 ? W : -W;
    s.LineStep(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(shelf), 0);
    const double H = s.TextHeight(label);
    ax = x2;
    ay = side == "u" ? y2 - H / 2 : y2 + H / 2;
    placement = x1 < x2 ? "r" : "l";
    r.code = placement;
  }

  if (quantityKind.empty()) {
    DrawLabel(dc, ax, ay, 1, 10, placement, colour, label);
  } else if (label.find('=') == std::string_view::npos) {
    DrawValueLabel(dc, ax, ay, 1, 10, placement, colour, "", NumericValue(label), quantityKind, true, true);
  } else {
    const size_t eq = label.find('=');
    const std::string sideOnly = placement.size() > 2 && placement.rfind("90", 0) == 0 ? placement.substr(2) : placement;
    DrawValueLabel(dc, ax, ay, 1, 10, sideOnly, colour, label.substr(0, eq + 1), NumericValue(label.substr(eq + 1)),
                   quantityKind, true, false);
  }

  s.Font.Bold = false;
  s.Font.Size = savedSize;
  s.Font.Name = savedName;
  return r;
}

int DrawLabel(DrawingContext& dc, double x, double y, int fontKind, int size, std::string_view code, int colour,
              std::string_view text) {
  if (dc.NoDimensions() || !dc.surface) return size;
  DrawingSurface& s = *dc.surface;
  if (!std::isfinite(x) || !std::isfinite(y)) return size;
  LayerScope layer(s, DrawingLayer::Dimensions);
  OwnerScope owner(s);

  if (dc.uiFontSize < 12) size = size - (12 - dc.uiFontSize) - 1;
  // Smaller text cannot be read on a screen, whatever the interface size asks for.
  size = std::max(size, kMinLabelPoints);

  const std::string savedName = s.Font.Name;
  if (fontKind == 0)
    s.Font.Name = "Arial";
  else if (fontKind == 5 || fontKind == -1)
    s.Font.Name = "Symbol";

  std::string placement(code);
  const std::string lowered = ToLower(code);
  const bool bold = lowered.find("/bold") != std::string::npos;
  const bool italic = lowered.find("/italic") != std::string::npos;
  const bool underline = lowered.find("/underline") != std::string::npos;
  if (bold) s.Font.Bold = true;
  if (italic) s.Font.Italic = true;
  if (underline) s.Font.Underline = true;
  if (placement.find('/') != std::string::npos) placement = placement.substr(0, 1);
  placement = ToLower(placement);

  const int savedX = RoundUnits(s.CurrentX);
  const int savedY = RoundUnits(s.CurrentY);
  const std::string resolved = PickLanguage(text, dc.language);
  if (colour >= 0) SetDrawColor(dc, colour);
  s.Font.Size = static_cast<float>(size);

  const double W = s.TextWidth(resolved);
  const double H = s.TextHeight(resolved);
  const int halfW = RoundUnits(W / 2);
  const int halfH = RoundUnits(H / 2);
  const auto clearSwitches = [&] {
    if (bold) s.Font.Bold = false;
    if (italic) s.Font.Italic = false;
    if (underline) s.Font.Underline = false;
  };

  double px = x, py = y;
  if (placement == "c") {
    px = x - halfW, py = y - halfH;
  } else if (placement == "r") {
    px = x + 3, py = y - halfH;
  } else if (placement == "l") {
    px = x - W - 3, py = y - halfH;
  } else if (placement == "d") {
    px = x - halfW, py = y + 2;
  } else if (placement == "u") {
    px = x - halfW, py = y - H - 2;
  } else if (placement == "90r" || placement == "90l") {
    const double rx = placement == "90r" ? x + 3 : x - H - 3;
    DrawRotatedText(dc, rx, y + halfW, size, 90, resolved);
    clearSwitches();
    s.CurrentX = static_cast<float>(savedX);
    s.CurrentY = static_cast<float>(savedY);
    s.Font.Name = savedName;
    return size;
  }
  s.CurrentX = static_cast<float>(px);
  s.CurrentY = static_cast<float>(py);

  if (resolved.find('=') != std::string::npos || resolved.find('(') != std::string::npos) {
    s.Print(resolved);
  } else {
    const size_t first = resolved.find_first_not_of(" \t");
    const size_t leadLen = first == std::string::npos ? 0 : DiameterSignLength(resolved, first);
    size_t signLen = 0;
    const size_t sign = FindDiameterSign(resolved, &signLen);
    if (leadLen > 0 && NumericValue(std::string_view(resolved).substr(first + leadLen)) > 0) {
      // The capital phi of the Symbol face stands for the diameter sign.
      s.Font.Name = "symbol";
      s.Print("F", true);
      s.Font.Name = savedName;
      s.Print(std::string_view(resolved).substr(first + leadLen));
    } else if (sign != std::string::npos && NumericValue(resolved) > 0) {
      std::string replaced = resolved;
      replaced.replace(sign, signLen, "F");
      s.Font.Name = "symbol";
      s.Print(replaced);
    } else {
      s.Print(resolved);
    }
  }

  s.Font.Name = savedName;
  clearSwitches();
  if (savedX >= 1 && savedY >= 1) {
    s.CurrentX = static_cast<float>(savedX);
    s.CurrentY = static_cast<float>(savedY);
  }
  s.Font.Name = savedName;
  return size;
}

void DrawValueLabel(DrawingContext& dc, double x, double y, int fontKind, int size, std::string_view code, int colour,
                    std::string_view name, double value, std::string_view quantityKind, bool showUnit, bool plain) {
  if (dc.NoDimensions() || !dc.surface) return;
  DrawingSurface& s = *dc.surface;
  LayerScope layer(s, DrawingLayer::Dimensions);
  OwnerScope owner(s);

  const std::string letter = ToUpper(std::string(quantityKind.substr(0, 1)));
  const UnitLabelResult unit = UnitLabel(letter, 0, dc.displayUnits);
  const double shown = RoundTo(std::isfinite(value) ? unit.FromBase(value) : 0.0, 1);
  const std::string number = Trim(ShortestText(shown));

  const std::string trimmedName = Trim(name);
  std::string main, subscript, valuePart;
  if (!trimmedName.empty()) {
    main = trimmedName.substr(0, 1);
    const size_t eq = trimmedName.find('=');
    subscript = trimmedName.substr(1, eq == std::string::npos ? std::string::npos : eq - 1);
    valuePart = "=" + number;
  } else {
    valuePart = number;
  }
  if (showUnit) valuePart += " " + unit.label;
  const size_t eq = trimmedName.find('=');
  const std::string full = eq == std::string::npos ? trimmedName + " " + valuePart
                                                   : trimmedName.substr(0, eq) + " " + valuePart;

  if (plain && subscript.empty()) {
    DrawLabel(dc, x, y, fontKind, size, code, colour, full);
    return;
  }
  const double W = s.TextWidth(full);
  const double H = s.TextHeight(full);
  const std::string c = ToLower(code);
  double ox = x, oy = y;
  if (c == "c") {
    ox = x - W / 2, oy = y - H / 2;
  } else if (c == "r") {
    ox = x + 1, oy = y - H / 2;
  } else if (c == "l") {
    ox = x - W - 1, oy = y - H / 2;
  } else if (c == "d") {
    ox = x - W / 2, oy = y + H / 2;
  } else if (c == "u") {
    ox = x - W / 2, oy = y - H - 1;
  }
  const double mainWidth = s.TextWidth(main);
  const double subWidth = s.TextWidth(subscript);
  if (plain)
    DrawLabel(dc, ox, oy + H / 4, fontKind, size, "r", colour, main);
  else
    DrawLabel(dc, ox, oy, -1, size + 2, "r", colour, main);
  DrawLabel(dc, ox + 1.5 * mainWidth, oy + 0.75 * H, fontKind, size - 4, "r", colour, subscript);
  DrawLabel(dc, ox + 1.5 * mainWidth + 0.75 * subWidth, oy + H / 4, fontKind, size, "r", colour, valuePart);
}

void DrawRotatedText(DrawingContext& dc, double x, double y, int size, int angle, std::string_view text) {
  if (!dc.surface || !std::isfinite(x) || !std::isfinite(y)) return;
  DrawingSurface& s = *dc.surface;
  s.CurrentX = static_cast<float>(x);
  s.CurrentY = static_cast<float>(y);
  s.Font.Size = static_cast<float>(size);
  Rotator rotator;
  rotator.Device(s);
  rotator.SetAngle(angle);
  rotator.Label(text);
}

void Rotator::Device(DrawingSurface& surface) {
  surface_ = &surface;
  left_ = surface.ScaleLeft();
  top_ = surface.ScaleTop();
  const float right = left_ + surface.ScaleWidth();
  const float bottom = top_ + surface.ScaleHeight();
  const int previousMode = surface.ScaleMode();
  surface.SetScaleMode(kPixelScaleMode);
  const double pixelWidth = surface.ScaleWidth();
  const double pixelHeight = surface.ScaleHeight();
  if (previousMode == kUserScaleMode)
    surface.Scale(left_, top_, right, bottom);
  else
    surface.SetScaleMode(previousMode);
  factorX_ = right != left_ ? pixelWidth / (right - left_) : 1.0;
  factorY_ = bottom != top_ ? pixelHeight / (bottom - top_) : 1.0;
}

long Rotator::ToPixelX(double x) const { return RoundPx((x - left_) * factorX_); }
long Rotator::ToPixelY(double y) const { return RoundPx((y - top_) * factorY_); }

void Rotator::Label(std::string_view text) {
  if (!surface_) return;
  DrawingSurface& s = *surface_;
  font_ = LogicalFont{};
  const std::string& name = s.Font.Name;
  const size_t n = std::min(name.size(), font_.lfFaceName.size() - 1);
  std::copy_n(name.begin(), n, font_.lfFaceName.begin());
  font_.lfFaceName[n] = '\0';
  font_.lfHeight = static_cast<int32_t>(RoundPx(s.Font.Size * s.DpiY()) / 72);
  font_.lfItalic = s.Font.Italic;
  font_.lfUnderline = s.Font.Underline;
  font_.lfStrikeOut = s.Font.Strikethrough;
  font_.lfWeight = s.Font.Weight();
  font_.lfEscapement = angle_ * 10;
  font_.lfOrientation = angle_ * 10;
  s.TextOut({ToPixelX(s.CurrentX), ToPixelY(s.CurrentY)}, text, font_);
}

}  // namespace tavo
