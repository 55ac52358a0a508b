#pragma once
// Hollow sections by the limit-state code: rectangular boxes (walls as stiffened elements) and
// round tubes. Each fills the result's classification and limit states of all six strengths.
#include "checks/aisc360.h"

namespace tavo::aisc {

void CheckBox(const Section& section, const MemberData& member, Result& result);
void CheckRound(const Section& section, const MemberData& member, Result& result);

}  // namespace tavo::aisc
