#include "drawing/section_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "drawing/drawing_surface.h"
#include "drawing/primitives.h"
#include "sections/designation_parts.h"  // MmText: labels in millimetres
#include "drawing/drawing_texts.h"

namespace tavo {

double Clean(double v) { return std::isfinite(v) ? v : 0.0; }

std::string CutDesignation(const std::string& text) {
  size_t cut = text.find('+');
  if (cut == std::string::npos) cut = text.find('(');
  return Trim(text.substr(0, cut));
}

namespace {

constexpr double kPi = 3.14159;
// The free border around a fitted drawing, a fraction of the canvas on every side.
constexpr double kFitMargin = 0.08;
const double kSqrt2 = std::sqrt(2.0);

bool Names(const FamilyStyle& st) { return st.text == DimensionText::Names; }

// A dimension code ("ls", "us"...) in the colour of the parameter names.
std::string Named(const char* side, const FamilyStyle& st) { return side + std::to_string(st.nameColour); }
// A name the legend shows in the dimensions' own colour (code `legend`) and a detailed
// drawing in the names' colour.
std::string Named(const char* side, const char* legend, const FamilyStyle& st) {
  return st.detailed ? Named(side, st) : legend;
}

// How much further a detailed drawing puts the name beside a short dimension: the length of
// the arrows that point at it from outside.
double Clearance(DrawingContext& dc, const FamilyStyle& st) {
  return Names(st) && st.detailed && dc.surface ? 0.02 * dc.surface->ScaleWidth() : 0.0;
}

// A filled plate from a corner with a step, in the colour in force.
void Plate(DrawingContext& dc, double x, double y, double dx, double dy) {
  if (!dc.surface) return;
  dc.surface->LineStep(static_cast<float>(x), static_cast<float>(y), static_cast<float>(dx), static_cast<float>(dy),
                       LineStyle::FilledBox);
}

void Dim(DrawingContext& dc, double x, double y, double dx, double dy, const std::string& label, std::string_view code) {
  DrawDimension(dc, x, y, dx, dy, label, code);
}

// Height of a dimension label as DrawDimension sets it (Arial 10 less the screen reduction).
double LabelHeight(DrawingContext& dc) {
  if (!dc.surface) return 0;
  DrawingSurface& s = *dc.surface;
  const SurfaceFont saved = s.Font;
  s.Font.Name = "arial";
  int size = 10;
  if (dc.uiFontSize < 12) size = std::max(8, size - (12 - dc.uiFontSize) - 1);
  s.Font.Size = static_cast<float>(size);
  const double h = s.TextHeight("0");
  s.Font = saved;
  return h;
}

// Distance between stacked dimension lines above a section: a label, its gap and a tick.
double StackStep(DrawingContext& dc) {
  if (!dc.surface) return 0;
  return LabelHeight(dc) + RoundUnits(0.01 * dc.surface->ScaleWidth()) + 6;
}

// A length made of other lengths, in millimetres to a hundredth as the designation writes them.
std::string SumText(double cm) { return MmText(std::round(cm * 100) / 100); }

// Length of a dimension's arrowhead (DrawDimension's, at its size factor).
double ArrowLength(DrawingContext& dc) { return dc.surface ? 0.75 * 0.02 * dc.surface->ScaleHeight() : 0; }

// Distance from a dimension line to the next one outside it when the inner one may have short
// dimensions, whose labels stand beyond their ticks.
double OuterStep(DrawingContext& dc) {
  if (!dc.surface) return 0;
  return LabelHeight(dc) + 2 * RoundUnits(0.01 * dc.surface->ScaleWidth()) + 12;
}

// A plate's thickness across it (xl..xr at height y), arrows from outside, and its label past
// the arrow on the right (or left) so that nothing strikes it.
void ThicknessAcross(DrawingContext& dc, double xl, double xr, double y, const std::string& label, bool toRight,
                     int colour, double clearance = 0) {
  const std::string c = std::to_string(colour);
  DrawDimension(dc, xr, y, xl - xr, 0, "", "ds" + c);
  const double gap = ArrowLength(dc) + 8 + clearance;
  DrawDimension(dc, toRight ? xr + gap : xl - gap, y, 0, 0, label, (toRight ? "rs" : "ls") + c);
}

// A reference line in the annotation layer (centroid lines of doubled profiles).
void ReferenceLine(DrawingContext& dc, double x1, double y1, double x2, double y2, int colour, int restoreColour) {
  if (!dc.surface) return;
  DrawingSurface& s = *dc.surface;
  const DrawingLayer previous = s.Layer;
  s.Layer = DrawingLayer::Dimensions;
  SetDrawColor(dc, colour);
  s.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
  SetDrawColor(dc, restoreColour);
  s.Layer = previous;
}

// A plain text label that leaves the canvas font as it found it.
void TextLabel(DrawingContext& dc, double x, double y, const char* code, int colour, const std::string& text) {
  if (!dc.surface) return;
  const SurfaceFont saved = dc.surface->Font;
  DrawLabel(dc, x, y, 0, 10, code, colour, text);
  dc.surface->Font = saved;
}

// The polygon of one angle: a corner and five steps given as length and direction.
void AnglePolygon(DrawingContext& dc, double x, double y, double s, double b, double t, const double (&dirs)[5]) {
  const double lengths[5] = {b, t, b - t, b - t, t};
  std::vector<PointF> pts{{x, y}};
  for (int i = 0; i < 5; ++i) {
    const double a = dirs[i] * kPi / 180.0;
    pts.push_back({s * lengths[i] * std::cos(a), -s * lengths[i] * std::sin(a)});
  }
  DrawPolygon(dc, -1, "s", pts);
}

}  // namespace

std::string EnlargeDplWarning() { return texts::kEnlargeDpl; }

bool WebPlatesClashWithFlanges(const CurrentSection& cs) {
  const int n = std::max(1, cs.Count);
  return cs.WebPlateHeight * cs.WebPlateThickness > 0 && cs.WebPlateHeight > cs.h - 2 * cs.tf &&
         cs.DPL < cs.b + (n - 1) * cs.d + cs.WebPlateThickness;
}

void DrawPlateGirder(DrawingContext& dc, double x0, double y0, double s, double hw, double bf1, double bf2, double tf1,
                     double tf2, double tw, const FamilyStyle& st) {
  Plate(dc, x0, y0, -s * bf1, -s * tf1);
  Plate(dc, x0 - s * (bf1 - tw) / 2, y0 - s * tf1, -s * tw, -s * hw);
  Plate(dc, x0 - s * (bf1 - bf2) / 2, y0 - s * (tf1 + hw), -s * bf2, -s * tf2);

  const bool n = Names(st);
  // Left of whichever flange reaches further.
  const double left = std::min(x0 - s * bf1, x0 - s * (bf1 + bf2) / 2);
  const double xl = left - 10;
  Dim(dc, xl, y0, 0, -s * tf1, n ? "tf1" : MmText(tf1), n ? Named("ls", st) : "ls");
  Dim(dc, xl, y0 - s * tf1, 0, -s * hw, n ? "hw" : MmText(hw), n ? Named("ls", st) : "ls");
  Dim(dc, xl, y0 - s * (tf1 + hw), 0, -s * tf2, n ? "tf2" : MmText(tf2), n ? Named("ls", st) : "ls");
  Dim(dc, x0, y0 + 10, -s * bf1, 0, n ? "bf1" : MmText(bf1), n ? Named("ds", st) : "ds");
  Dim(dc, x0 - s * (bf1 - bf2) / 2, y0 - s * (tf1 + hw + tf2) - 10, -s * bf2, 0, n ? "bf2" : MmText(bf2),
      n ? Named("us", st) : "us");
  const double webRight = x0 - s * (bf1 - tw) / 2;
  ThicknessAcross(dc, webRight - s * tw, webRight, y0 - s * (tf1 + hw / 2), n ? "tw" : MmText(tw), true,
                  n ? st.nameColour : 10, Clearance(dc, st));
  if (!n) Dim(dc, xl - OuterStep(dc), y0, 0, -s * (tf1 + hw + tf2), MmText(tf1 + hw + tf2), "ls");
}

void DrawCross(DrawingContext& dc, double x0, double y0, double s, double h1, double h2, double bf1, double bf2,
               double tf1, double tf2, double tw, const FamilyStyle& st) {
  const bool n = Names(st);
  const double yL = y0 - s * (tf1 + h1 / 2 - bf2 / 2);
  const double xU = x0 - s * (tf2 + h2 / 2 - bf1 / 2);
  Plate(dc, x0, yL, -s * tf2, -s * bf2);
  Plate(dc, x0 - s * tf2, yL - s * (bf2 - tw) / 2, -s * h2, -s * tw);
  Plate(dc, x0 - s * (h2 + tf2), yL, -s * tf2, -s * bf2);
  Dim(dc, x0 + 10, yL, 0, -s * bf2, n ? "bf2" : MmText(bf2), n ? Named("rs", st) : "rs");
  const double yTop = y0 - s * (h1 + 2 * tf1) - 20;
  Dim(dc, x0, yTop, -s * tf2, 0, n ? "tf2" : MmText(tf2), n ? Named("us", st) : "us");
  Dim(dc, x0 - s * tf2, yTop, -s * h2, 0, n ? "h2" : MmText(h2), n ? Named("us", st) : "us");
  Dim(dc, x0 - s * (tf2 + h2), yTop, -s * tf2, 0, n ? "tf2" : MmText(tf2), n ? Named("us", st) : "us");

  SetDrawColor(dc, st.plateColour);
  Plate(dc, xU, y0, -s * bf1, -s * tf1);
  Plate(dc, xU - s * (bf1 - tw) / 2, y0 - s * tf1, -s * tw, -s * h1);
  Plate(dc, xU, y0 - s * (h1 + tf1), -s * bf1, -s * tf1);
  Dim(dc, xU, y0 + 10, -s * bf1, 0, n ? "bf1" : MmText(bf1), n ? Named("ds", st) : "ds");
  const double xLeft = x0 - s * (h2 + 2 * tf2) - 10;
  Dim(dc, xLeft, y0, 0, -s * tf1, n ? "tf1" : MmText(tf1), n ? Named("ls", st) : "ls");
  Dim(dc, xLeft, y0 - s * tf1, 0, -s * h1, n ? "h1" : MmText(h1), n ? Named("ls", st) : "ls");
  Dim(dc, xLeft, y0 - s * (tf1 + h1), 0, -s * tf1, n ? "tf1" : MmText(tf1), n ? Named("ls", st) : "ls");
  if (!n || st.detailed) {
    // The webs' thickness across the upright web, below the lying one.
    const double xWeb = xU - s * (bf1 - tw) / 2, yWeb = y0 - s * (tf1 + h1 / 4);
    ThicknessAcross(dc, xWeb - s * tw, xWeb, yWeb, n ? "tw" : MmText(tw), true, n ? st.nameColour : 10,
                    Clearance(dc, st));
  }
  if (!n) {
    Dim(dc, xLeft - OuterStep(dc), y0, 0, -s * (h1 + 2 * tf1), MmText(h1 + 2 * tf1), "ls");
    Dim(dc, x0, yTop - OuterStep(dc), -s * (h2 + 2 * tf2), 0, MmText(h2 + 2 * tf2), "us");
  }
}

void DrawBox(DrawingContext& dc, double x0, double y0, double s, double hw, double bf, double tw, double tf, double d,
             const FamilyStyle& st) {
  Plate(dc, x0, y0, -s * bf, -s * tf);
  Plate(dc, x0, y0 - s * (hw + tf), -s * bf, -s * tf);
  Plate(dc, x0 - s * (bf - d + tw) / 2, y0 - s * tf, s * tw, -s * hw);
  Plate(dc, x0 - s * (bf + d + tw) / 2, y0 - s * tf, s * tw, -s * hw);

  const bool n = Names(st);
  Dim(dc, x0 - s * bf / 2, y0 - s * tf / 2, 10, 10, n ? "PL bf*tf" : "PL" + MmText(bf) + "*" + MmText(tf),
      n ? Named("ds", st) : "ds");
  if (n) {
    Dim(dc, x0 - s * (bf + d) / 2, y0 - s * (tf + hw / 2), -10, 10, "PL hw*tw", Named("ds", st));
  } else {
    // The web plate's leader leaves to the right, clear of the overall depth on the left.
    const double xWeb = x0 - s * (bf - d) / 2;
    Dim(dc, xWeb, y0 - s * (tf + hw / 2), x0 + 10 - xWeb, 10, "PL" + MmText(hw) + "*" + MmText(tw), "ds");
  }
  const double yTop = y0 - s * (hw + 2 * tf) - 10;
  Dim(dc, x0 - s * (bf + d) / 2, yTop, s * d, 0, n ? "d" : MmText(d), n ? Named("us", st) : "us");
  if (!n) {
    Dim(dc, x0, yTop - StackStep(dc), -s * bf, 0, MmText(bf), "us");
    Dim(dc, x0 - s * bf - 10, y0, 0, -s * (hw + 2 * tf), MmText(hw + 2 * tf), "ls");
  }
}

void DrawTube(DrawingContext& dc, double x0, double y0, double s, double D, double t, const FamilyStyle& st) {
  const double cx = x0 - s * D / 2, cy = y0 - s * D / 2;
  DrawDot(dc, cx, cy, s * D / 2, st.plateColour);
  // The bore is painted in the canvas background, leaving the wall as a ring.
  const int back = dc.surface ? std::max(0, PaletteIndexOf(dc.surface->BackColor)) : 0;
  DrawDot(dc, cx, cy, s * (D / 2 - t), back);
  const bool n = Names(st);
  Dim(dc, x0 - s * D - 5, y0, 0, -s * D, n ? "D" : MmText(D), n ? Named("ls", st) : "ls7");
  if (n)
    Dim(dc, x0, y0 - s * D / 2, -s * t, 0, "t", Named("us", "us", st));
  else
    ThicknessAcross(dc, x0 - s * t, x0, y0 - s * D / 2, MmText(t), true, 12);
}

void DrawChannels(DrawingContext& dc, double x0, double y0, double s, const ChannelDims& c, const FamilyStyle& st) {
  const bool doubled = c.count >= 2;
  // One channel: web along its back, flanges pointing the way dir says (-1 left, +1 right).
  const auto channel = [&](double back, int dir) {
    Plate(dc, back, y0, dir * s * c.tw, -s * c.h);
    Plate(dc, back, y0, dir * s * c.b, -s * c.tf);
    Plate(dc, back, y0 - s * c.h, dir * s * c.b, s * c.tf);
  };
  double xcRight, xcLeft;
  if (doubled && c.arrangement != "][") {
    // "[]": the right channel's back at x0, the left one facing it.
    xcRight = x0 - s * c.e;
    xcLeft = xcRight - s * c.spacing;
    channel(x0, -1);
    channel(xcLeft - s * c.e, +1);
  } else if (doubled) {
    // "][": backs towards each other, flanges outwards.
    xcRight = x0 - s * (c.b - c.e);
    xcLeft = xcRight - s * c.spacing;
    channel(x0 - s * c.b, +1);
    channel(xcLeft + s * c.e, -1);
  } else {
    xcRight = xcLeft = x0 - s * (c.b - c.e);
    channel(x0 - s * c.b, +1);
  }

  const double ym = y0 - s * c.h / 2;
  const bool gusset = doubled && c.plateWidth * c.plateThickness > 0;
  const double xg = (xcLeft + xcRight) / 2;
  if (gusset) Plate(dc, xg + s * c.plateThickness / 2, ym + s * c.plateWidth / 2, -s * c.plateThickness, -s * c.plateWidth);
  const double top = std::min(y0 - s * c.h, gusset ? ym - s * c.plateWidth / 2 : y0 - s * c.h);
  const double bottom = std::max(y0, gusset ? ym + s * c.plateWidth / 2 : y0);
  if (doubled) {
    ReferenceLine(dc, xcRight, top - 10, xcRight, bottom + 5, 8, st.plateColour);
    ReferenceLine(dc, xcLeft, top - 10, xcLeft, bottom + 5, 8, st.plateColour);
  }

  const bool n = Names(st);
  const auto plateLabel = [&] {
    if (gusset)
      Dim(dc, xg, ym + s * c.plateWidth / 4, x0 + 10 - xg, bottom - ym - s * c.plateWidth / 4 + 10,
          n ? "PL b*t" : "PL" + MmText(c.plateWidth) + "*" + MmText(c.plateThickness), "ds10");
  };
  if (n) plateLabel();
  if (doubled) Dim(dc, xcRight, top - 10, xcLeft - xcRight, 0, n ? "d" : MmText(c.spacing), n ? Named("us", st) : "us");
  if (n && st.detailed && !doubled) {
    // One channel, web on the left: height and flange beside it, thicknesses across the
    // plates, and the centroid's distance from the back of the web below.
    const double back = x0 - s * c.b;
    ReferenceLine(dc, xcRight, top - 10, xcRight, bottom + 5, 8, st.plateColour);
    Dim(dc, back - 10, y0, 0, -s * c.h, "h", Named("ls", st));
    Dim(dc, back, top - 10, s * c.b, 0, "b", Named("us", st));
    Dim(dc, x0 + 10, y0, 0, -s * c.tf, "tf", Named("rs", st));
    Dim(dc, back, ym + s * c.h / 4, s * c.tw, 0, "", "ds12");
    Dim(dc, back + s * c.tw + 20 + Clearance(dc, st), ym + s * c.h / 4, 0, 0, "tw", Named("rs", st));
    Dim(dc, back, bottom + 10, s * c.e, 0, "e", Named("ds", st));
  }
  if (!n) {
    const std::string name = std::string(doubled ? "2" : "") + "UNP" + MmText(c.h);
    const double xm = doubled ? xg : x0 - s * c.b / 2;
    Dim(dc, xm, bottom + 10, 0, 0, name, "ds");
    plateLabel();
    // The right channel's sizes: its back and the way its flanges point.
    const bool facing = doubled && c.arrangement != "][";
    const double back = facing ? x0 : x0 - s * c.b;
    const int dir = facing ? -1 : +1;
    const double left = !doubled ? x0 - s * c.b : facing ? xcLeft - s * c.e : xcLeft + s * c.e - s * c.b;
    Dim(dc, left - 10, y0, 0, -s * c.h, MmText(c.h), "ls");
    Dim(dc, x0 + 10, y0 - s * c.h, 0, s * c.tf, MmText(c.tf), "rs");
    const double webLeft = dir < 0 ? back - s * c.tw : back;
    // The web's label goes where nothing else stands: outside a "[]", into the gap between
    // the backs of a "][", inside a single channel.
    ThicknessAcross(dc, webLeft, webLeft + s * c.tw, ym + s * c.h / 4, MmText(c.tw), facing || !doubled, 10);
    double level = top - 10 - (doubled ? OuterStep(dc) : 0);
    Dim(dc, back, level, dir * s * c.b, 0, MmText(c.b), "us");
    if (doubled) Dim(dc, x0, level - OuterStep(dc), left - x0, 0, SumText((x0 - left) / s), "us");
  }
}

void DrawAngles(DrawingContext& dc, double x0, double y0, double s, const AngleDims& a, const FamilyStyle& st) {
  const bool doubled = a.count >= 2;
  const bool star = doubled && a.arrangement == "<>";
  double xcRight, xcLeft, depth;
  if (star) {
    // Two angles as a diamond, heels outwards, corners on the horizontal diagonal.
    depth = kSqrt2 * a.b;
    const double yc = y0 - s * depth / 2;
    const double xl = x0 - s * (a.spacing + 2 * kSqrt2 * a.e);
    AnglePolygon(dc, x0, yc, s, a.b, a.t, {135, 225, 315, 225, 315});
    AnglePolygon(dc, xl, yc, s, a.b, a.t, {45, 315, 225, 315, 225});
    xcRight = x0 - s * kSqrt2 * a.e;
    xcLeft = xl + s * kSqrt2 * a.e;
  } else if (doubled) {
    // Back to back: vertical legs facing each other, horizontal legs outwards.
    depth = a.b;
    xcRight = x0 - s * (a.b - a.e);
    xcLeft = xcRight - s * a.spacing;
    AnglePolygon(dc, x0 - s * a.b, y0, s, a.b, a.t, {0, 90, 180, 90, 180});
    AnglePolygon(dc, xcLeft + s * a.e, y0, s, a.b, a.t, {180, 90, 0, 90, 0});
  } else {
    depth = a.b;
    xcRight = xcLeft = x0 - s * (a.b - a.e);
    AnglePolygon(dc, x0 - s * a.b, y0, s, a.b, a.t, {0, 90, 180, 90, 180});
  }

  const double ym = y0 - s * depth / 2;
  const bool gusset = doubled && a.plateWidth * a.plateThickness > 0;
  const double xg = (xcLeft + xcRight) / 2;
  if (gusset) Plate(dc, xg + s * a.plateThickness / 2, ym + s * a.plateWidth / 2, -s * a.plateThickness, -s * a.plateWidth);
  const double top = std::min(y0 - s * depth, gusset ? ym - s * a.plateWidth / 2 : y0 - s * depth);
  const double bottom = std::max(y0, gusset ? ym + s * a.plateWidth / 2 : y0);
  if (doubled) {
    ReferenceLine(dc, xcRight, top - 10, xcRight, bottom + 5, 8, st.plateColour);
    ReferenceLine(dc, xcLeft, top - 10, xcLeft, bottom + 5, 8, st.plateColour);
  }

  const bool n = Names(st);
  if (doubled) Dim(dc, xcRight, top - 10, xcLeft - xcRight, 0, n ? "d" : MmText(a.spacing), n ? Named("us", st) : "us");
  const std::string name = std::string(doubled ? "2" : "") + "L" + MmText(a.b) + "*" + MmText(a.t);
  // The diamond's name sits on its axis; other arrangements centre it under the legs.
  const double xm = star ? (x0 + x0 - s * (a.spacing + 2 * kSqrt2 * a.e)) / 2 : (doubled ? xg : x0 - s * a.b / 2);
  Dim(dc, xm, bottom + 10, 0, 0, n ? "L b*t" : name, n ? Named("ds", st) : "ds");

  // Leg, thickness and centroid distance beside the section, one under the other.
  const double step = LabelHeight(dc) + 4;
  const int colour = n ? st.nameColour : 14;
  TextLabel(dc, x0 + 10, top + step / 2, "r", colour, n ? "b" : "b=" + MmText(a.b));
  TextLabel(dc, x0 + 10, top + 1.5 * step, "r", colour, n ? "t" : "t=" + MmText(a.t));
  TextLabel(dc, x0 + 10, top + 2.5 * step, "r", colour, n ? "e" : "e=" + MmText(a.e));
  if (gusset)
    Dim(dc, xg, ym + s * a.plateWidth / 4, x0 + 10 - xg, bottom - ym - s * a.plateWidth / 4 + 10,
        n ? "PL b*t" : "PL" + MmText(a.plateWidth) + "*" + MmText(a.plateThickness), "ds10");
  if (!n) {
    // Overall depth on the left, overall width above everything.
    const double left = star ? x0 - s * (a.spacing + 2 * kSqrt2 * a.e) : doubled ? xcLeft + s * (a.e - a.b) : x0 - s * a.b;
    Dim(dc, left - 10, y0, 0, -s * depth, SumText(depth), "ls");
    const double level = top - 10 - (doubled ? OuterStep(dc) : 0);
    Dim(dc, x0, level, left - x0, 0, SumText((x0 - left) / s), "us");
  }
}

void DrawRolledI(DrawingContext& dc, double x0, double y0, double s, const RolledIDims& p, const FamilyStyle& st) {
  const int count = std::clamp(p.count, 1, 3);
  const double spacing = count > 1 ? p.spacing : 0.0;
  const bool cover = p.plateWidth * p.plateThickness > 0;
  const bool web = p.webPlateHeight * p.webPlateThickness > 0;
  const double tp = cover ? p.plateThickness : 0.0;
  const double width = std::max({(count - 1) * spacing + p.b, cover ? p.plateWidth : 0.0,
                                 web ? p.dpl + p.webPlateThickness : 0.0});
  // Everything is centred on one vertical axis; the profiles stand on the bottom plate.
  const double xc = x0 - s * width / 2;
  const double yb = y0 - s * tp;
  const double firstRight = xc + s * ((count - 1) * spacing / 2 + p.b / 2);
  for (int i = 0; i < count; ++i) {
    const double xr = firstRight - s * spacing * i;
    Plate(dc, xr, yb, -s * p.b, -s * p.tf);
    Plate(dc, xr - s * (p.b - p.tw) / 2, yb - s * p.tf, -s * p.tw, -s * (p.h - 2 * p.tf));
    Plate(dc, xr, yb - s * p.h, -s * p.b, s * p.tf);
  }
  if (cover) {
    Plate(dc, xc + s * p.plateWidth / 2, y0, -s * p.plateWidth, -s * tp);
    Plate(dc, xc + s * p.plateWidth / 2, y0 - s * (p.h + tp), -s * p.plateWidth, -s * tp);
  }
  const double ym = y0 - s * (tp + p.h / 2);
  const double wt = p.webPlateThickness;
  if (web) {
    Plate(dc, xc + s * (p.dpl + wt) / 2, ym + s * p.webPlateHeight / 2, -s * wt, -s * p.webPlateHeight);
    Plate(dc, xc - s * (p.dpl - wt) / 2, ym + s * p.webPlateHeight / 2, -s * wt, -s * p.webPlateHeight);
  }

  // Dimensions above the section stack upwards: cover plate, web-plate distance, name.
  const double top = std::min(y0 - s * (p.h + 2 * tp), web ? ym - s * p.webPlateHeight / 2 : y0);
  const double bottom = std::max(y0, web ? ym + s * p.webPlateHeight / 2 : y0);
  const double step = StackStep(dc);
  double level = top - 10;
  const double coverLevel = level;
  if (cover) level -= step;
  const double dplLevel = level;
  if (web) level -= step;
  const double nameLevel = level;

  const bool n = Names(st);
  const auto spacingDims = [&] {
    for (int i = 0; i + 1 < count; ++i) {
      const double xr = firstRight - s * p.b / 2 - s * spacing * i;
      Dim(dc, xr, bottom + 10, -s * spacing, 0, n ? "d" : "d=" + MmText(spacing), n ? Named("ds", "ds", st) : "ds7");
    }
  };
  const auto coverDim = [&] {
    if (cover)
      Dim(dc, xc + s * p.plateWidth / 2, coverLevel, -s * p.plateWidth, 0,
          n ? "PL b*t" : "2PL " + MmText(p.plateWidth) + "*" + MmText(p.plateThickness), n ? "us12" : "us10");
  };
  const auto dplDim = [&] {
    if (web)
      Dim(dc, xc + s * p.dpl / 2, dplLevel, -s * p.dpl, 0, n ? "dpl" : "dpl=" + MmText(p.dpl), n ? "us10" : "us11");
  };
  const auto webLabel = [&] {
    // A leader from the right web plate out past the section's right edge.
    if (web) {
      const double xp = xc + s * p.dpl / 2;
      Dim(dc, xp, ym, x0 + 10 - xp, 10,
          n ? "WPL wb*wt " : "PL " + MmText(p.webPlateHeight) + "*" + MmText(p.webPlateThickness), n ? "ds10" : "ds11");
    }
  };
  const auto nameDim = [&] { Dim(dc, xc, nameLevel, 0, 0, p.name, n ? Named("us", "us", st) : "us"); };

  if (n) {
    nameDim();
    spacingDims();
    coverDim();
    webLabel();
    dplDim();
    if (st.detailed) {
      // The profiles' height left of everything, a single profile's flange width below it.
      const double left = xc - s * width / 2 - 10;
      Dim(dc, left, yb, 0, -s * p.h, p.heightName, Named("ls", st));
      if (count == 1) Dim(dc, firstRight, bottom + 10, -s * p.b, 0, "b", Named("ds", st));
    }
  } else {
    spacingDims();
    coverDim();
    dplDim();
    webLabel();
    nameDim();
    // Depth of the profile and of the whole on the left; the right profile's flange and web
    // thicknesses; its flange width and the overall width below.
    const double leftEdge = xc - s * width / 2, rightEdge = xc + s * width / 2;
    const double outer = OuterStep(dc);
    Dim(dc, leftEdge - 10, yb, 0, -s * p.h, MmText(p.h), "ls");
    if (cover) Dim(dc, leftEdge - 10 - outer, y0, 0, -s * (p.h + 2 * tp), MmText(p.h + 2 * tp), "ls");
    Dim(dc, rightEdge + 10, yb - s * p.h, 0, s * p.tf, MmText(p.tf), "rs");
    const double webRight = firstRight - s * (p.b - p.tw) / 2;
    ThicknessAcross(dc, webRight - s * p.tw, webRight, ym + s * p.h / 4, MmText(p.tw), true, 10);
    double level = bottom + 10 + (count > 1 ? outer : 0);
    Dim(dc, firstRight, level, -s * p.b, 0, MmText(p.b), "ds");
    if (width > p.b + 1e-9) Dim(dc, rightEdge, level + outer, -s * width, 0, MmText(width), "ds");
  }
}

SectionDrawing DrawSection(DrawingContext& dc, const Section& section) {
  SectionDrawing out;
  if (!dc.surface) return out;
  const CurrentSection& cs = section.cs;
  const SectionProperties& props = section.props;
  DrawingSurface& surface = *dc.surface;
  const double W = surface.ScaleWidth(), H = surface.ScaleHeight();
  const double left = surface.ScaleLeft(), top = surface.ScaleTop();
  const double width = std::max(0.0, Clean(props.Width)), depth = std::max(0.0, Clean(props.Depth));
  const double m = std::max(depth, width);
  // A first guess: the larger extent fills half the canvas.
  double s = m > 0 ? 0.5 * std::min(H, W) / m : 0.0;
  if (!(std::isfinite(s) && s > 0)) s = std::min(H / 480.0, W / 640.0);
  const SectionFamily* family = section.family;
  if (family != nullptr && family->fitScale != nullptr) {
    const double fitted = family->fitScale(cs, W, H);
    if (std::isfinite(fitted) && fitted > 0) s = fitted;
  }
  // The section's corner for a scale, as if its box stood in the middle of the canvas.
  const auto cornerX = [&](double k) { return left + W / 2 + k * width / 2; };
  const auto cornerY = [&](double k) { return top + H / 2 + k * depth / 2; };
  out.s = s;
  out.x0 = cornerX(s);
  out.y0 = cornerY(s);
  if (family == nullptr || family->draw == nullptr) return out;

  const FamilyStyle style{7, DimensionText::Values};
  struct Trial {
    MarkExtent all, shapes;
  };
  const auto trial = [&](double k, double x0, double y0) {
    DrawingSurface::DryRun dry(surface);
    SectionDrawing ignored;
    SetDrawColor(dc, 7);
    family->draw(dc, x0, y0, k, cs, style, ignored);
    return Trial{ExtentOf(dry.marks(), false), ExtentOf(dry.marks(), true)};
  };

  // Scaled until the plates with their dimensions and labels fill the canvas inside the
  // margin. Labels keep their size whatever the scale, so a few trials settle the scale.
  const double roomW = W * (1 - 2 * kFitMargin), roomH = H * (1 - 2 * kFitMargin);
  for (int i = 0; i < 6; ++i) {
    const Trial t = trial(s, cornerX(s), cornerY(s));
    if (!t.shapes.found || (t.shapes.Width() <= 0 && t.shapes.Height() <= 0)) break;
    const double perW = t.shapes.Width() / s, perH = t.shapes.Height() / s;
    const double extraW = t.all.Width() - t.shapes.Width(), extraH = t.all.Height() - t.shapes.Height();
    double next = std::numeric_limits<double>::infinity();
    if (perW > 0) next = std::min(next, (roomW - extraW) / perW);
    if (perH > 0) next = std::min(next, (roomH - extraH) / perH);
    if (!(std::isfinite(next) && next > 0)) {
      // The labels alone are wider than the canvas: the plates take a quarter of it.
      next = std::numeric_limits<double>::infinity();
      if (perW > 0) next = std::min(next, 0.25 * roomW / perW);
      if (perH > 0) next = std::min(next, 0.25 * roomH / perH);
      if (!(std::isfinite(next) && next > 0)) break;
    }
    const bool settled = std::fabs(next - s) <= 0.002 * s;
    s = next;
    if (settled) break;
  }
  double x0 = cornerX(s), y0 = cornerY(s);
  const Trial placed = trial(s, x0, y0);
  if (placed.all.found) {
    x0 += left + W / 2 - (placed.all.left + placed.all.right) / 2;
    y0 += top + H / 2 - (placed.all.top + placed.all.bottom) / 2;
  }
  out.s = s;
  out.x0 = x0;
  out.y0 = y0;
  SetDrawColor(dc, 7);
  family->draw(dc, x0, y0, s, cs, style, out);
  return out;
}

std::vector<SketchPlace> ParameterSketchSamples(const FamilyTable& families) {
  std::vector<SketchPlace> placed;
  for (const SectionFamily* family : families)
    for (const SketchSample& sample : family->sketch) placed.push_back({&sample, family});
  // The legend draws its samples in the order it was laid out in.
  std::stable_sort(placed.begin(), placed.end(),
                   [](const SketchPlace& a, const SketchPlace& b) { return a.sample->order < b.sample->order; });
  return placed;
}

double DrawParameterSketch(DrawingContext& outer, const FamilyTable& families) {
  if (!outer.surface) return 0;
  // The legend's places were laid out for the smallest interface font; larger label text
  // would run the names of neighbouring samples into each other.
  DrawingContext dc = outer;
  dc.uiFontSize = 8;
  const double W = dc.surface->ScaleWidth(), H = dc.surface->ScaleHeight();
  // The samples a little smaller than they were laid out: their labels, kept readable, take
  // more room than the smallest interface size gave them.
  const double s = 0.88 * std::min(0.01 * W, 0.01 * H) / 3;
  const FamilyStyle style{6, DimensionText::Names};
  const auto drawAll = [&](double dx, double dy) {
    for (const auto& [sample, family] : ParameterSketchSamples(families)) {
      SetDrawColor(dc, style.plateColour);
      SectionDrawing ignored;
      family->draw(dc, sample->fx * W + dx, sample->fy * H + dy, s, sample->cs, style, ignored);
    }
  };
  // Labels a canvas's own font makes taller than planned would leave it at the top or the
  // right: the whole legend moves back in.
  double dx = 0, dy = 0;
  {
    DrawingSurface::DryRun dry(*dc.surface);
    drawAll(0, 0);
    const MarkExtent e = ExtentOf(dry.marks(), false);
    const double left = dc.surface->ScaleLeft(), top = dc.surface->ScaleTop();
    if (e.found) {
      if (e.right > left + W) dx = left + W - e.right;
      if (e.left + dx < left) dx = left - e.left;
      if (e.bottom > top + H) dy = top + H - e.bottom;
      if (e.top + dy < top) dy = top - e.top;
    }
  }
  drawAll(dx, dy);
  return s;
}

}  // namespace tavo
