#include "checks/allowables.h"

#include "sections/section_family.h"

#include <cmath>
#include <numbers>

#include "core/text_helpers.h"
#include "core/units.h"

namespace tavo {

double AllowableAxialStress(double lambda, double Fy) {
  if (!(Fy > 0) || !std::isfinite(Fy) || std::isnan(lambda)) return 0.0;
  // Cc and the elastic range come from the same modulus, so the curve meets itself at Cc.
  const double Cc = std::numbers::pi * std::sqrt(2 * kSteelModulus / Fy);
  const double q = lambda / Cc;
  const auto safety = [](double x) { return 1.67 + 0.375 * x - 0.125 * x * x * x; };  // 1.67, not 5/3
  double Fa;
  if (q > 1) {
    // Euler's stress with the factor of safety the inelastic range reaches at Cc (1.92).
    Fa = std::numbers::pi * std::numbers::pi * kSteelModulus / (safety(1) * lambda * lambda);
  } else {
    Fa = Fy * (1 - 0.5 * q * q) / safety(q);
  }
  if (lambda > 200) Fa = 0.01;
  return Fa;
}

WeldLimits FilletWeldLimits(double tThick, double tThin) {
  WeldLimits w;
  // Rounded to 6 decimals so that 0.8 - 0.1 is the 0.7 it stands for when compared with awMin.
  w.awMax = tThin <= 0.7 ? tThin : RoundTo(tThin - 0.1, 6);
  if (tThick < 0.7)
    w.awMin = 0.3;
  else if (tThick < 1.2)
    w.awMin = 0.5;
  else if (tThick < 2)
    w.awMin = 0.7;
  else
    w.awMin = 0.8;
  return w;
}

namespace {

// Allowable bending stress when lateral buckling governs (Lb >= Lc), with Cb = 1.
std::optional<double> LongBeamFb(double Lb, const SectionProperties& p, double fy) {
  constexpr double Cb = 1.0;
  std::optional<double> stepA;
  if (p.Af > 0) {
    const double byFlange = 840000 * Cb / (Lb * p.Depth / p.Af);
    stepA = std::isnan(byFlange) ? 0.6 * fy : VMin(byFlange, 0.6 * fy);
  }
  if (!(p.rt > 0)) return stepA;
  const double q = Lb / p.rt;
  if (q < std::sqrt(7200000 * Cb / fy)) return 0.6 * fy;
  double byRt;
  if (q < std::sqrt(36000000 * Cb / fy))
    byRt = (2.0 / 3.0 - fy * q * q / (107500000 * Cb)) * fy;
  else
    byRt = 12000000 * Cb / (q * q);
  return stepA ? VMax(byRt, *stepA) : byRt;
}

}  // namespace

void ComputeAllowables(const Section& section, MemberKind kind, double fy, CheckResults& r) {
  const CurrentSection& cs = section.cs;
  const SectionProperties& p = section.props;
  const double Lx = cs.Lx, Ly = cs.Ly;
  const double Lb = VMax(Lx, Ly);

  r.Fb.reset();
  r.Mmax.reset();
  if (kind != MemberKind::Bracing) {
    if (section.family != nullptr && !section.family->lateralBuckling) {
      // A tube does not buckle laterally: its class alone decides.
      r.Fb = (r.cls == "C" ? 0.66 : 0.6) * fy;
    } else if (r.Lc > 0) {
      if (Lb < r.Lc)
        r.Fb = (r.cls == "C" ? 0.66 : 0.6) * fy;
      else
        r.Fb = LongBeamFb(Lb, p, fy);
    }
  }
  if (r.Fb && !std::isfinite(*r.Fb)) r.Fb.reset();
  // A castellated beam bends and carries axial force through its openings, where it is weakest.
  const double S = p.S1net > 0 ? p.S1net : p.S1;
  const double A = p.Anet > 0 ? p.Anet : p.A;
  if (r.Fb) r.Mmax = RoundTo(S * *r.Fb / 100000, 2);

  r.lambda.reset();
  if (p.r1 > 0 && p.r2 > 0) r.lambda = VMax(Ly / p.r2, Lx / p.r1);

  r.Tmax = (r.lambda && *r.lambda < 300) ? RoundTo(0.6 * fy * A / 1000, 1) : 0.0;

  r.Fa.reset();
  r.Pmax = 0;
  if (Lx + Ly > 0 && r.lambda) {
    r.Fa = AllowableAxialStress(*r.lambda, fy);
    r.Pmax = RoundTo(*r.Fa * A / 1000, 1);
  }
  if (!std::isfinite(r.Tmax)) r.Tmax = 0;
  if (!std::isfinite(r.Pmax)) r.Pmax = 0;
  if (r.Mmax && !std::isfinite(*r.Mmax)) r.Mmax.reset();
}

}  // namespace tavo
