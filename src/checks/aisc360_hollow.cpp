#include "checks/aisc360_hollow.h"

namespace tavo::aisc {

// Placeholders until the chapters for hollow sections are written.
void CheckBox(const Section&, const MemberData&, Result&) {}
void CheckRound(const Section&, const MemberData&, Result&) {}

}  // namespace tavo::aisc
