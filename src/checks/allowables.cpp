#include "checks/allowables.h"

#include "sections/section_family.h"

#include <cmath>
#include <string>

#include "core/text_helpers.h"
#include "core/units.h"

namespace tavo {

double AllowableAxialStress(double lambda, double Fy) {
  if (!(Fy > 0) || !std::isfinite(Fy) || std::isnan(lambda)) return 0.0;
  // Cc and the elastic range come from the same modulus, so the curve meets itself at Cc.
  const double q = lambda / asd::ColumnSlendernessCc(Fy);
  double Fa = q > 1 ? asd::ElasticColumnStress(lambda) : asd::InelasticColumnStress(Fy, q);
  if (lambda > asd::kCompressionSlendernessLimit) Fa = asd::kNoCompressionStress;
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
    const double byFlange = asd::FlangeLateralBucklingStress(Lb, p.Depth, p.Af, Cb);
    stepA = std::isnan(byFlange) ? asd::NoncompactBendingStress(fy) : VMin(byFlange, asd::NoncompactBendingStress(fy));
  }
  if (!(p.rt > 0)) return stepA;
  const double q = Lb / p.rt;
  if (q < asd::LateralBucklingLowerRatio(fy, Cb)) return asd::NoncompactBendingStress(fy);
  double byRt;
  if (q < asd::LateralBucklingUpperRatio(fy, Cb))
    byRt = asd::InelasticLateralBucklingStress(q, fy, Cb);
  else
    byRt = asd::ElasticLateralBucklingStress(q, Cb);
  return stepA ? VMax(byRt, *stepA) : byRt;
}

// Fb of a section braced within Lc, and of a tube at any length: its class alone decides.
double ClassBendingStress(const std::string& cls, double fy) {
  return cls == "C" ? asd::CompactBendingStress(fy) : asd::NoncompactBendingStress(fy);
}

// Capacities in ton and ton·m from stresses in kg/cm², areas cm² and moduli cm³.
double ForceInTon(double stress, double area) { return stress * area / 1000; }
double MomentInTonM(double modulus, double stress) { return modulus * stress / 100000; }

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
      r.Fb = ClassBendingStress(r.cls, fy);
    } else if (r.Lc > 0) {
      if (Lb < r.Lc)
        r.Fb = ClassBendingStress(r.cls, fy);
      else
        r.Fb = LongBeamFb(Lb, p, fy);
    }
  }
  if (r.Fb && !std::isfinite(*r.Fb)) r.Fb.reset();
  // A castellated beam bends and carries axial force through its openings, where it is weakest.
  const double S = p.S1net > 0 ? p.S1net : p.S1;
  const double A = p.Anet > 0 ? p.Anet : p.A;
  if (r.Fb) r.Mmax = RoundTo(MomentInTonM(S, *r.Fb), 2);

  r.lambda.reset();
  if (p.r1 > 0 && p.r2 > 0) r.lambda = VMax(Ly / p.r2, Lx / p.r1);

  r.Tmax = (r.lambda && *r.lambda < asd::kTensionSlendernessLimit) ? RoundTo(ForceInTon(asd::TensileStress(fy), A), 1)
                                                                   : 0.0;

  r.Fa.reset();
  r.Pmax = 0;
  if (Lx + Ly > 0 && r.lambda) {
    r.Fa = AllowableAxialStress(*r.lambda, fy);
    r.Pmax = RoundTo(ForceInTon(*r.Fa, A), 1);
  }
  if (!std::isfinite(r.Tmax)) r.Tmax = 0;
  if (!std::isfinite(r.Pmax)) r.Pmax = 0;
  if (r.Mmax && !std::isfinite(*r.Mmax)) r.Mmax.reset();
}

}  // namespace tavo
