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
// The M3 limit states of a singly symmetric girder under negative moment (`flipped`, flange 1 in
// compression), added beside those of positive moment: M3 is then the lesser of both signs.
void AddNegativeMomentFlexure(const Shape& flipped, const MemberData& member, Result& result);
// Two welded I sections crossing at their webs.
void CheckCross(const Shape& shape, const Section& section, const MemberData& member, Result& result);

// (Table B4.1 note [a]) kc = 4/sqrt(h/tw), kept within 0.35 and 0.76.
double FlangeKc(double h, double tw);

}  // namespace tavo::aisc
