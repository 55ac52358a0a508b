#include "checks/aisc360_hollow.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <tuple>

#include "checks/aisc360_common.h"

namespace tavo::aisc {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi2 = std::numbers::pi * std::numbers::pi;

ElementClass CompressionClass(double ratio, double lambdaR) {
  return ratio > lambdaR ? ElementClass::Slender : ElementClass::Nonslender;
}

ElementClass FlexureClass(double ratio, double lambdaP, double lambdaR) {
  if (ratio <= lambdaP) return ElementClass::Compact;
  return ratio <= lambdaR ? ElementClass::Noncompact : ElementClass::Slender;
}

// ---------------------------------------------------------------- boxes

// The box's plates as the code measures them.
struct BoxWalls {
  double h = 0, tw = 0, b = 0, tf = 0, d = 0;
  double clearFlange = 0;  // flange width between the webs' inner faces
  double overhang = 0;     // flange outstand beyond a web's outer face, 0 when flush
  double kc = 0.76;        // of the overhangs, from the webs' h/tw
};

// (E7-1) with the walls' effective widths (E7-2, E7-3) at the member's Fcr.
double BoxEffectiveArea(const BoxWalls& w, double ag, double fy, double fcr) {
  const double rootEF = std::sqrt(kE / fy);
  // Walls of one thickness all round are the "walls" of Table E7.1; a box of two plate
  // thicknesses has stiffened plates of case (a).
  const EffectiveWidthFactors walls =
      std::abs(w.tf - w.tw) < 1e-9 ? kSquareRectangularWalls : kStiffenedExceptWalls;
  const double lambdaR = 1.40 * rootEF;
  double ae = ag;
  ae -= 2 * (w.clearFlange - EffectiveWidth(w.clearFlange, w.clearFlange / w.tf, lambdaR, fy, fcr, walls)) * w.tf;
  ae -= 2 * (w.h - EffectiveWidth(w.h, w.h / w.tw, lambdaR, fy, fcr, walls)) * w.tw;
  if (w.overhang > 0) {
    const double lambdaO = 0.64 * std::sqrt(w.kc * kE / fy);
    ae -= 4 * (w.overhang - EffectiveWidth(w.overhang, w.overhang / w.tf, lambdaO, fy, fcr, kOtherElements)) * w.tf;
  }
  return ae;
}

// (F7-3) The elastic modulus with the compression wall cut to its effective width: the strip
// taken off (area removed, its centre at `arm` from the axis) moves the axis away from it.
double ReducedModulus(double i, double ag, double removed, double arm, double extreme) {
  if (!(removed > 0)) return i / extreme;
  const double shift = removed * arm / (ag - removed);  // the new axis lies this far on the tension side
  const double iNew = i - removed * arm * arm - (ag - removed) * shift * shift;
  return iNew / (extreme + shift);
}

// One axis of a box: which walls are compressed by the moment and the moduli about it.
struct BoxAxis {
  Strength strength;
  double compressionWidth, compressionT;  // the wall the moment compresses (between the walls it spans)
  double webHeight, webT;                 // the walls along the moment's lever
  double compressionArm;                  // distance of the compression wall's centre from the axis
  double extreme;                         // farthest fibre
  double I, S, Z, Iother, rOther;
  bool overhangsAsFlanges;  // M3: the overhangs are compressed outstands of the flanges; M2: minor-axis flanges
};

void AddBoxFlexure(const BoxWalls& w, const BoxAxis& a, const SectionProperties& p, const MemberData& m,
                   double j, Result& result) {
  const double fy = m.fy, rootEF = std::sqrt(kE / fy);
  const Strength st = a.strength;
  const double mp = fy * a.Z;
  result.limitStates.push_back(MakeLimitState(st, "F7.1", "F7-1", "Yielding", mp, kFlexureFactors, m.method));  // (F7-1)

  // Flange local buckling of the compressed wall.
  const double lf = a.compressionWidth / a.compressionT;
  const double lpf = 1.12 * rootEF, lrf = 1.49 * rootEF;
  if (lf > lrf) {
    // (F7-5) The effective width of a box flange.
    const double be = std::min(a.compressionWidth, 1.92 * a.compressionT * rootEF * (1 - 0.34 / lf * rootEF));
    const double se = ReducedModulus(a.I, p.A, (a.compressionWidth - be) * a.compressionT, a.compressionArm, a.extreme);
    result.limitStates.push_back(MakeLimitState(st, "F7.2(c)", "F7-3", "Flange local buckling (slender)", fy * se,
                                                kFlexureFactors, m.method));  // (F7-3)
  } else if (lf > lpf) {
    const double mn = std::min(mp, mp - (mp - fy * a.S) * (3.57 * lf / rootEF - 4.0));  // (F7-2)
    result.limitStates.push_back(MakeLimitState(st, "F7.2(b)", "F7-2", "Flange local buckling (noncompact)", mn,
                                                kFlexureFactors, m.method));
  }

  // Web local buckling of the walls along the lever.
  const double lw = a.webHeight / a.webT;
  const double lpw = 2.42 * rootEF, lrw = 5.70 * rootEF;
  if (lw > lrw) {
    // (F7-7) with Rpg of (F5-6), aw from the two webs and the compression wall.
    const double aw = std::min(10.0, 2 * a.webHeight * a.webT / (a.compressionWidth * a.compressionT));
    const double rpg = std::min(1.0, 1 - aw / (1200 + 300 * aw) * (lw - 5.7 * rootEF));
    result.limitStates.push_back(MakeLimitState(st, "F7.3(c)", "F7-7", "Web local buckling (slender)", rpg * fy * a.S,
                                                kFlexureFactors, m.method));
    // With a slender web the compression wall's own buckling is cut by Rpg as well; above Fy
    // it is (F7-7) again.
    const double fcrFlange = 0.9 * kE * 4.0 / (lf * lf);  // (F7-9), kc = 4
    if (fcrFlange < fy)
      result.limitStates.push_back(MakeLimitState(st, "F7.3(c)", "F7-8",
                                                  "Compression flange local buckling (slender web)",
                                                  rpg * fcrFlange * a.S, kFlexureFactors, m.method));  // (F7-8)
  } else if (lw > lpw) {
    const double mn = std::min(mp, mp - (mp - fy * a.S) * (0.305 * lw / rootEF - 0.738));  // (F7-6)
    result.limitStates.push_back(MakeLimitState(st, "F7.3(b)", "F7-6", "Web local buckling (noncompact)", mn,
                                                kFlexureFactors, m.method));
  }

  // Flange overhangs beyond the webs buckle as outstands of a built-up flange.
  if (w.overhang > 0) {
    const double lo = w.overhang / w.tf, lp = 0.38 * rootEF;
    if (a.overhangsAsFlanges) {
      const double lr = 0.95 * std::sqrt(w.kc * kE / (0.7 * fy));
      if (lo > lr) {
        result.limitStates.push_back(MakeLimitState(st, "F3.2", "F3-2", "Flange overhang local buckling (slender)",
                                                    0.9 * kE * w.kc * a.S / (lo * lo), kFlexureFactors,
                                                    m.method));  // (F3-2)
      } else if (lo > lp) {
        const double mn = mp - (mp - 0.7 * fy * a.S) * (lo - lp) / (lr - lp);  // (F3-1)
        result.limitStates.push_back(MakeLimitState(st, "F3.2", "F3-1", "Flange overhang local buckling (noncompact)",
                                                    mn, kFlexureFactors, m.method));
      }
    } else {
      const double lr = 1.0 * rootEF;
      const double mp6 = std::min(mp, 1.6 * fy * a.S);
      if (lo > lr) {
        const double fcr = 0.69 * kE / (lo * lo);  // (F6-4)
        result.limitStates.push_back(MakeLimitState(st, "F6.2", "F6-3", "Flange overhang local buckling (slender)",
                                                    fcr * a.S, kFlexureFactors, m.method));  // (F6-3)
      } else if (lo > lp) {
        const double mn = mp6 - (mp6 - 0.7 * fy * a.S) * (lo - lp) / (lr - lp);  // (F6-2)
        result.limitStates.push_back(MakeLimitState(st, "F6.2", "F6-2", "Flange overhang local buckling (noncompact)",
                                                    mn, kFlexureFactors, m.method));
      }
    }
  }

  // Lateral-torsional buckling: about the major axis only, over the unbraced length.
  const double lb = m.Lb > 0 ? m.Lb : m.L;
  if (a.I > a.Iother && lb > 0 && j > 0) {
    const double root = std::sqrt(j * p.A);
    const double lp = 0.13 * kE * a.rOther * root / mp;          // (F7-12)
    const double lr = 2 * kE * a.rOther * root / (0.7 * fy * a.S);  // (F7-13)
    if (lb > lr) {
      const double mn = std::min(mp, 2 * kE * m.Cb * root / (lb / a.rOther));  // (F7-11)
      result.limitStates.push_back(
          MakeLimitState(st, "F7.4(c)", "F7-11", "Lateral-torsional buckling (elastic)", mn, kFlexureFactors, m.method));
    } else if (lb > lp) {
      const double mn = std::min(mp, m.Cb * (mp - (mp - 0.7 * fy * a.S) * (lb - lp) / (lr - lp)));  // (F7-10)
      result.limitStates.push_back(MakeLimitState(st, "F7.4(b)", "F7-10", "Lateral-torsional buckling (inelastic)", mn,
                                                  kFlexureFactors, m.method));
    }
  }
}

// (G4-1) Shear along two walls of clear height h and thickness t, kv = 5.
void AddBoxShear(Strength st, double h, double t, const MemberData& m, Result& result) {
  std::string eq;
  const double cv2 = ShearBucklingCv2(h / t, 5.0, m.fy, &eq);
  result.limitStates.push_back(MakeLimitState(st, "G4", "G4-1", "Shear yielding and buckling (Cv2 by " + eq + ")",
                                              0.6 * m.fy * (2 * h * t) * cv2, kShearFactors, m.method));
}

}  // namespace

bool Unusable(Result& result, bool bad, std::string_view what) {
  if (!bad) return false;
  result.covered = false;
  AddDiagnostic(result.notes, Severity::Error,
                std::string("The limit-state code cannot check this ") + std::string(what) +
                    ": a dimension, the area or Fy is zero",
                "این " + std::string(what) + " با آیین‌نامه حالت حدی کنترل نمی‌شود: یکی از ابعاد، سطح یا Fy صفر است");
  return true;
}

ElementClassification ClassifyElement(std::string_view element, double ratio, int compressionCase, double lambdaR,
                                      int flexureCase, double lambdaP, double lambdaRf) {
  ElementClassification c;
  c.element = element;
  c.ratio = ratio;
  if (compressionCase > 0) {
    c.compressionCase = compressionCase;
    c.lambdaR = lambdaR;
    c.compression = CompressionClass(ratio, lambdaR);
  }
  if (flexureCase > 0) {
    c.flexureCase = flexureCase;
    c.lambdaP = lambdaP;
    c.lambdaRf = lambdaRf;
    c.flexure = FlexureClass(ratio, lambdaP, lambdaRf);
  }
  return c;
}

double ShearBucklingCv2(double hOverT, double kv, double fy, std::string* equation) {
  const double limit = std::sqrt(kv * kE / fy);
  std::string eq;
  double cv2;
  if (hOverT <= 1.10 * limit) {
    eq = "G2-9", cv2 = 1.0;  // (G2-9)
  } else if (hOverT <= 1.37 * limit) {
    eq = "G2-10", cv2 = 1.10 * limit / hOverT;  // (G2-10)
  } else {
    eq = "G2-11", cv2 = 1.51 * kv * kE / (hOverT * hOverT * fy);  // (G2-11)
  }
  if (equation != nullptr) *equation = eq;
  return cv2;
}

LimitState CompressionLimitState(const MemberData& member, std::string_view clause, std::string_view plain,
                                 std::string_view name, double fe, double ag,
                                 const std::function<double(double)>& effectiveArea) {
  const double fcr = CriticalStress(member.fy, fe);
  const bool inelastic = member.fy / fe <= 2.25;
  std::string full = std::string(name) + (inelastic ? " (inelastic, E3-2)" : " (elastic, E3-3)");
  if (effectiveArea) {
    return MakeLimitState(Strength::Pc, "E7", "E7-1", full + " with slender elements", fcr * effectiveArea(fcr),
                          kCompressionFactors, member.method);  // (E7-1)
  }
  return MakeLimitState(Strength::Pc, clause, plain, full, fcr * ag, kCompressionFactors, member.method);  // (E3-1)
}

double FlexuralTorsionalStress(double fey, double fez, double h) {
  if (!std::isfinite(fey) || !std::isfinite(fez)) return std::min(fey, fez);
  const double sum = fey + fez;
  return sum / (2 * h) * (1 - std::sqrt(1 - 4 * fey * fez * h / (sum * sum)));  // (E4-3)
}

double TorsionalStress(double lcz, double cw, double j, double ag, double ix, double iy, double y0, double* r0sq) {
  const double r0 = y0 * y0 + (ix + iy) / ag;  // (E4-9)
  if (r0sq != nullptr) *r0sq = r0;
  if (!(lcz > 0)) return kInf;
  return (kPi2 * kE * cw / (lcz * lcz) + kG * j) / (ag * r0);  // (E4-7)
}

void CheckBox(const Section& section, const MemberData& member, Result& result) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  result.method = member.method;
  BoxWalls w;
  w.h = cs.h > 0 ? cs.h : cs.hw, w.tw = cs.tw, w.b = cs.b, w.tf = cs.tf;
  w.d = cs.d > 0 ? cs.d : cs.b - cs.tw;
  if (Unusable(result, !(w.h > 0 && w.tw > 0 && w.b > 0 && w.tf > 0 && w.d > w.tw && p.A > 0 && member.fy > 0), "box"))
    return;
  result.covered = true;
  const double fy = member.fy, rootEF = std::sqrt(kE / fy);
  // A box welded of plates has square corners: each wall's b is its clear width between the
  // walls it spans, with no corner radius to take off.
  w.clearFlange = w.d - w.tw;
  w.overhang = std::max(0.0, (w.b - w.d - w.tw) / 2);
  w.kc = std::clamp(4 / std::sqrt(w.h / w.tw), 0.35, 0.76);

  const double lambdaWall = 1.40 * rootEF;
  result.classification.push_back(
      ClassifyElement("flanges", w.clearFlange / w.tf, 6, lambdaWall, 21, 1.12 * rootEF, 1.49 * rootEF));
  result.classification.push_back(ClassifyElement("webs", w.h / w.tw, 6, lambdaWall, 19, 2.42 * rootEF, 5.70 * rootEF));
  const double lambdaOverhang = 0.64 * std::sqrt(w.kc * kE / fy);
  if (w.overhang > 0)
    result.classification.push_back(ClassifyElement("flange overhangs", w.overhang / w.tf, 2, lambdaOverhang, 11,
                                                    0.38 * rootEF, 0.95 * std::sqrt(w.kc * kE / (0.7 * fy))));

  // Compression: flexural buckling about the weaker axis (K = 1).
  const double rMin = std::min(p.r1, p.r2);
  const double fe = member.L > 0 && rMin > 0 ? EulerStress(member.L / rMin) : kInf;
  const bool slender = w.clearFlange / w.tf > lambdaWall || w.h / w.tw > lambdaWall ||
                       (w.overhang > 0 && w.overhang / w.tf > lambdaOverhang);
  std::function<double(double)> ae;
  if (slender) ae = [&w, &p, fy](double fcr) { return BoxEffectiveArea(w, p.A, fy, fcr); };
  result.limitStates.push_back(CompressionLimitState(member, "E3", "E3-1", "Flexural buckling", fe, p.A, ae));

  AddTension(p.A, member, result);

  // The torsion constant of the closed cell (Bredt), on the walls' centre lines: the open-plate
  // sum of the property table is far below it and would make every box buckle laterally.
  const double cellW = w.d, cellH = w.h + w.tf;
  const double j = 4 * std::pow(cellW * cellH, 2) / (2 * cellW / w.tf + 2 * cellH / w.tw);
  const double depth = w.h + 2 * w.tf, width = std::max(w.b, w.d + w.tw);
  AddBoxFlexure(w,
                {Strength::M3, w.clearFlange, w.tf, w.h, w.tw, (w.h + w.tf) / 2, depth / 2, p.I1, p.S1, p.Z1, p.I2, p.r2,
                 true},
                p, member, j, result);
  // About the other axis the webs are the compressed walls and the flanges carry the lever.
  AddBoxFlexure(w,
                {Strength::M2, w.h, w.tw, w.clearFlange, w.tf, w.d / 2, width / 2, p.I2, p.S2, p.Z2, p.I1, p.r1, false},
                p, member, j, result);

  AddBoxShear(Strength::V2, w.h, w.tw, member, result);
  AddBoxShear(Strength::V3, w.clearFlange, w.tf, member, result);
}

// ---------------------------------------------------------------- round tubes

void CheckRound(const Section& section, const MemberData& member, Result& result) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  result.method = member.method;
  const double D = cs.D, t = cs.t, fy = member.fy;
  if (Unusable(result, !(D > 0 && t > 0 && p.A > 0 && fy > 0), "tube")) return;
  const double ratio = D / t, eOverFy = kE / fy;
  result.classification.push_back(ClassifyElement("wall", ratio, 9, 0.11 * eOverFy, 20, 0.07 * eOverFy, 0.31 * eOverFy));
  result.covered = ratio < 0.45 * eOverFy;
  if (!result.covered)
    AddDiagnostic(result.notes, Severity::Error,
                  "D/t = " + std::to_string(ratio) + " exceeds 0.45 E/Fy: the code has no rule for so thin a tube",
                  "D/t = " + std::to_string(ratio) + " از 0.45 E/Fy بیشتر است: آیین‌نامه برای لوله‌ای چنین نازک ضابطه ندارد",
                  "D/t");

  const double fe = member.L > 0 && p.r1 > 0 ? EulerStress(member.L / p.r1) : kInf;
  std::function<double(double)> ae;
  if (ratio > 0.11 * eOverFy) ae = [&p, ratio, fy](double) { return RoundEffectiveArea(p.A, ratio, fy); };  // (E7-7)
  result.limitStates.push_back(CompressionLimitState(member, "E3", "E3-1", "Flexural buckling", fe, p.A, ae));

  AddTension(p.A, member, result);

  for (const auto& [st, S, Z] : {std::tuple{Strength::M3, p.S1, p.Z1}, std::tuple{Strength::M2, p.S2, p.Z2}}) {
    result.limitStates.push_back(
        MakeLimitState(st, "F8.1", "F8-1", "Yielding", fy * Z, kFlexureFactors, member.method));  // (F8-1)
    if (ratio > 0.31 * eOverFy) {
      const double fcr = 0.33 * kE / ratio;  // (F8-4)
      result.limitStates.push_back(MakeLimitState(st, "F8.2(c)", "F8-3", "Local buckling (slender wall)", fcr * S,
                                                  kFlexureFactors, member.method));  // (F8-3)
    } else if (ratio > 0.07 * eOverFy) {
      result.limitStates.push_back(MakeLimitState(st, "F8.2(b)", "F8-2", "Local buckling (noncompact wall)",
                                                  (0.021 * kE / ratio + fy) * S, kFlexureFactors,
                                                  member.method));  // (F8-2)
    }
  }

  // Shear buckling over the shear span: with no span given, half the member's length (the span
  // from a support to the mid-length of a uniformly loaded member).
  double fcr = 0.78 * kE / std::pow(ratio, 1.5);  // (G5-2b)
  if (member.L > 0) {
    const double lv = member.L / 2;
    fcr = std::max(fcr, 1.60 * kE / (std::sqrt(lv / D) * std::pow(ratio, 1.25)));  // (G5-2a)
    AddDiagnostic(result.notes, Severity::Warning, "Shear span Lv of the tube taken as L/2",
                  "دهانه برشی Lv لوله برابر L/2 فرض شد", "Lv");
  }
  fcr = std::min(fcr, 0.6 * fy);
  for (Strength st : {Strength::V2, Strength::V3})
    result.limitStates.push_back(
        MakeLimitState(st, "G5", "G5-1", "Shear yielding and buckling", fcr * p.A / 2, kShearFactors, member.method));
}

}  // namespace tavo::aisc
