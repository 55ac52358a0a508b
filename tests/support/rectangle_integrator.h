#pragma once
// An exact integrator over unions of axis-parallel rectangles: area, centroid, second moments,
// extreme fibres and plastic moduli. It is the reference the plate formulas are held to, by
// the section tests and by the differential fuzz target, so it uses nothing but the standard
// library.
#include <algorithm>
#include <cmath>
#include <vector>

namespace tavo::test {

// An axis-parallel rectangle by its lower-left corner and size. Overlapping rectangles are
// counted twice, which is how the cross formulas treat the crossing of their webs.
struct Rect {
  double x0, y0, w, h;
};

struct AreaProperties {
  double A = 0, cx = 0, cy = 0;
  double Ix = 0, Iy = 0;  // about the horizontal and the vertical centroidal axis
};

// Integrals of 1, x, y, x², y² over each rectangle taken directly from their antiderivatives,
// then moved to the centroid: no parallel-axis bookkeeping to share a mistake with.
inline AreaProperties Integrate(const std::vector<Rect>& rects) {
  double A = 0, Sx = 0, Sy = 0, Ixx = 0, Iyy = 0;
  for (const Rect& r : rects) {
    const double x1 = r.x0 + r.w, y1 = r.y0 + r.h;
    A += r.w * r.h;
    Sx += r.w * (y1 * y1 - r.y0 * r.y0) / 2;
    Sy += r.h * (x1 * x1 - r.x0 * r.x0) / 2;
    Ixx += r.w * (y1 * y1 * y1 - r.y0 * r.y0 * r.y0) / 3;
    Iyy += r.h * (x1 * x1 * x1 - r.x0 * r.x0 * r.x0) / 3;
  }
  AreaProperties p;
  p.A = A;
  p.cy = Sx / A;
  p.cx = Sy / A;
  p.Ix = Ixx - A * p.cy * p.cy;
  p.Iy = Iyy - A * p.cx * p.cx;
  return p;
}

// The distance from the centroidal axes to the farthest fibre: the lever arm of S.
inline double ExtremeY(const std::vector<Rect>& rects) {
  const double cy = Integrate(rects).cy;
  double far = 0;
  for (const Rect& r : rects) far = std::max({far, std::abs(r.y0 - cy), std::abs(r.y0 + r.h - cy)});
  return far;
}
inline double ExtremeX(const std::vector<Rect>& rects) {
  const double cx = Integrate(rects).cx;
  double far = 0;
  for (const Rect& r : rects) far = std::max({far, std::abs(r.x0 - cx), std::abs(r.x0 + r.w - cx)});
  return far;
}

// ∫ |t − c| dt over [a, b].
inline double AbsMoment(double a, double b, double c) {
  if (c <= a) return ((b - c) * (b - c) - (a - c) * (a - c)) / 2;
  if (c >= b) return ((c - a) * (c - a) - (c - b) * (c - b)) / 2;
  return ((c - a) * (c - a) + (b - c) * (b - c)) / 2;
}

// Plastic modulus about the horizontal axis that halves the area (found by bisection).
inline double PlasticModulusX(const std::vector<Rect>& rects) {
  double lo = 1e300, hi = -1e300, total = 0;
  for (const Rect& r : rects) lo = std::min(lo, r.y0), hi = std::max(hi, r.y0 + r.h), total += r.w * r.h;
  auto below = [&](double y) {
    double a = 0;
    for (const Rect& r : rects) a += r.w * std::clamp(y - r.y0, 0.0, r.h);
    return a;
  };
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) / 2;
    (below(mid) < total / 2 ? lo : hi) = mid;
  }
  const double yp = (lo + hi) / 2;
  double z = 0;
  for (const Rect& r : rects) z += r.w * AbsMoment(r.y0, r.y0 + r.h, yp);
  return z;
}

// The same about the vertical axis: the rectangles turned a quarter.
inline double PlasticModulusY(const std::vector<Rect>& rects) {
  std::vector<Rect> turned;
  for (const Rect& r : rects) turned.push_back({r.y0, r.x0, r.h, r.w});
  return PlasticModulusX(turned);
}

}  // namespace tavo::test
