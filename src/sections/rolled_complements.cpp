#include "sections/rolled_complements.h"

#include <algorithm>
#include <cmath>

namespace tavo {

namespace {
double Sq(double x) { return x * x; }
double Cube(double x) { return x * x * x; }
const double kSqrt2 = std::sqrt(2.0);
}  // namespace

void RolledComplement(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  const int n = std::clamp(cs.Count, 1, 3);
  const double h = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf, d = cs.d;
  const double bpl = cs.PlateWidth, tpl = cs.PlateThickness;
  const double wb = cs.WebPlateHeight, wt = cs.WebPlateThickness, dpl = cs.DPL;
  p.Depth = h + 2 * tpl;
  p.Width = std::max({n == 3 ? 2 * d + b : d + b, bpl, dpl + wt});
  p.A1 = n * h * tw + 2 * wb * wt;
  p.A2 = 5.0 / 3.0 * n * b * tf + 5.0 / 3.0 * bpl * tpl;
  p.J = n * (2 * b * Cube(tf) / 3 + h * Cube(tw) / 3) + 2 * bpl * Cube(tpl) / 3 + 2 * wb * Cube(wt) / 3;
  p.Z1 = n * (b * tf * (h - tf) + tw * Sq(h - 2 * tf) / 4) + 2 * bpl * tpl * (h / 2 + tpl / 2) + 2 * wt * wb * wb / 4;
  const double Ap = Quotient(p.A - 2 * (bpl * tpl + wb * wt), n, "Z2", notes);  // one profile's area
  const double webPlates = 2 * wt * wb * dpl / 2;
  if (n == 1)
    p.Z2 = 2 * (tf * b * b / 4 + tpl * bpl * bpl / 4) + webPlates;
  else if (n == 2)
    p.Z2 = Ap * d + tpl * bpl * bpl / 2 + webPlates;
  else
    p.Z2 = 2 * Ap * d + 2 * tf * b * b / 4 + tpl * bpl * bpl / 2 + webPlates;
  p.Af = n * b * tf + bpl * tpl;
}

void ChannelComplement(const CurrentSection& cs, SectionProperties& p, SectionNotes&) {
  const double h = cs.h, b = cs.b, tw = cs.tw, tf = cs.tf, e = cs.e, d = cs.d;
  p.Depth = h;
  if (cs.Count <= 1) {
    p.Width = b;
    p.A1 = h * tw;
    p.A2 = 5.0 / 3.0 * b * tf;
    p.J = 2 * b * Cube(tf) / 3 + h * Cube(tw) / 3;
    p.Z1 = b * tf * (h - tf) + tw * Sq(h - 2 * tf) / 4;
    p.Z2 = tw * (h - 2 * tf) * (e - tw / 2) + tf * Sq(b - e) + tf * e * e;
  } else {
    p.Width = cs.Arrangement == "[]" ? d + 2 * e : d + 2 * (b - e);
    p.A1 = 2 * h * tw;
    p.A2 = 10.0 / 3.0 * b * tf;
    p.J = 2 * (2 * b * Cube(tf) / 3 + h * Cube(tw) / 3);
    p.Z1 = 2 * (b * tf * (h - tf) + tw * Sq(h / 2 - tf));
    p.Z2 = p.A * d / 2;
  }
}

void AngleComplement(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  const double b = cs.h, t = cs.tw, e = cs.e, d = cs.d;
  if (cs.Count <= 1) {
    p.Depth = p.Width = b;
    p.A1 = b * t;
    p.A2 = 5.0 / 6.0 * b * t;
    p.J = 2 * b * Cube(t) / 3;
    p.I1 = cs.Iu;
    p.I2 = cs.Iv;
    p.S1 = Quotient(cs.Iu, kSqrt2 * b / 2, "S1", notes);
    p.S2 = Quotient(cs.Iv, std::max(kSqrt2 * e, kSqrt2 * b / 2 - kSqrt2 * e), "S2", notes);
    p.Z1 = p.Z2 = b * t * (e - t / 2) + t * Sq(b - e) / 2 + t * Sq(e - t) / 2;
    p.r1 = Root(Quotient(cs.Iu, p.A, "r1", notes), "r1", notes);
    p.r2 = Root(Quotient(cs.Iv, p.A, "r2", notes), "r2", notes);
  } else {
    p.A1 = 2 * b * t;
    p.A2 = 5.0 / 3.0 * b * t;
    p.J = 4 * b * Cube(t) / 3;
    p.Z2 = p.A * d / 2;
    if (cs.Arrangement != "<>") {
      p.Depth = b;
      p.Width = d + 2 * b - 2 * e;
      p.Z1 = 2 * (b * t * (e - t / 2) + t * Sq(b - e) / 2 + t * Sq(e - t) / 2);
    } else {
      p.Depth = kSqrt2 * b;
      p.Width = d + 2 * kSqrt2 * e;
      p.Z1 = 4 * b * t * (kSqrt2 * b / 2) / 2;
    }
  }
}


}  // namespace tavo
