#pragma once
// I-shaped members, channels, profiles side by side and crosses by the limit-state code:
// classification (Table B4.1), tension (D2), compression (E3, E4, E6, E7), flexure about both
// axes (F2 to F6) and shear both ways (G2, G6). Each fills the result's classification and
// limit states of all six strengths and leaves MarkGoverning to the caller.
#include "checks/aisc360.h"
#include "checks/aisc360_shape.h"

namespace tavo::aisc {

// Doubly and singly symmetric I shapes, channels and built-up members of I profiles or channels.
void CheckIShape(const Shape& shape, const MemberData& member, Result& result);
// Two welded I sections crossing at their webs.
void CheckCross(const Shape& shape, const Section& section, const MemberData& member, Result& result);

// (Table B4.1 note [a]) kc = 4/sqrt(h/tw), kept within 0.35 and 0.76.
double FlangeKc(double h, double tw);

}  // namespace tavo::aisc
