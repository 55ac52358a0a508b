#include "checks/aisc360_torsion.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "checks/aisc360_common.h"

namespace tavo::aisc {

double TorsionalStrength(double fcr, double torsionalConstant) { return fcr * torsionalConstant; }

// The ring's own elastic value 2J/D, which the published tables use: below the thin-wall
// π (D − t)² t / 2 (4 % for D/t = 21), so never more than the tube can take.
double RoundTorsionalConstant(double D, double t) {
  const double d = D - 2 * t;
  return std::numbers::pi * (D * D * D * D - d * d * d * d) / (16 * D);
}

double RoundTorsionBucklingLong(double D, double t, double L) {
  return 1.23 * kE / (std::sqrt(L / D) * std::pow(D / t, 1.25));
}

double RoundTorsionBucklingShort(double D, double t) { return 0.60 * kE / std::pow(D / t, 1.5); }

double RectangularTorsionalConstant(double B, double H, double t) {
  return 2 * (B - t) * (H - t) * t - 4.5 * (4 - std::numbers::pi) * t * t * t;
}

double RectangularTorsionYielding(double fy) { return 0.6 * fy; }

double RectangularTorsionInelastic(double fy, double hOverT) {
  return 0.6 * fy * (2.45 * std::sqrt(kE / fy)) / hOverT;
}

double RectangularTorsionElastic(double hOverT) {
  return 0.458 * std::numbers::pi * std::numbers::pi * kE / (hOverT * hOverT);
}

TorsionCriticalStress RoundTorsionCriticalStress(double D, double t, double L, double fy) {
  const double shortLimit = RoundTorsionBucklingShort(D, t);
  TorsionCriticalStress s{shortLimit, "H3-2b"};
  if (L > 0) {
    const double longLimit = RoundTorsionBucklingLong(D, t, L);
    if (longLimit > s.fcr) s = {longLimit, "H3-2a"};
  }
  if (s.fcr > 0.6 * fy) s = {0.6 * fy, "H3.1(a)"};  // the 0.6 Fy cap on both
  return s;
}

TorsionCriticalStress RectangularTorsionCriticalStress(double hOverT, double fy) {
  const double root = std::sqrt(kE / fy);
  if (hOverT <= 2.45 * root) return {RectangularTorsionYielding(fy), "H3-3"};
  if (hOverT <= 3.07 * root) return {RectangularTorsionInelastic(fy, hOverT), "H3-4"};
  return {RectangularTorsionElastic(hOverT), "H3-5"};
}

bool HasTorsionalStrength(const Section& section) {
  return section.cs.family == "TUBE" || section.cs.family == "BOX";
}

namespace {
bool Positive(double v) { return std::isfinite(v) && v > 0; }

std::string NameOf(const TorsionCriticalStress& s) {
  const std::string eq = s.equation;
  if (eq == "H3-3" || eq == "H3.1(a)") return "Torsional yielding (" + eq + ")";
  return "Torsional buckling (" + eq + ")";
}
}  // namespace

std::optional<LimitState> TorsionLimitState(const Section& section, const MemberData& member, Diagnostics& notes) {
  const CurrentSection& cs = section.cs;
  if (!HasTorsionalStrength(section) || !Positive(member.fy)) return std::nullopt;
  double fcrValue = 0, constant = 0;
  TorsionCriticalStress fcr;
  if (cs.family == "TUBE") {
    if (!Positive(cs.D) || !Positive(cs.t) || 2 * cs.t > cs.D) return std::nullopt;
    if (!Positive(member.L))
      AddDiagnostic(notes, Severity::Warning,
                    "Torsional buckling of the tube taken by H3-2b alone: the member has no length",
                    "کمانش پیچشی لوله فقط با H3-2b محاسبه شد: طول عضو داده نشده است", "L");
    fcr = RoundTorsionCriticalStress(cs.D, cs.t, member.L, member.fy);
    constant = RoundTorsionalConstant(cs.D, cs.t);
  } else {
    // A built-up box: the webs' flat height is hw, the flanges' the clear distance between the
    // webs; the more slender wall decides, and the thinner wall stands for t in C.
    const double t = std::min(cs.tw, cs.tf);
    if (!Positive(cs.hw) || !Positive(cs.tw) || !Positive(cs.tf) || !Positive(cs.d)) return std::nullopt;
    const double webSlenderness = cs.hw / cs.tw;
    const double flangeSlenderness = std::max(cs.d - cs.tw, 0.0) / cs.tf;
    const double hOverT = std::max(webSlenderness, flangeSlenderness);
    if (hOverT > 260)
      AddDiagnostic(notes, Severity::Warning,
                    "A wall of the box is more slender than h/t = 260, the limit of H3-5; its torsional "
                    "strength is taken from H3-5 all the same",
                    "یکی از دیواره‌های قوطی از h/t = 260، حد رابطه H3-5، لاغرتر است؛ مقاومت پیچشی آن با همان "
                    "H3-5 محاسبه شد",
                    "h/t");
    fcr = RectangularTorsionCriticalStress(hOverT, member.fy);
    constant = RectangularTorsionalConstant(cs.d + cs.tw, cs.hw + 2 * cs.tf, t);
  }
  fcrValue = fcr.fcr;
  if (!Positive(fcrValue) || !Positive(constant)) return std::nullopt;
  LimitState ls = MakeLimitState(Strength::T, "H3.1", "H3-1", NameOf(fcr), TorsionalStrength(fcrValue, constant),
                                 kTorsionFactors, member.method);
  ls.governing = true;  // the only torsion limit state there is
  return ls;
}

}  // namespace tavo::aisc
