#include "checks/aisc360_ishapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "checks/aisc360_common.h"
#include "core/text_util.h"
#include "core/units.h"

namespace tavo::aisc {

namespace {

constexpr double kPi = std::numbers::pi;

double Sq(double x) { return x * x; }

// Everything a chapter reads besides the shape: Fy, sqrt(E/Fy), the method and lengths.
struct Member {
  const Shape& s;
  const MemberData& m;
  double fy, rootE;
  double L, Lb;
};

Member MemberOf(const Shape& s, const MemberData& m) {
  const double L = std::isfinite(m.L) && m.L > 0 ? m.L : 0.0;
  const double Lb = std::isfinite(m.Lb) && m.Lb > 0 ? m.Lb : L;
  return {s, m, m.fy, std::sqrt(kE / m.fy), L, Lb};
}

// A negative nominal strength (Rpg of a web far beyond its range) is passed on as it is:
// MarkGoverning turns it into no strength and an error rather than a silent zero.
void Add(Result& r, const Member& c, Strength strength, std::string_view clause, std::string_view equation,
         std::string_view name, double nominal, Factors f = kFlexureFactors) {
  r.limitStates.push_back(MakeLimitState(strength, clause, equation, name, nominal, f, c.m.method));
}

// ---- Table B4.1 ------------------------------------------------------------------------

// Limits of one element in both tables, with the factors of Table E7.1 for its effective width.
struct ElementLimits {
  int caseA = 0;
  double lambdaR = 0;
  int caseB = 0;
  double lambdaP = 0, lambdaRf = 0;
  EffectiveWidthFactors c = kOtherElements;
};

// (Table B4.1b note [b]) FL of a built-up flange: 0.7Fy, or Fy·Sxt/Sxc (not below 0.5Fy) when
// the tension side yields first in a member whose web is not slender.
double FlangeFL(const Shape& s, double fy, bool slenderWeb) {
  if (slenderWeb || !(s.Sxc > 0) || s.Sxt / s.Sxc >= 0.7) return 0.7 * fy;
  return std::max(fy * s.Sxt / s.Sxc, 0.5 * fy);
}

// (Table B4.1b case 16) λp of a singly symmetric web, on hc/tw.
double SinglySymmetricWebLambdaP(const Shape& s, double fy, double rootE) {
  const double lambdaR = 5.70 * rootE;
  const double My = fy * std::min(s.Sxc, s.Sxt), Mp = fy * s.Zx;
  if (!(s.hp > 0) || !(My > 0)) return lambdaR;
  return std::min(s.hc / s.hp * rootE / Sq(0.54 * Mp / My - 0.09), lambdaR);
}

bool SinglySymmetric(const Shape& s) { return s.kind == ShapeKind::SinglySymmetricI; }

ElementLimits LimitsOf(const ShapeElement& e, const Shape& s, double fy, double rootE, double kc, double FL) {
  ElementLimits l;
  if (e.webH > 0) kc = FlangeKc(e.webH, s.tw);
  switch (e.role) {
    case ElementRole::Flange:
      if (s.rolledFlanges) {
        l.caseA = 1, l.lambdaR = 0.56 * rootE;
        l.caseB = 10, l.lambdaP = 0.38 * rootE, l.lambdaRf = 1.0 * rootE;
      } else {
        l.caseA = 2, l.lambdaR = 0.64 * std::sqrt(kc * kE / fy);
        l.caseB = 11, l.lambdaP = 0.38 * rootE, l.lambdaRf = 0.95 * std::sqrt(kc * kE / FL);
      }
      l.c = kOtherElements;
      break;
    case ElementRole::CoverPlate:
      l.caseA = 7, l.lambdaR = 1.40 * rootE;
      l.caseB = 18, l.lambdaP = 1.12 * rootE, l.lambdaRf = 1.40 * rootE;
      l.c = kStiffenedExceptWalls;
      break;
    case ElementRole::Stem:
      // (Table B4.1a case 4, B4.1b case 14) d/t of a tee stem, d the tee's whole depth.
      l.caseA = 4, l.lambdaR = 0.75 * rootE;
      l.caseB = 14, l.lambdaP = 0.84 * rootE, l.lambdaRf = 1.52 * rootE;
      l.c = kOtherElements;
      break;
    case ElementRole::Web:
      l.caseA = SinglySymmetric(s) ? 8 : 5, l.lambdaR = 1.49 * rootE;
      l.caseB = 15, l.lambdaP = 3.76 * rootE, l.lambdaRf = 5.70 * rootE;
      l.c = kStiffenedExceptWalls;
      break;
  }
  return l;
}

ElementClass CompressionClass(double ratio, double lambdaR) {
  return ratio <= lambdaR ? ElementClass::Nonslender : ElementClass::Slender;
}

ElementClass FlexureClass(double ratio, double lambdaP, double lambdaR) {
  if (ratio <= lambdaP) return ElementClass::Compact;
  return ratio <= lambdaR ? ElementClass::Noncompact : ElementClass::Slender;
}

ElementClassification Classified(std::string name, double ratio, int caseA, double lambdaR, int caseB, double lambdaP,
                                 double lambdaRf) {
  ElementClassification c;
  c.element = std::move(name);
  c.ratio = ratio;
  if (caseA > 0) c.compressionCase = caseA, c.lambdaR = lambdaR, c.compression = CompressionClass(ratio, lambdaR);
  if (caseB > 0)
    c.flexureCase = caseB, c.lambdaP = lambdaP, c.lambdaRf = lambdaRf, c.flexure = FlexureClass(ratio, lambdaP, lambdaRf);
  return c;
}

// Everything the chapters derive from the shape once: kc, FL, the classes of web and flanges.
struct Classes {
  double kc = 0.76, FL = 0;
  double webRatio = 0, webLambdaP = 0, webLambdaR = 0;  // on h/tw, or hc/tw when singly symmetric
  ElementClass web = ElementClass::Compact;
  double flangeRatio = 0, flangeLambdaP = 0, flangeLambdaR = 0;  // the compression flange
  ElementClass flange = ElementClass::Compact;
  double minorRatio = 0;  // the most slender flange, for minor-axis bending
};

Classes Classify(const Member& c, Result& r) {
  const Shape& s = c.s;
  Classes k;
  k.kc = FlangeKc(s.h, s.tw);
  // The web's flexural class first: FL of a built-up flange depends on it.
  if (SinglySymmetric(s)) {
    k.webRatio = s.hc / s.tw;
    k.webLambdaP = SinglySymmetricWebLambdaP(s, c.fy, c.rootE);
  } else {
    k.webRatio = s.h / s.tw;
    k.webLambdaP = 3.76 * c.rootE;
  }
  k.webLambdaR = 5.70 * c.rootE;
  k.web = FlexureClass(k.webRatio, k.webLambdaP, k.webLambdaR);
  k.FL = FlangeFL(s, c.fy, k.web == ElementClass::Slender);

  bool haveFlange = false;
  for (const ShapeElement& e : s.elements) {
    const ElementLimits l = LimitsOf(e, s, c.fy, c.rootE, k.kc, k.FL);
    const double ratio = e.b / e.t;
    if (e.role == ElementRole::Web && SinglySymmetric(s) && e.name == "web") {
      // The web of a singly symmetric I: h/tw in compression, hc/tw (its compressed depth) in flexure.
      r.classification.push_back(Classified("web", ratio, l.caseA, l.lambdaR, 0, 0, 0));
      r.classification.push_back(Classified("web, compressed part hc (flexure)", k.webRatio, 0, 0, 16, k.webLambdaP,
                                            k.webLambdaR));
      continue;
    }
    r.classification.push_back(Classified(e.name, ratio, l.caseA, l.lambdaR, l.caseB, l.lambdaP, l.lambdaRf));
    if (e.role == ElementRole::Flange) {
      k.minorRatio = std::max(k.minorRatio, ratio);
      if (e.compression && !haveFlange) {
        haveFlange = true;
        k.flangeRatio = ratio, k.flangeLambdaP = l.lambdaP, k.flangeLambdaR = l.lambdaRf;
        k.flange = FlexureClass(ratio, l.lambdaP, l.lambdaRf);
      }
    }
  }
  return k;
}

// ---- Chapter E -------------------------------------------------------------------------

// (E7-1) Ae: the gross area less what each slender element loses at the critical stress fcr.
double EffectiveArea(const Member& c, const Classes& k, double fcr) {
  double ae = c.s.A;
  for (const ShapeElement& e : c.s.elements) {
    const ElementLimits l = LimitsOf(e, c.s, c.fy, c.rootE, k.kc, k.FL);
    const double be = EffectiveWidth(e.b, e.b / e.t, l.lambdaR, c.fy, fcr, l.c);
    ae -= e.count * (e.b - be) * e.t;
  }
  return ae;
}

// One buckling mode: Fcr from its elastic stress (E3-2, E3-3), Pn = Fcr·Ag, or Fcr·Ae (E7-1)
// when a slender element does not carry the full stress.
void AddBuckling(Result& r, const Member& c, const Classes& k, std::string_view clause, std::string_view name,
                 double fe) {
  const double fcr = CriticalStress(c.fy, fe);
  const double ae = EffectiveArea(c, k, fcr);
  const bool reduced = ae < c.s.A * (1 - 1e-12);
  const std::string equation = reduced ? "E7-1" : clause == "E4" ? "E4-1" : "E3-1";
  Add(r, c, Strength::Pc, reduced ? std::string(clause) + ", E7" : std::string(clause), equation, name, fcr * ae,
      kCompressionFactors);
}

// (E4-2) Torsional buckling of a doubly symmetric member.
double TorsionalStress(const Shape& s, double L) {
  return (kPi * kPi * kE * s.Cw / (L * L) + kG * s.J) / (s.Ix + s.Iy);
}

// (E4-3) Flexural-torsional buckling of a singly symmetric member: feAxis is the flexural
// stress about the axis of symmetry (E4-5 or E4-6), with (E4-7) Fez, (E4-8) H, (E4-9) ro².
double FlexuralTorsionalStress(const Shape& s, double L, double feAxis) {
  const double ro2 = s.x0 * s.x0 + s.y0 * s.y0 + (s.Ix + s.Iy) / s.A;
  const double H = 1 - (s.x0 * s.x0 + s.y0 * s.y0) / ro2;
  const double fez = (kPi * kPi * kE * s.Cw / (L * L) + kG * s.J) / (s.A * ro2);
  const double sum = feAxis + fez;
  return sum / (2 * H) * (1 - std::sqrt(std::max(0.0, 1 - 4 * feAxis * fez * H / (sum * sum))));
}

// (E6-1), (E6-2) The modified slenderness of a built-up member about the axis across its
// profiles, with the connectors at the largest spacing E6.2 allows.
double BuiltUpSlenderness(Result& r, const Member& c, double slenderness, double governing, std::string& equation) {
  const Shape& s = c.s;
  if (s.joinedByPlates) {
    equation = "E3-4";
    AddDiagnostic(r.notes, Severity::Warning,
                  "The cover plates join the profiles along the whole member: their slenderness is not modified (E6)",
                  "ورق‌های تقویتی پروفیل‌ها را در سراسر عضو به هم می‌بندند: لاغری آن‌ها اصلاح نشد (E6)", "E6");
    return slenderness;
  }
  const double aOverRi = 0.75 * governing;
  AddDiagnostic(r.notes, Severity::Warning,
                "Connectors between the profiles are taken at the largest spacing E6.2 allows (Ka/ri = 3/4 of the "
                "member's governing slenderness, " + ShortestText(RoundTo(aOverRi, 1)) + ")",
                "اتصال‌دهنده‌های بین پروفیل‌ها با بیشترین فاصله مجاز E6.2 فرض شدند (Ka/ri برابر ۳/۴ لاغری حاکم عضو، " +
                    ShortestText(RoundTo(aOverRi, 1)) + ")",
                "E6");
  if (aOverRi <= 40) {
    equation = "E6-1";
    return slenderness;
  }
  equation = "E6-2";
  return std::sqrt(slenderness * slenderness + Sq(s.Ki * aOverRi));
}

void AddCompression(Result& r, const Member& c, const Classes& k) {
  const Shape& s = c.s;
  if (c.L == 0) {
    AddBuckling(r, c, k, "E3", "Yielding (no buckling length)", EulerStress(0));
    return;
  }
  const double lx = c.L / s.rx, ly = c.L / s.ry;
  AddBuckling(r, c, k, "E3", "Flexural buckling about the strong axis", EulerStress(lx));
  if (s.kind == ShapeKind::BuiltUp) {
    std::string equation;
    const double lm = BuiltUpSlenderness(r, c, ly, std::max(lx, ly), equation);
    AddBuckling(r, c, k, "E6", "Flexural buckling about the weak axis, built-up (" + equation + ")", EulerStress(lm));
  } else {
    AddBuckling(r, c, k, "E3", "Flexural buckling about the weak axis", EulerStress(ly));
  }
  // A doubly symmetric girder's shear centre can come out a rounding error off its centroid;
  // that must not send it to E4-3, whose H = 1 would only repeat the weak-axis buckling.
  if (s.kind == ShapeKind::DoublySymmetricI || (s.x0 == 0 && s.y0 == 0)) {
    AddBuckling(r, c, k, "E4", "Torsional buckling (E4-2)", TorsionalStress(s, c.L));
  } else {
    // The plate girder is symmetric about its vertical axis, a channel about its strong axis.
    const double feAxis = s.x0 != 0 ? EulerStress(lx) : EulerStress(ly);
    AddBuckling(r, c, k, "E4", "Flexural-torsional buckling (E4-3)", FlexuralTorsionalStress(s, c.L, feAxis));
  }
}

// ---- Chapter F -------------------------------------------------------------------------

// (F2-5) Lp and (F2-6) Lr of a doubly symmetric I or a channel, with rts (F2-7) and c (F2-8a/b).
struct LtbLengths {
  double Lp = 0, Lr = 0, rts = 0, c = 1;
};

LtbLengths CompactLengths(const Member& m) {
  const Shape& s = m.s;
  LtbLengths l;
  const double ry = std::sqrt(s.IyOwn / s.A);
  l.Lp = 1.76 * ry * m.rootE;                                        // (F2-5)
  l.rts = std::sqrt(std::sqrt(s.IyOwn * s.Cw) / s.Sxc);               // (F2-7)
  l.c = s.channels ? s.ho / 2 * std::sqrt(s.IyOwn / s.Cw)                    // (F2-8b)
            : 1.0;                                                    // (F2-8a)
  const double jc = s.J * l.c / (s.Sxc * s.ho);
  const double ratio = 0.7 * m.fy / kE;
  l.Lr = 1.95 * l.rts * kE / (0.7 * m.fy) * std::sqrt(jc + std::sqrt(jc * jc + 6.76 * ratio * ratio));  // (F2-6)
  return l;
}

// (F2-4) The elastic LTB stress.
double CompactLtbStress(const Member& m, const LtbLengths& l) {
  const Shape& s = m.s;
  const double slender = m.Lb / l.rts;
  return m.m.Cb * kPi * kPi * kE / (slender * slender) *
         std::sqrt(1 + 0.078 * s.J * l.c / (s.Sxc * s.ho) * slender * slender);
}

// F2.2 Lateral-torsional buckling; nothing when Lb ≤ Lp (yielding alone).
void AddCompactLtb(Result& r, const Member& m, std::string_view clause) {
  const Shape& s = m.s;
  const double Mp = m.fy * s.Zx;
  const LtbLengths l = CompactLengths(m);
  if (m.Lb <= l.Lp) return;
  if (m.Lb <= l.Lr) {
    const double mn = m.m.Cb * (Mp - (Mp - 0.7 * m.fy * s.Sxc) * (m.Lb - l.Lp) / (l.Lr - l.Lp));  // (F2-2)
    Add(r, m, Strength::M3, clause, "F2-2", "Lateral-torsional buckling, inelastic", std::min(mn, Mp));
  } else {
    const double mn = CompactLtbStress(m, l) * s.Sxc;  // (F2-3)
    Add(r, m, Strength::M3, clause, "F2-3", "Lateral-torsional buckling, elastic", std::min(mn, Mp));
  }
}

// (F3-1), (F3-2) Compression flange local buckling against the plastic moment.
void AddFlangeBuckling(Result& r, const Member& m, const Classes& k, std::string_view clause, double Mp, double Sx) {
  if (k.flange == ElementClass::Compact) return;
  if (k.flange == ElementClass::Noncompact) {
    const double mn =
        Mp - (Mp - 0.7 * m.fy * Sx) * (k.flangeRatio - k.flangeLambdaP) / (k.flangeLambdaR - k.flangeLambdaP);
    Add(r, m, Strength::M3, clause, "F3-1", "Compression flange local buckling, noncompact", mn);
  } else {
    const double mn = 0.9 * kE * k.kc * Sx / Sq(k.flangeRatio);
    Add(r, m, Strength::M3, clause, "F3-2", "Compression flange local buckling, slender", mn);
  }
}

// (F4-11), (F4-12) rt and aw of the compression flange with a sixth of the compressed web.
double Rt(const Shape& s) { return std::sqrt(s.Iyc / (s.Afc + s.Awc / 6)); }
double Aw(const Shape& s) { return s.Awc / s.Afc; }

// (F4-9a/b), (F4-10) Rpc; Rpt (F4-15a/b, F4-16) is the same with Myt for Myc.
double PlastificationFactor(const Member& m, const Classes& k, double Mp, double My) {
  const Shape& s = m.s;
  if (!(s.Iyc / s.IyOwn > 0.23)) return 1.0;
  const double full = Mp / My;
  if (k.webRatio <= k.webLambdaP) return full;
  return std::min(full, full - (full - 1) * (k.webRatio - k.webLambdaP) / (k.webLambdaR - k.webLambdaP));
}

void AddF4(Result& r, const Member& m, const Classes& k) {
  const Shape& s = m.s;
  const double fy = m.fy;
  const double Myc = fy * s.Sxc, Myt = fy * s.Sxt;
  const double Mp = std::min(fy * s.Zx, 1.6 * Myc);
  const double Rpc = PlastificationFactor(m, k, Mp, Myc);
  Add(r, m, Strength::M3, "F4.1", "F4-1", "Compression flange yielding", Rpc * Myc);
  // F4.2 LTB; J = 0 when the compression flange is the small one (Iyc/Iy ≤ 0.23).
  const double FL = s.Sxc > 0 && s.Sxt / s.Sxc >= 0.7 ? 0.7 * fy : std::max(fy * s.Sxt / s.Sxc, 0.5 * fy);  // (F4-6a/b)
  const double rt = Rt(s);
  const double J = s.Iyc / s.IyOwn > 0.23 ? s.J : 0.0;
  const double Lp = 1.1 * rt * m.rootE;  // (F4-7)
  const double jr = J / (s.Sxc * s.ho);
  const double Lr = 1.95 * rt * kE / FL * std::sqrt(jr + std::sqrt(jr * jr + 6.76 * Sq(FL / kE)));  // (F4-8)
  if (m.Lb > Lp) {
    if (m.Lb <= Lr) {
      const double mn = m.m.Cb * (Rpc * Myc - (Rpc * Myc - FL * s.Sxc) * (m.Lb - Lp) / (Lr - Lp));  // (F4-2)
      Add(r, m, Strength::M3, "F4.2", "F4-2", "Lateral-torsional buckling, inelastic", std::min(mn, Rpc * Myc));
    } else {
      const double slender = m.Lb / rt;
      const double fcr = m.m.Cb * kPi * kPi * kE / Sq(slender) * std::sqrt(1 + 0.078 * jr * Sq(slender));  // (F4-5)
      Add(r, m, Strength::M3, "F4.2", "F4-3", "Lateral-torsional buckling, elastic", std::min(fcr * s.Sxc, Rpc * Myc));
    }
  }
  // F4.3 compression flange local buckling.
  if (k.flange == ElementClass::Noncompact) {
    const double mn = Rpc * Myc - (Rpc * Myc - FL * s.Sxc) * (k.flangeRatio - k.flangeLambdaP) /
                                      (k.flangeLambdaR - k.flangeLambdaP);  // (F4-13)
    Add(r, m, Strength::M3, "F4.3", "F4-13", "Compression flange local buckling, noncompact", mn);
  } else if (k.flange == ElementClass::Slender) {
    Add(r, m, Strength::M3, "F4.3", "F4-14", "Compression flange local buckling, slender",
        0.9 * kE * k.kc * s.Sxc / Sq(k.flangeRatio));  // (F4-14)
  }
  // F4.4 tension flange yielding, only where the tension side is the weaker.
  if (s.Sxt < s.Sxc) {
    const double Rpt = PlastificationFactor(m, k, Mp, Myt);
    Add(r, m, Strength::M3, "F4.4", "F4-15", "Tension flange yielding", Rpt * Myt);
  }
}

// (F5-6) Rpg, the bending strength reduction of a slender web.
double Rpg(const Member& m) {
  const Shape& s = m.s;
  const double aw = std::min(Aw(s), 10.0);
  return std::min(1.0, 1 - aw / (1200 + 300 * aw) * (s.hc / s.tw - 5.7 * m.rootE));
}

void AddF5(Result& r, const Member& m, const Classes& k) {
  const Shape& s = m.s;
  const double fy = m.fy, rpg = Rpg(m);
  Add(r, m, Strength::M3, "F5.1", "F5-1", "Compression flange yielding", rpg * fy * s.Sxc);
  const double rt = Rt(s);
  const double Lp = 1.1 * rt * m.rootE;                        // (F4-7)
  const double Lr = kPi * rt * std::sqrt(kE / (0.7 * fy));      // (F5-5)
  if (m.Lb > Lp) {
    double fcr;
    std::string eq;
    if (m.Lb <= Lr) {
      fcr = std::min(fy, m.m.Cb * (fy - 0.3 * fy * (m.Lb - Lp) / (Lr - Lp)));  // (F5-3)
      eq = "F5-3";
    } else {
      fcr = std::min(fy, m.m.Cb * kPi * kPi * kE / Sq(m.Lb / rt));  // (F5-4)
      eq = "F5-4";
    }
    Add(r, m, Strength::M3, "F5.2", "F5-2", "Lateral-torsional buckling (" + eq + ")", rpg * fcr * s.Sxc);
  }
  if (k.flange != ElementClass::Compact) {
    const bool noncompact = k.flange == ElementClass::Noncompact;
    const double fcr = noncompact ? fy - 0.3 * fy * (k.flangeRatio - k.flangeLambdaP) /
                                                 (k.flangeLambdaR - k.flangeLambdaP)  // (F5-8)
                                  : 0.9 * kE * k.kc / Sq(k.flangeRatio);              // (F5-9)
    Add(r, m, Strength::M3, "F5.3", "F5-7",
        noncompact ? "Compression flange local buckling (F5-8)" : "Compression flange local buckling (F5-9)",
        rpg * fcr * s.Sxc);
  }
  if (s.Sxt < s.Sxc) Add(r, m, Strength::M3, "F5.4", "F5-10", "Tension flange yielding", fy * s.Sxt);
}

void AddMajorFlexure(Result& r, const Member& m, const Classes& k) {
  const Shape& s = m.s;
  const bool doubly = !SinglySymmetric(s);
  if (k.web == ElementClass::Slender) {
    AddF5(r, m, k);
  } else if (!doubly || k.web == ElementClass::Noncompact) {
    AddF4(r, m, k);
  } else {
    // F2 for compact flanges; F3 adds flange local buckling to the same yielding and LTB.
    const bool f2 = k.flange == ElementClass::Compact;
    const double Mp = m.fy * s.Zx;
    Add(r, m, Strength::M3, f2 ? "F2.1" : "F3", "F2-1", "Yielding", Mp);
    AddCompactLtb(r, m, f2 ? "F2.2" : "F3.1");
    AddFlangeBuckling(r, m, k, "F3.2", Mp, s.Sxc);
  }
  // F13.2: the proportions the flexural rules were made for. The program has no transverse
  // stiffeners, so a slender web is that of an unstiffened girder (a/h > 1.5).
  const double webLimit = std::min(260.0, 0.40 * kE / m.fy);
  if (k.web == ElementClass::Slender && s.h / s.tw > webLimit)
    AddDiagnostic(r.notes, Severity::Warning,
                  "The web's h/tw = " + ShortestText(RoundTo(s.h / s.tw, 1)) + " exceeds the " +
                      ShortestText(RoundTo(webLimit, 1)) +
                      " an unstiffened girder may have (F13.2): its M3 strengths lie outside the code's range",
                  "h/tw جان برابر " + ShortestText(RoundTo(s.h / s.tw, 1)) + " از حد " +
                      ShortestText(RoundTo(webLimit, 1)) +
                      " تیر بدون سخت‌کننده بیشتر است (F13.2): مقاومت‌های M3 خارج از محدوده آیین‌نامه‌اند",
                  "F13.2");
  if (k.web == ElementClass::Slender && Aw(s) > 10)
    AddDiagnostic(r.notes, Severity::Warning,
                  "The web's area exceeds 10 times the compression flange's (F13.2): Rpg is taken with aw = 10",
                  "سطح جان از ۱۰ برابر سطح بال فشاری بیشتر است (F13.2): Rpg با aw = 10 گرفته شد", "F13.2");
  if (SinglySymmetric(s) && s.IyOwn > 0 && (s.Iyc / s.IyOwn < 0.1 || s.Iyc / s.IyOwn > 0.9))
    AddDiagnostic(r.notes, Severity::Warning,
                  "Iyc/Iy = " + ShortestText(RoundTo(s.Iyc / s.IyOwn, 3)) +
                      " lies outside 0.1 to 0.9 (F13.2): the M3 strengths are beyond the code's range",
                  "Iyc/Iy برابر " + ShortestText(RoundTo(s.Iyc / s.IyOwn, 3)) +
                      " خارج از بازه 0.1 تا 0.9 است (F13.2): مقاومت‌های M3 خارج از محدوده آیین‌نامه‌اند",
                  "F13.2");
  if (s.negativeMoment)
    AddDiagnostic(r.notes, Severity::Warning,
                  "M3 is for positive moment (flange 2 in compression); negative moment (flange 1 in compression) "
                  "is checked as M3-",
                  "M3 برای لنگر مثبت (بال 2 در فشار) است؛ لنگر منفی (بال 1 در فشار) به صورت M3- کنترل می‌شود", "M3");
  else if (SinglySymmetric(s))
    AddDiagnostic(r.notes, Severity::Warning,
                  "M3 strengths are for positive moment, flange 2 in compression; a negative moment compresses "
                  "flange 1 and is not checked",
                  "مقاومت‌های M3 برای لنگر مثبت با بال 2 در فشار است؛ لنگر منفی بال 1 را فشرده می‌کند و کنترل نشده است",
                  "M3");
  if (s.castellated)
    AddDiagnostic(r.notes, Severity::Warning,
                  "Web openings: the section is checked through an opening; web-post buckling and Vierendeel "
                  "bending at the openings are not covered",
                  "بازشوهای جان: مقطع در محل بازشو کنترل شد؛ کمانش پایه جان و خمش ویراندیل در بازشوها کنترل نشده است",
                  "F");
}

// F6 Minor-axis bending: yielding (F6-1) and flange local buckling (F6-2 to F6-4), Table B4.1b case 13.
void AddMinorFlexureOf(Result& r, const Member& m, Strength strength, double Zy, double Sy, double ratio) {
  const double fy = m.fy;
  const double Mp = std::min(fy * Zy, 1.6 * fy * Sy);
  Add(r, m, strength, "F6.1", "F6-1", "Yielding", Mp);
  const double lp = 0.38 * m.rootE, lr = 1.0 * m.rootE;
  if (ratio <= lp) return;
  if (ratio <= lr) {
    Add(r, m, strength, "F6.2", "F6-2", "Flange local buckling, noncompact",
        Mp - (Mp - 0.7 * fy * Sy) * (ratio - lp) / (lr - lp));
  } else {
    const double fcr = 0.69 * kE / (ratio * ratio);  // (F6-4)
    Add(r, m, strength, "F6.2", "F6-3", "Flange local buckling, slender", fcr * Sy);
  }
}

// ---- Chapter G -------------------------------------------------------------------------

// (G2-1) Shear of a web without stiffeners (kv = 5.34): Cv1 by G2.1(a) (G2-2) for a rolled I
// of stocky web, else by (G2-3), (G2-4).
void AddWebShear(Result& r, const Member& m, Strength strength, double h, double tw, double Aw, bool rolledI,
                 std::string_view name) {
  const double ratio = h / tw;
  const double kv = 5.34;
  if (rolledI && ratio <= 2.24 * m.rootE) {
    Add(r, m, strength, "G2.1(a)", "G2-1", std::string(name) + " (Cv1 = 1, G2-2)", 0.6 * m.fy * Aw,
        kRolledWebShearFactors);
    return;
  }
  const double limit = 1.10 * std::sqrt(kv * kE / m.fy);
  const double cv1 = ratio <= limit ? 1.0 : limit / ratio;
  Add(r, m, strength, "G2.1(b)", "G2-1", std::string(name) + (ratio <= limit ? " (G2-3)" : " (G2-4)"),
      0.6 * m.fy * Aw * cv1, kShearFactors);
}

// (G2-9) to (G2-11) Cv2 of an element of slenderness ratio with buckling coefficient kv.
double Cv2(double ratio, double kv, double fy) {
  const double root = std::sqrt(kv * kE / fy);
  if (ratio <= 1.10 * root) return 1.0;
  if (ratio <= 1.37 * root) return 1.10 * root / ratio;
  return 1.51 * kv * kE / (ratio * ratio * fy);
}

// (G6-1) Shear along the flanges: Cv2 with kv = 1.2 over every flange's b·t.
double FlangeShear(double fy, double b, double t, double area) { return 0.6 * fy * area * Cv2(b / t, 1.2, fy); }

}  // namespace

double FlangeKc(double h, double tw) {
  if (!(h > 0) || !(tw > 0)) return 0.76;
  return std::clamp(4 / std::sqrt(h / tw), 0.35, 0.76);
}

void CheckIShape(const Shape& shape, const MemberData& member, Result& result) {
  const Member m = MemberOf(shape, member);
  const Classes k = Classify(m, result);
  AddCompression(result, m, k);
  AddMajorFlexure(result, m, k);
  AddMinorFlexureOf(result, m, Strength::M2, shape.Zy, shape.Sy, k.minorRatio);
  const bool rolledI = shape.rolledWeb;
  AddWebShear(result, m, Strength::V2, shape.h, shape.tw, shape.Aw, rolledI, "Web shear yielding and buckling");
  Add(result, m, Strength::V3, "G6", "G6-1", "Flange shear (Cv2, kv = 1.2)",
      FlangeShear(m.fy, shape.minorB, shape.minorT, shape.minorArea), kShearFactors);
  result.covered = true;
}

void AddNegativeMomentFlexure(const Shape& flipped, const MemberData& member, Result& result) {
  const Member m = MemberOf(flipped, member);
  // Classified and checked on their own; what differs from positive moment is kept: the flange
  // and web in compression, and every M3 limit state, named for the sign.
  Result turned;
  const Classes k = Classify(m, turned);
  AddMajorFlexure(turned, m, k);
  for (ElementClassification& c : turned.classification) {
    if (c.element == "flange 1 (compression)") {
      c.element = "flange 1 (compression under negative M3)";
    } else if (c.element.starts_with("web, compressed part")) {
      c.element += ", negative M3";
    } else {
      continue;  // axial compression and the tension flange are the same either way
    }
    result.classification.push_back(c);
  }
  for (LimitState& ls : turned.limitStates) {
    if (ls.strength != Strength::M3) continue;
    ls.strength = Strength::M3Negative;
    ls.name += ", negative M3";
    result.limitStates.push_back(std::move(ls));
  }
}

void CheckCross(const Shape& shape, const Section& section, const MemberData& member, Result& result) {
  const CurrentSection& cs = section.cs;
  const Member m = MemberOf(shape, member);
  const Classes k = Classify(m, result);
  AddCompression(result, m, k);
  const double fy = m.fy, tw = cs.tw;
  const double rootE = m.rootE;
  // Bending about either axis: the plastic moment capped at 1.6My as F6.1 caps a shape with no
  // lateral-torsional mode (the cross is about as stiff one way as the other), and the local
  // buckling of the flanges: those at the ends of the bent web are compressed across their
  // width as an I's flange (F3), those along the neutral axis see a gradient as in F6.
  AddDiagnostic(result.notes, Severity::Warning,
                "A cross is taken not to buckle laterally: its bending checks are yielding and flange local buckling",
                "فرض شد مقطع صلیبی کمانش جانبی ندارد: خمش آن با تسلیم و کمانش موضعی بال‌ها کنترل شد", "F");
  auto bend = [&](Strength strength, double Z, double S, double bfC, double tfC, double hWeb, double bfN, double tfN) {
    const double Mp = std::min(fy * Z, 1.6 * fy * S);
    Add(result, m, strength, "F6.1", "F6-1", "Yielding", Mp);
    const double kc = FlangeKc(hWeb, tw);
    const double lambda = bfC / 2 / tfC, lp = 0.38 * rootE, lr = 0.95 * std::sqrt(kc * kE / (0.7 * fy));
    if (lambda > lp && lambda <= lr)
      Add(result, m, strength, "F3.2", "F3-1", "Local buckling of the compressed flanges, noncompact",
          Mp - (Mp - 0.7 * fy * S) * (lambda - lp) / (lr - lp));
    else if (lambda > lr)
      Add(result, m, strength, "F3.2", "F3-2", "Local buckling of the compressed flanges, slender",
          0.9 * kE * kc * S / (lambda * lambda));
    const double ln = bfN / 2 / tfN, lrn = 1.0 * rootE;
    if (ln > lp && ln <= lrn)
      Add(result, m, strength, "F6.2", "F6-2", "Local buckling of the flanges on the neutral axis, noncompact",
          Mp - (Mp - 0.7 * fy * S) * (ln - lp) / (lrn - lp));
    else if (ln > lrn)
      Add(result, m, strength, "F6.2", "F6-3", "Local buckling of the flanges on the neutral axis, slender",
          0.69 * kE / (ln * ln) * S);
    if (hWeb / tw > 3.76 * rootE)
      AddDiagnostic(result.notes, Severity::Warning,
                    "A web of the cross is not compact in flexure: its local buckling is not covered",
                    "یکی از جان‌های مقطع صلیبی در خمش فشرده نیست: کمانش موضعی آن کنترل نشده است", "F");
  };
  bend(Strength::M3, section.props.Z1, section.props.S1, cs.bf1, cs.tf1, cs.h1, cs.bf2, cs.tf2);
  bend(Strength::M2, section.props.Z2, section.props.S2, cs.bf2, cs.tf2, cs.h2, cs.bf1, cs.tf1);
  // Shear each way: the web along it (G2.1, kv = 5.34) and the other I's flanges, which lie
  // the same way (G6, Cv2 with kv = 1.2), carry it together.
  auto shear = [&](Strength strength, double h, double tf, double bfAlong, double tfAlong) {
    const double ratio = h / tw, kv = 5.34, limit = 1.10 * std::sqrt(kv * kE / fy);
    const double cv1 = ratio <= limit ? 1.0 : limit / ratio;
    const double web = 0.6 * fy * (h + 2 * tf) * tw * cv1;
    const double flanges = FlangeShear(fy, bfAlong / 2, tfAlong, 2 * bfAlong * tfAlong);
    Add(result, m, strength, "G2.1(b), G6", ratio <= limit ? "G2-1, G2-3, G6-1" : "G2-1, G2-4, G6-1",
        "Web and flange shear", web + flanges, kShearFactors);
  };
  shear(Strength::V2, cs.h1, cs.tf1, cs.bf2, cs.tf2);
  shear(Strength::V3, cs.h2, cs.tf2, cs.bf1, cs.tf1);
  result.covered = true;
}

}  // namespace tavo::aisc
