#pragma once
// Pieces every chapter of the limit-state code uses: resistance and safety factors, the
// column curve, the effective width of slender elements, and a limit state made from its
// nominal strength. Units: kg, cm, kg/cm².
#include <string_view>

#include "checks/aisc360.h"

namespace tavo::aisc {

// φ for LRFD and Ω for ASD of one kind of limit state.
struct Factors {
  double phi = 0.9, omega = 1.67;
};
inline constexpr Factors kCompressionFactors{0.90, 1.67};     // E1
inline constexpr Factors kTensionYieldFactors{0.90, 1.67};    // D2(a)
inline constexpr Factors kTensionRuptureFactors{0.75, 2.00};  // D2(b)
inline constexpr Factors kFlexureFactors{0.90, 1.67};         // F1
inline constexpr Factors kShearFactors{0.90, 1.67};           // G1
inline constexpr Factors kRolledWebShearFactors{1.00, 1.50};  // G2.1(a)
inline constexpr Factors kTorsionFactors{0.90, 1.67};         // H3.1

// φRn (LRFD) or Rn/Ω (ASD).
double AvailableStrength(double nominal, Factors f, Method method);

// A limit state with its available strength worked out for the method.
LimitState MakeLimitState(Strength strength, std::string_view clause, std::string_view equation,
                          std::string_view name, double nominal, Factors f, Method method);

// (E3-4) The elastic buckling stress at a slenderness Lc/r; 0 slenderness gives infinity.
double EulerStress(double slenderness);
// (E3-2), (E3-3) The critical stress from Fy and the elastic buckling stress Fe.
double CriticalStress(double fy, double fe);

// Table E7.1: the adjustment factors c1, c2 of a slender element.
struct EffectiveWidthFactors {
  double c1 = 0.18, c2 = 1.31;
};
inline constexpr EffectiveWidthFactors kStiffenedExceptWalls{0.18, 1.31};  // case (a)
inline constexpr EffectiveWidthFactors kSquareRectangularWalls{0.20, 1.38};  // case (b)
inline constexpr EffectiveWidthFactors kOtherElements{0.22, 1.49};  // case (c)

// (E7-2), (E7-3) The effective width of an element of width b and slenderness lambda with limit
// lambdaR, at the critical stress fcr of the member (Fy in the limit).
double EffectiveWidth(double b, double lambda, double lambdaR, double fy, double fcr, EffectiveWidthFactors c);

// (E7-5) Round hollow sections: the effective area at a diameter-to-thickness ratio.
double RoundEffectiveArea(double ag, double dOverT, double fy);

// (D2-1), (D2-2) Tensile yielding on the gross area and rupture on the net area, where
// Ae = An (U = 1); without a net area An = Ag, and a note says so.
void AddTension(double grossArea, const MemberData& member, Result& result);

// Sets `governing` on the least available limit state of each strength (ties: the first) and
// fills result.available from them.
void MarkGoverning(Result& result);

}  // namespace tavo::aisc
