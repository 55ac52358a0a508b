#include "checks/aisc360_angles.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "checks/aisc360_common.h"
#include "checks/aisc360_hollow.h"

namespace tavo::aisc {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double Sq(double x) { return x * x; }

// One equal-leg angle of the catalogue: leg b, thickness t, centroid e from the heel's outer
// faces, area and principal moments.
struct AngleData {
  double b = 0, t = 0, e = 0, A = 0, Iu = 0, Iv = 0;
  double Ig = 0;  // about a geometric axis
  double I() const { return Ig; }
  double rz() const { return std::sqrt(Iv / A); }
};

AngleData AngleOf(const Section& s) {
  AngleData a;
  a.b = s.cs.h > 0 ? s.cs.h : s.cs.b;
  a.t = s.cs.tw > 0 ? s.cs.tw : s.cs.t;
  a.e = s.cs.e;
  a.A = s.props.A / std::max(1, s.cs.Count > 1 ? 2 : 1);
  a.Iu = s.cs.Iu, a.Iv = s.cs.Iv;
  // The record's own I alone or back to back; a star keeps only the principal ones, and equal
  // legs put the geometric one midway between them.
  if (s.cs.Count <= 1) a.Ig = s.props.I1;
  else a.Ig = s.cs.Arrangement == "<>" ? (a.Iu + a.Iv) / 2 : s.props.I1 / 2;
  return a;
}

void AddFlexure(Result& r, Strength st, std::string_view clause, std::string_view eq, std::string_view name, double mn,
                const MemberData& m) {
  r.limitStates.push_back(MakeLimitState(st, clause, eq, name, mn, kFlexureFactors, m.method));
}

// Leg local buckling (F10-6 to F10-8) of legs b/t with Sc to the compressed toes.
void AddLegLocalBuckling(Result& r, Strength st, std::string_view clause, double lambda, double sc,
                         const MemberData& m) {
  const double rootEF = std::sqrt(kE / m.fy);
  if (lambda > 0.91 * rootEF) {
    const double fcr = 0.71 * kE / Sq(lambda);  // (F10-8)
    AddFlexure(r, st, clause, "F10-7", "Leg local buckling (slender)", fcr * sc, m);  // (F10-7)
  } else if (lambda > 0.54 * rootEF) {
    AddFlexure(r, st, clause, "F10-6", "Leg local buckling (noncompact)",
               m.fy * sc * (2.43 - 1.72 * lambda / rootEF), m);  // (F10-6)
  }
}

// Cb of an angle's lateral-torsional buckling: F10.2 allows no more than 1.5.
double AngleCb(const MemberData& m) { return std::min(m.Cb, 1.5); }

// Lateral-torsional buckling of angles from the elastic moment Mcr (F10-2, F10-3).
void AddAngleLtb(Result& r, Strength st, std::string_view clause, double my, double mcr, const MemberData& m) {
  if (!(mcr > 0) || !std::isfinite(mcr)) return;
  if (my / mcr <= 1.0) {
    AddFlexure(r, st, clause, "F10-2", "Lateral-torsional buckling (inelastic)",
               std::min(1.5 * my, (1.92 - 1.17 * std::sqrt(my / mcr)) * my), m);  // (F10-2)
  } else {
    AddFlexure(r, st, clause, "F10-3", "Lateral-torsional buckling (elastic)", (0.92 - 0.17 * mcr / my) * mcr,
               m);  // (F10-3)
  }
}

// (F9-10) with B of (F9-11) for the stem in tension (sign +1) or (F9-12) in compression (−1).
double TeeMcr(double iy, double j, double d, double lb, double sign) {
  const double B = sign * 2.3 * (d / lb) * std::sqrt(iy / j);
  return 1.95 * kE / lb * std::sqrt(iy * j) * (B + std::sqrt(1 + B * B));
}

// Lateral-torsional buckling with the stem (web legs) in tension: (F9-6) to (F9-9).
void AddStemTensionLtb(Result& r, double mp, double my, double sx, double ry, double iy, double j, double d,
                       const MemberData& m) {
  const double lb = m.Lb > 0 ? m.Lb : m.L;
  if (!(lb > 0) || !(j > 0)) return;
  const double lp = 1.76 * ry * std::sqrt(kE / m.fy);  // (F9-8)
  const double lr = 1.95 * (kE / m.fy) * std::sqrt(iy * j) / sx *
                    std::sqrt(2.36 * (m.fy / kE) * d * sx / j + 1);  // (F9-9)
  if (lb > lr) {
    AddFlexure(r, Strength::M3, "F9.2(a)", "F9-7", "Lateral-torsional buckling, stem in tension (elastic)",
               TeeMcr(iy, j, d, lb, 1), m);  // (F9-7)
  } else if (lb > lp) {
    AddFlexure(r, Strength::M3, "F9.2(a)", "F9-6", "Lateral-torsional buckling, stem in tension (inelastic)",
               mp - (mp - my) * (lb - lp) / (lr - lp), m);  // (F9-6)
  }
}

// E6: the modified slenderness of a built-up member whose connectors are not known. The
// largest spacing E6.2 allows is taken: Ka/ri = 3/4 of the member's governing slenderness.
double ModifiedSlenderness(double slenderness, double governing, double ki, Result& r) {
  AddDiagnostic(r.notes, Severity::Warning,
                "Connectors of the built-up angles taken at the largest spacing allowed (a/ri = 3/4 of the member's "
                "slenderness)",
                "فاصله اتصال‌دهنده‌های نبشی‌های جفت، بیشترین مقدار مجاز فرض شد (a/ri برابر 3/4 لاغری عضو)",
                "a/ri");
  const double aOverRi = 0.75 * governing;
  if (aOverRi <= 40) return slenderness;                         // (E6-2a)
  return std::sqrt(Sq(slenderness) + Sq(ki * aOverRi));          // (E6-2b)
}

// The effective area of legs (E7-2, E7-3 with the factors of "other elements").
double LegsEffectiveArea(double ag, int legs, double b, double t, double lambdaR, double fy, double fcr) {
  return ag - legs * (b - EffectiveWidth(b, b / t, lambdaR, fy, fcr, kOtherElements)) * t;
}

void AddShear(Result& r, Strength st, std::string_view clause, std::string_view eq, double aw, double hOverT,
              const MemberData& m) {
  std::string cv;
  const double cv2 = ShearBucklingCv2(hOverT, 1.2, m.fy, &cv);  // kv = 1.2 for legs, stems and tee flanges
  r.limitStates.push_back(MakeLimitState(st, clause, eq, "Shear yielding and buckling (Cv2 by " + cv + ")",
                                         0.6 * m.fy * aw * cv2, kShearFactors, m.method));
}

}  // namespace

void CheckSingleAngle(const Section& section, const MemberData& member, Result& result) {
  result.method = member.method;
  const AngleData a = AngleOf(section);
  const double fy = member.fy;
  if (Unusable(result, !(a.b > 0 && a.t > 0 && a.A > 0 && a.Iv > 0 && a.Iu > 0 && a.e > 0 && fy > 0), "angle")) return;
  result.covered = true;
  const double rootEF = std::sqrt(kE / fy), lambda = a.b / a.t;
  result.classification.push_back(ClassifyElement("legs", lambda, 3, 0.45 * rootEF, 12, 0.54 * rootEF, 0.91 * rootEF));

  // Compression: loaded through its centroid, the angle buckles about its weak principal axis.
  AddDiagnostic(result.notes, Severity::Warning,
                "The angle is taken as concentrically loaded (E3 about the weak principal axis, rz = rmin)",
                "نبشی با بار محوری مرکزی فرض شد (E3 حول محور اصلی ضعیف، rz = rmin)", "E5");
  std::function<double(double)> ae;
  if (lambda > 0.45 * rootEF)
    ae = [&a, rootEF, fy](double fcr) { return LegsEffectiveArea(a.A, 2, a.b, a.t, 0.45 * rootEF, fy, fcr); };
  const double L = member.L;
  const double fe = L > 0 ? EulerStress(L / a.rz()) : kInf;
  result.limitStates.push_back(CompressionLimitState(member, "E3", "E3-1", "Flexural buckling about z", fe, a.A, ae));
  // Thin legs also twist: flexural-torsional buckling about the symmetry axis, the shear centre at the heel.
  if (lambda > 0.71 * rootEF && L > 0) {
    const double y0 = std::sqrt(2.0) * (a.e - a.t / 2), legMid = a.b - a.t / 2;
    const double cw = std::pow(a.t, 3) * 2 * std::pow(legMid, 3) / 36;
    const double j = 2 * legMid * std::pow(a.t, 3) / 3;
    double r0sq = 0;
    const double fez = TorsionalStress(L, cw, j, a.A, a.Iu, a.Iv, y0, &r0sq);
    const double fe4 = FlexuralTorsionalStress(EulerStress(L / std::sqrt(a.Iu / a.A)), fez, 1 - y0 * y0 / r0sq);
    result.limitStates.push_back(
        CompressionLimitState(member, "E4", "E4-1", "Flexural-torsional buckling", fe4, a.A, ae));
  }

  AddTension(a.A, member, result);

  // Bending about a geometric axis, without lateral-torsional restraint: My and Sc are 0.8 of
  // the geometric values, and the toe is taken in compression (the lower Mcr).
  AddDiagnostic(result.notes, Severity::Warning,
                "Angle bent about its geometric axes without lateral-torsional restraint, the toe in compression",
                "خمش نبشی حول محورهای هندسی بدون مهار جانبی-پیچشی، با لبه آزاد ساق در فشار", "F10");
  const double sg = a.I() / (a.b - a.e), my = 0.8 * fy * sg;
  const double lb = member.Lb > 0 ? member.Lb : L;
  for (Strength st : {Strength::M3, Strength::M2}) {
    AddFlexure(result, st, "F10.1", "F10-1", "Yielding", 1.5 * my, member);  // (F10-1)
    if (lb > 0) {
      const double mcr = 0.58 * kE * std::pow(a.b, 4) * a.t * AngleCb(member) / Sq(lb) *
                         (std::sqrt(1 + 0.88 * Sq(lb * a.t / Sq(a.b))) - 1);  // (F10-5a)
      AddAngleLtb(result, st, "F10.2", my, mcr, member);
    }
    AddLegLocalBuckling(result, st, "F10.3", lambda, 0.8 * sg, member);
  }

  AddShear(result, Strength::V2, "G3", "G3-1", a.b * a.t, lambda, member);  // (G3-1)
  AddShear(result, Strength::V3, "G3", "G3-1", a.b * a.t, lambda, member);
}

void CheckDoubleAngle(const Section& section, const MemberData& member, Result& result) {
  result.method = member.method;
  const AngleData a = AngleOf(section);
  const SectionProperties& p = section.props;
  const double fy = member.fy, d = section.cs.d;
  if (Unusable(result,
               !(a.b > 0 && a.t > 0 && a.A > 0 && a.Iv > 0 && a.e > 0 && d > 0 && p.I1 > 0 && p.I2 > 0 && fy > 0),
               "pair of angles"))
    return;
  result.covered = true;
  const bool star = section.cs.Arrangement == "<>";
  const double rootEF = std::sqrt(kE / fy), lambda = a.b / a.t, ag = 2 * a.A, L = member.L;
  const double lb = member.Lb > 0 ? member.Lb : L;
  // Back to back with no gap the legs are in continuous contact: the outstanding legs are
  // then held like tee flanges and the joined legs act as a stem.
  const bool contact = !star && d - 2 * a.e <= 1e-6;
  double lambdaR = 0.45 * rootEF;
  if (contact) {
    result.classification.push_back(
        ClassifyElement("outstanding legs", lambda, 1, 0.56 * rootEF, 12, 0.54 * rootEF, 0.91 * rootEF));
    result.classification.push_back(
        ClassifyElement("legs back to back", lambda, 4, 0.75 * rootEF, 12, 0.54 * rootEF, 0.91 * rootEF));
  } else {
    result.classification.push_back(ClassifyElement("legs", lambda, 3, lambdaR, 12, 0.54 * rootEF, 0.91 * rootEF));
  }
  const bool slender = contact ? lambda > 0.56 * rootEF : lambda > lambdaR;
  std::function<double(double)> ae;
  if (slender) {
    ae = [&a, ag, contact, rootEF, fy](double fcr) {
      if (!contact) return LegsEffectiveArea(ag, 4, a.b, a.t, 0.45 * rootEF, fy, fcr);
      return LegsEffectiveArea(ag, 2, a.b, a.t, 0.56 * rootEF, fy, fcr) -
             2 * (a.b - EffectiveWidth(a.b, a.b / a.t, 0.75 * rootEF, fy, fcr, kOtherElements)) * a.t;
    };
  }

  // Compression. About axis 1 both angles bend about their own parallel axes: no connector
  // force. About axis 2 they slide on each other: E6's modified slenderness.
  const double l1 = L > 0 ? L / p.r1 : 0, l2 = L > 0 ? L / p.r2 : 0;
  const double ki = star ? 0.86 : 0.50;
  const double l2m = L > 0 ? ModifiedSlenderness(l2, std::max(l1, l2), ki, result) : 0;
  result.limitStates.push_back(
      CompressionLimitState(member, "E3", "E3-1", "Flexural buckling about axis 1", EulerStress(l1), ag, ae));
  if (star) {
    result.limitStates.push_back(CompressionLimitState(member, "E6", "E3-1", "Flexural buckling about axis 2 (E6)",
                                                       EulerStress(l2m), ag, ae));
    // (E4-2) Doubly symmetric: torsional buckling about the centroid, warping neglected.
    const double fez = TorsionalStress(L, 0, p.J, ag, p.I1, p.I2, 0, nullptr);
    result.limitStates.push_back(CompressionLimitState(member, "E4", "E4-1", "Torsional buckling (E4-2)", fez, ag, ae));
  } else {
    // (E4-3) about the symmetry axis (axis 2); the shear centre where the outstanding legs'
    // midlines cross it, Cw taken as 0 as for tees and double angles.
    const double y0 = a.e - a.t / 2;
    double r0sq = 0;
    const double fez = TorsionalStress(L, 0, p.J, ag, p.I1, p.I2, y0, &r0sq);
    const double fe = FlexuralTorsionalStress(EulerStress(l2m), fez, 1 - y0 * y0 / r0sq);
    result.limitStates.push_back(
        CompressionLimitState(member, "E4", "E4-1", "Flexural-torsional buckling (E4-3, E6)", fe, ag, ae));
  }

  AddTension(ag, member, result);

  // About axis 2 each angle lies wholly on its own side: Z2 = A·d, capped at 1.5 My.
  AddFlexure(result, Strength::M2, "F10.1", "F10-1", "Yielding", std::min(1.5 * fy * p.S2, fy * a.A * d), member);
  AddLegLocalBuckling(result, Strength::M2, "F10.3", lambda, p.S2, member);
  if (star) {
    // About the angles' common major principal axis: each angle's (F10-4) with βw = 0.
    const double my = fy * p.S1;
    AddFlexure(result, Strength::M3, "F10.1", "F10-1", "Yielding", 1.5 * my, member);
    if (lb > 0) AddAngleLtb(result, Strength::M3, "F10.2", my, 2 * 9 * kE * a.A * a.rz() * a.t * AngleCb(member) / (8 * lb),
                            member);  // (F10-4)
    AddLegLocalBuckling(result, Strength::M3, "F10.3", lambda, p.S1, member);
  } else {
    // In the plane of symmetry (F9); M3 is both signs: web legs in tension and in compression.
    const double sTip = p.I1 / (a.b - a.e), sFlange = p.I1 / a.e, my = fy * sTip;
    // Zx from the legs as plates: the plastic axis lies in the outstanding legs.
    const double yp = (2 * a.b - a.t) * a.t / (2 * a.b);
    const double zx = 2 * (a.b * Sq(yp) / 2 + a.b * Sq(a.t - yp) / 2 + (a.b - a.t) * a.t * ((a.b - a.t) / 2 + a.t - yp));
    AddFlexure(result, Strength::M3, "F9.1(a)", "F9-2", "Yielding, web legs in tension", std::min(fy * zx, 1.6 * my),
               member);  // (F9-2)
    AddStemTensionLtb(result, std::min(fy * zx, 1.6 * my), my, sTip, p.r2, p.I2, p.J, a.b, member);
    AddLegLocalBuckling(result, Strength::M3, "F9.3", lambda, sFlange, member);
    AddFlexure(result, Strength::M3, "F9.1(c)", "F9-5", "Yielding, web legs in compression", 1.5 * my,
               member);  // (F9-5)
    if (lb > 0 && p.J > 0) AddAngleLtb(result, Strength::M3, "F9.2(b)", my, TeeMcr(p.I2, p.J, a.b, lb, -1), member);
    AddLegLocalBuckling(result, Strength::M3, "F9.4(b)", lambda, sTip, member);
    AddDiagnostic(result.notes, Severity::Warning,
                  "M3 is the lesser of both signs (web legs in tension and in compression)",
                  "M3 کمترین مقدار دو جهت لنگر است (ساق‌های قائم در کشش و در فشار)", "M3");
  }

  // Two legs take the shear each way (a star's four legs at 45° give the same).
  AddShear(result, Strength::V2, "G3", "G3-1", 2 * a.b * a.t, lambda, member);
  AddShear(result, Strength::V3, "G3", "G3-1", 2 * a.b * a.t, lambda, member);
}

namespace {

// A tee's plates: flange b × tf, stem of thickness tw to a depth d over all.
struct TeeData {
  double b = 0, tf = 0, tw = 0, d = 0;
  double A = 0, ybar = 0, Ix = 0, Iy = 0, J = 0, Zx = 0, Zy = 0;
};

TeeData TeeOf(double b, double tf, double tw, double d) {
  TeeData t{b, tf, tw, d};
  const double stem = d - tf;
  t.A = b * tf + stem * tw;
  t.ybar = (b * tf * tf / 2 + stem * tw * (tf + stem / 2)) / t.A;  // from the flange's outer face
  t.Ix = b * std::pow(tf, 3) / 12 + b * tf * Sq(t.ybar - tf / 2) + tw * std::pow(stem, 3) / 12 +
         stem * tw * Sq(tf + stem / 2 - t.ybar);
  t.Iy = tf * std::pow(b, 3) / 12 + stem * std::pow(tw, 3) / 12;
  t.J = (b * std::pow(tf, 3) + (d - tf / 2) * std::pow(tw, 3)) / 3;
  if (b * tf >= t.A / 2) {
    const double yp = t.A / (2 * b);
    t.Zx = b * Sq(yp) / 2 + b * Sq(tf - yp) / 2 + stem * tw * (stem / 2 + tf - yp);
  } else {
    const double yp = tf + (t.A / 2 - b * tf) / tw;
    t.Zx = b * tf * (yp - tf / 2) + tw * Sq(yp - tf) / 2 + tw * Sq(d - yp) / 2;
  }
  t.Zy = tf * b * b / 4 + stem * tw * tw / 4;
  return t;
}

}  // namespace

namespace {

// The chapters of a tee of flange b × tf and stem tw, `depth` deep overall.
void CheckTeeOf(double b, double tf, double tw, double depth, const MemberData& member, Result& result);

}  // namespace

void CheckTee(const Section& section, const MemberData& member, Result& result) {
  result.method = member.method;
  const CurrentSection& cs = section.cs;
  if (Unusable(result, !(cs.b > 0 && cs.tf > 0 && cs.tw > 0 && cs.h > 2 * cs.tf && member.fy > 0), "tee")) return;
  // A half profile is a tee cut from the I at mid-depth (with half the web insert, if any);
  // its properties come from its plates, without the root fillets.
  AddDiagnostic(result.notes, Severity::Warning,
                "Checked as a tee half the section's depth deep, its properties from the plates without root fillets",
                "به صورت سپری به عمق نصف ارتفاع مقطع کنترل شد، با مشخصات ورق‌ها بدون گوشه‌های گرد", "T");
  CheckTeeOf(cs.b, cs.tf, cs.tw, cs.h / 2, member, result);
}

void CheckPlateTee(const Section& section, const MemberData& member, Result& result) {
  result.method = member.method;
  const CurrentSection& cs = section.cs;
  if (Unusable(result, !(cs.bf1 > 0 && cs.tf1 > 0 && cs.tw > 0 && cs.hw > 0 && member.fy > 0), "tee")) return;
  AddDiagnostic(result.notes, Severity::Warning,
                "A girder without its second flange is checked as a welded tee (F9) of flange 1 and the web",
                "تیر ورق بدون بال دوم به صورت سپری جوشی (F9) از بال اول و جان کنترل شد", "bf2");
  CheckTeeOf(cs.bf1, cs.tf1, cs.tw, cs.hw + cs.tf1, member, result);
}

namespace {

void CheckTeeOf(double b, double tf, double tw, double depth, const MemberData& member, Result& result) {
  const double fy = member.fy;
  result.covered = true;
  const TeeData t = TeeOf(b, tf, tw, depth);
  const double rootEF = std::sqrt(kE / fy), L = member.L;
  const double lf = t.b / (2 * t.tf), ls = t.d / t.tw;
  result.classification.push_back(ClassifyElement("flange", lf, 1, 0.56 * rootEF, 10, 0.38 * rootEF, 1.0 * rootEF));
  result.classification.push_back(ClassifyElement("stem", ls, 4, 0.75 * rootEF, 14, 0.84 * rootEF, 1.52 * rootEF));

  std::function<double(double)> ae;
  if (lf > 0.56 * rootEF || ls > 0.75 * rootEF) {
    ae = [t, rootEF, fy](double fcr) {
      const double half = t.b / 2;
      return t.A - 2 * (half - EffectiveWidth(half, half / t.tf, 0.56 * rootEF, fy, fcr, kOtherElements)) * t.tf -
             (t.d - EffectiveWidth(t.d, t.d / t.tw, 0.75 * rootEF, fy, fcr, kOtherElements)) * t.tw;
    };
  }
  const double rx = std::sqrt(t.Ix / t.A), ry = std::sqrt(t.Iy / t.A);
  const double fex = L > 0 ? EulerStress(L / rx) : kInf;
  result.limitStates.push_back(CompressionLimitState(member, "E3", "E3-1", "Flexural buckling about x", fex, t.A, ae));
  if (L > 0) {
    // (E4-3) about the stem's axis of symmetry; shear centre at the flange's midline, Cw = 0.
    const double y0 = t.ybar - t.tf / 2;
    double r0sq = 0;
    const double fez = TorsionalStress(L, 0, t.J, t.A, t.Ix, t.Iy, y0, &r0sq);
    const double fe = FlexuralTorsionalStress(EulerStress(L / ry), fez, 1 - y0 * y0 / r0sq);
    result.limitStates.push_back(
        CompressionLimitState(member, "E4", "E4-1", "Flexural-torsional buckling (E4-3)", fe, t.A, ae));
  }

  AddTension(t.A, member, result);

  // M3 in the plane of the stem, both signs: positive puts the stem in tension.
  const double sStem = t.Ix / (t.d - t.ybar), sFlange = t.Ix / t.ybar, my = fy * sStem;
  const double mp = std::min(fy * t.Zx, 1.6 * my);
  AddFlexure(result, Strength::M3, "F9.1(a)", "F9-2", "Yielding, stem in tension", mp, member);  // (F9-2)
  AddStemTensionLtb(result, mp, my, sStem, ry, t.Iy, t.J, t.d, member);
  const double lpf = 0.38 * rootEF, lrf = 1.0 * rootEF;
  if (lf > lrf) {
    AddFlexure(result, Strength::M3, "F9.3", "F9-15", "Flange local buckling (slender)",
               0.7 * kE * sFlange / Sq(lf), member);  // (F9-15)
  } else if (lf > lpf) {
    AddFlexure(result, Strength::M3, "F9.3", "F9-14", "Flange local buckling (noncompact)",
               std::min(1.6 * my, mp - (mp - 0.7 * fy * sFlange) * (lf - lpf) / (lrf - lpf)), member);  // (F9-14)
  }
  AddFlexure(result, Strength::M3, "F9.1(b)", "F9-4", "Yielding, stem in compression", my, member);  // (F9-4)
  const double lb = member.Lb > 0 ? member.Lb : L;
  if (lb > 0)
    AddFlexure(result, Strength::M3, "F9.2(b)", "F9-13", "Lateral-torsional buckling, stem in compression",
               std::min(my, TeeMcr(t.Iy, t.J, t.d, lb, -1)), member);  // (F9-13)
  double fcr = fy, lsRef = ls / rootEF;
  std::string eq = "F9-17";
  if (lsRef > 1.52) {
    fcr = 1.52 * kE / Sq(ls), eq = "F9-19";  // (F9-19)
  } else if (lsRef > 0.84) {
    fcr = (1.43 - 0.515 * lsRef) * fy, eq = "F9-18";  // (F9-18)
  }
  AddFlexure(result, Strength::M3, "F9.4(a)", "F9-16", "Stem local buckling (Fcr by " + eq + ")", fcr * sStem,
             member);  // (F9-16)

  // M2 about the stem's axis: the flange bends as an I flange about its minor axis (F6).
  const double sy = t.Iy / (t.b / 2), mpy = std::min(fy * t.Zy, 1.6 * fy * sy);
  AddFlexure(result, Strength::M2, "F6.1", "F6-1", "Yielding", mpy, member);  // (F6-1)
  if (lf > lrf) {
    AddFlexure(result, Strength::M2, "F6.2", "F6-3", "Flange local buckling (slender)", 0.69 * kE / Sq(lf) * sy,
               member);  // (F6-3), (F6-4)
  } else if (lf > lpf) {
    AddFlexure(result, Strength::M2, "F6.2", "F6-2", "Flange local buckling (noncompact)",
               mpy - (mpy - 0.7 * fy * sy) * (lf - lpf) / (lrf - lpf), member);  // (F6-2)
  }

  AddShear(result, Strength::V2, "G3", "G3-1", t.d * t.tw, ls, member);             // (G3-1)
  AddShear(result, Strength::V3, "G6", "G6-1", t.b * t.tf, lf, member);             // (G6-1)
  AddDiagnostic(result.notes, Severity::Warning, "M3 is the lesser of both signs (stem in tension and in compression)",
                "M3 کمترین مقدار دو جهت لنگر است (جان سپری در کشش و در فشار)", "M3");
}

}  // namespace

}  // namespace tavo::aisc
