#include "checks/aisc360.h"

namespace tavo::aisc {

const char* ElementClassName(ElementClass c) {
  switch (c) {
    case ElementClass::Nonslender: return "nonslender";
    case ElementClass::Slender: return "slender";
    case ElementClass::Compact: return "compact";
    case ElementClass::Noncompact: return "noncompact";
    case ElementClass::NotApplicable: break;
  }
  return "";
}

// Placeholder until the chapters are written: nothing is covered.
Result CheckAisc360(const Section&, const MemberData& member) {
  Result r;
  r.method = member.method;
  return r;
}

}  // namespace tavo::aisc
