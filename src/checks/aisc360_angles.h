#pragma once
// Angles and tees by the limit-state code: single angles, two angles back to back, and tees
// (half profiles). Each fills the result's classification and limit states of all six strengths.
#include "checks/aisc360.h"

namespace tavo::aisc {

void CheckSingleAngle(const Section& section, const MemberData& member, Result& result);
void CheckDoubleAngle(const Section& section, const MemberData& member, Result& result);
void CheckTee(const Section& section, const MemberData& member, Result& result);
// A tee welded of a flange and a web plate: a plate girder written without its second flange
// (flange 1 and the web; the web's free edge is its tip).
void CheckPlateTee(const Section& section, const MemberData& member, Result& result);

}  // namespace tavo::aisc
