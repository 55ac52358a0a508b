#include "sections/parametric_sections.h"

#include <algorithm>

namespace tavo {

namespace {
double Sq(double x) { return x * x; }
double Cube(double x) { return x * x * x; }
}  // namespace

void PlateGirderProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  const double hw = cs.hw, tw = cs.tw, bf1 = cs.bf1, tf1 = cs.tf1, bf2 = cs.bf2, tf2 = cs.tf2;
  p.Depth = hw + tf1 + tf2;
  p.Width = std::max(bf1, bf2);
  const double Depth = p.Depth;
  p.A = hw * tw + bf1 * tf1 + bf2 * tf2;
  p.A1 = Depth * tw;
  p.A2 = 5.0 / 6.0 * (bf1 * tf1 + bf2 * tf2);
  p.J = (hw * Cube(tw) + bf1 * Cube(tf1) + bf2 * Cube(tf2)) / 3;
  // Elastic neutral axis from the outer face of flange 1.
  const double y =
      Quotient(bf1 * tf1 * tf1 / 2 + hw * tw * (hw / 2 + tf1) + bf2 * tf2 * (Depth - tf2 / 2), p.A, "y", notes);
  p.I1 = tw * Cube(hw) / 12 + tw * hw * Sq(hw / 2 + tf1 - y) + bf1 * tf1 * Sq(y - tf1 / 2) +
         bf2 * tf2 * Sq(Depth - tf2 / 2 - y) + bf1 * Cube(tf1) / 12 + bf2 * Cube(tf2) / 12;
  p.I2 = hw * Cube(tw) / 12 + tf1 * Cube(bf1) / 12 + tf2 * Cube(bf2) / 12;
  p.S1 = Quotient(p.I1, std::max(y, Depth - y), "S1", notes);
  p.S2 = Quotient(p.I2, std::max(bf1 / 2, bf2 / 2), "S2", notes);
  p.r1 = Root(Quotient(p.I1, p.A, "r1", notes), "r1", notes);
  p.r2 = Root(Quotient(p.I2, p.A, "r2", notes), "r2", notes);
  // Plastic neutral axis from the outer face of flange 1, taken to lie in the web.
  const double yp = Quotient(bf2 * tf2 - bf1 * tf1 + tw * (tf1 + Depth - tf2), 2 * tw, "Z1", notes);
  p.Z1 = tw == 0 ? 0
                 : bf1 * tf1 * (yp - tf1 / 2) + tw * Sq(yp - tf1) / 2 + tw * Sq(Depth - tf2 - yp) / 2 +
                       bf2 * tf2 * (Depth - yp - tf2 / 2);
  p.Z2 = tf1 * bf1 * bf1 / 4 + tf2 * bf2 * bf2 / 4 + hw * tw * tw / 4;
  p.Af = bf2 * tf2;
  p.rt = Root(Quotient(tf2 * Cube(bf2) / 12 + (hw / 6) * Cube(tw) / 12, p.Af + tw * hw / 6, "rt", notes), "rt", notes);
}

void BoxProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  const double h = cs.h, tw = cs.tw, b = cs.b, tf = cs.tf, d = cs.d;
  p.Depth = h + 2 * tf;
  // Webs set wider than the flanges stand out beyond them.
  p.Width = std::max(b, d + tw);
  p.A = 2 * h * tw + 2 * b * tf;
  p.A1 = 2 * h * tw;
  p.A2 = 2 * b * tf;
  p.J = 2 * b * Cube(tf) / 3 + 2 * h * Cube(tw) / 3;
  p.I1 = 2 * (tw * Cube(h) / 12 + b * Cube(tf) / 12 + b * tf * Sq(h / 2 + tf / 2));
  p.I2 = 2 * (tf * Cube(b) / 12 + h * Cube(tw) / 12 + h * tw * Sq(d / 2));
  p.S1 = Quotient(p.I1, h / 2 + tf, "S1", notes);
  p.S2 = Quotient(p.I2, p.Width / 2, "S2", notes);
  p.Z1 = 2 * (tw * h * h / 4 + b * tf * (h / 2 + tf / 2));
  p.Z2 = 2 * (tf * b * b / 4 + h * tw * d / 2);
  p.r1 = Root(Quotient(p.I1, p.A, "r1", notes), "r1", notes);
  p.r2 = Root(Quotient(p.I2, p.A, "r2", notes), "r2", notes);
  p.Af = b * tf;
  p.rt = Root(Quotient(tf * Cube(b) / 12 + (h / 6) * Cube(tw) / 12, p.Af + tw * h / 6, "rt", notes), "rt", notes);
}

void TubeProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  const double D = cs.D, t = cs.t;
  const double di = D - 2 * t;
  p.Depth = p.Width = D;
  p.A = kPi * (D * D - di * di) / 4;
  p.A1 = p.A2 = kPi * di * t;
  p.J = 6.28318 * Cube(di / 2) * t;
  p.I1 = p.I2 = kPi * (Sq(D * D) - Sq(di * di)) / 64;
  p.S1 = p.S2 = Quotient(p.I1, D / 2, "S1", notes);
  p.Z1 = p.Z2 = (kPi * D * D / 4) * 0.424 * (D / 2) - (kPi * di * di / 4) * 0.424 * (di / 2);
  p.r1 = p.r2 = Root(Quotient(p.I1, p.A, "r1", notes), "r1", notes);
  p.rt = 0;  // a tube has no compression flange: the rt candidates of the bending check are skipped
  p.Af = 0;  // no compression flange either
}

void CrossProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) {
  const double h1 = cs.h1, h2 = cs.h2, tw = cs.tw, bf1 = cs.bf1, tf1 = cs.tf1, bf2 = cs.bf2, tf2 = cs.tf2;
  p.Depth = h1 + 2 * tf1;
  p.Width = h2 + 2 * tf2;
  const double Depth = p.Depth, Width = p.Width;
  // The square where the webs cross is counted in both webs.
  p.A = (h1 + h2) * tw + 2 * bf1 * tf1 + 2 * bf2 * tf2;
  p.A1 = Depth * tw + 5.0 / 3.0 * bf2 * tf2;
  p.A2 = Width * tw + 5.0 / 3.0 * bf1 * tf1;
  p.J = 2 * bf1 * Cube(tf1) / 3 + 2 * bf2 * Cube(tf2) / 3 + (Depth + Width) * Cube(tw) / 3;
  p.I1 = tw * Cube(h1) / 12 + h2 * Cube(tw) / 12 + 2 * bf1 * Cube(tf1) / 12 + 2 * bf1 * tf1 * Sq(h1 / 2 + tf1 / 2) +
         2 * tf2 * Cube(bf2) / 12;
  p.I2 = tw * Cube(h2) / 12 + h1 * Cube(tw) / 12 + 2 * bf2 * Cube(tf2) / 12 + 2 * bf2 * tf2 * Sq(h2 / 2 + tf2 / 2) +
         2 * tf1 * Cube(bf1) / 12;
  // The flanges of one web stand across the other axis and may reach beyond the other web's.
  p.S1 = Quotient(p.I1, std::max(Depth, bf2) / 2, "S1", notes);
  p.S2 = Quotient(p.I2, std::max(Width, bf1) / 2, "S2", notes);
  p.Z1 = 2 * bf1 * tf1 * (h1 / 2 + tf1 / 2) + tw * h1 * h1 / 4 + 2 * tf2 * bf2 * bf2 / 4 + h2 * tw * tw / 4;
  p.Z2 = 2 * bf2 * tf2 * (h2 / 2 + tf2 / 2) + tw * h2 * h2 / 4 + 2 * tf1 * bf1 * bf1 / 4 + h1 * tw * tw / 4;
  p.r1 = Root(Quotient(p.I1, p.A, "r1", notes), "r1", notes);
  p.r2 = Root(Quotient(p.I2, p.A, "r2", notes), "r2", notes);
  p.Af = bf1 * tf1;
  p.rt = 0;  // not defined for a cross: the rt candidates of the bending check are skipped
}

}  // namespace tavo
