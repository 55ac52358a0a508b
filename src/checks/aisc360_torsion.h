#pragma once
// Torsional strength of hollow sections by the limit-state code (H3.1): round tubes and
// rectangular boxes, Tn = Fcr C. Units: kg, cm, kg/cm², kg·cm.
#include <optional>

#include "checks/aisc360.h"

namespace tavo::aisc {

// (H3-1) The nominal torsional strength from the critical stress and the torsional constant.
double TorsionalStrength(double fcr, double torsionalConstant);

// H3.1(a): the torsional constant of a round tube, C = 2J/D = π (D⁴ − (D − 2t)⁴) / (16 D).
double RoundTorsionalConstant(double D, double t);
// (H3-2a) Torsional buckling of a round tube of length L.
double RoundTorsionBucklingLong(double D, double t, double L);
// (H3-2b) Torsional buckling of a round tube, whatever its length.
double RoundTorsionBucklingShort(double D, double t);

// H3.1(b): the torsional constant of a rectangular tube, C = 2 (B − t)(H − t) t − 4.5 (4 − π) t³.
double RectangularTorsionalConstant(double B, double H, double t);
// (H3-3) yielding, (H3-4) inelastic and (H3-5) elastic buckling of a wall of slenderness h/t.
double RectangularTorsionYielding(double fy);
double RectangularTorsionInelastic(double fy, double hOverT);
double RectangularTorsionElastic(double hOverT);

// The critical stress with the equation that gave it.
struct TorsionCriticalStress {
  double fcr = 0;
  const char* equation = "";
};
// The larger of (H3-2a) and (H3-2b), at most 0.6 Fy; L ≤ 0 (length unknown): (H3-2b) alone.
TorsionCriticalStress RoundTorsionCriticalStress(double D, double t, double L, double fy);
// (H3-3) to (H3-5) by the wall's h/t.
TorsionCriticalStress RectangularTorsionCriticalStress(double hOverT, double fy);

// Whether the code gives this section a torsional strength (round and rectangular tubes).
bool HasTorsionalStrength(const Section& section);

// The torsion limit state of a tube or a box for the member; nothing for any other section.
// What was assumed is said in notes.
std::optional<LimitState> TorsionLimitState(const Section& section, const MemberData& member, Diagnostics& notes);

}  // namespace tavo::aisc
