#pragma once
// Allowable stresses and capacities in the allowable-stress manner with metric constants:
// stresses kg/cm², lengths cm, capacities ton and ton·m.
#include "checks/asd_equations.h"
#include "checks/check_results.h"
#include "core/member_kind.h"
#include "sections/section.h"

namespace tavo {

// Allowable axial stress for a slenderness lambda and a yield stress Fy (kg/cm²): continuous
// at Cc, never rising with lambda; 0.01 above 200, where no compression is allowed.
double AllowableAxialStress(double lambda, double Fy);

// Smallest and largest fillet weld (cm) joining parts of thickness tThick >= tThin (cm).
WeldLimits FilletWeldLimits(double tThick, double tThin);

// Fb, Mmax, lambda, Tmax, Fa and Pmax of a section whose class and Lc are already in results.
// Lengths come from section.cs.Lx and section.cs.Ly.
void ComputeAllowables(const Section& section, MemberKind kind, double fy, CheckResults& results);

}  // namespace tavo
