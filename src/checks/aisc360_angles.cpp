#include "checks/aisc360_angles.h"

namespace tavo::aisc {

// Placeholders until the chapters for angles and tees are written.
void CheckSingleAngle(const Section&, const MemberData&, Result&) {}
void CheckDoubleAngle(const Section&, const MemberData&, Result&) {}
void CheckTee(const Section&, const MemberData&, Result&) {}

}  // namespace tavo::aisc
