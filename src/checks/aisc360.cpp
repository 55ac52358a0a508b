#include "checks/aisc360.h"

#include <algorithm>

#include "checks/aisc360_angles.h"
#include "checks/aisc360_common.h"
#include "checks/aisc360_hollow.h"
#include "checks/aisc360_ishapes.h"
#include "checks/aisc360_shape.h"

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

Result CheckAisc360(const Section& section, const MemberData& member) {
  Result r;
  r.method = member.method;
  const Shape shape = ShapeOf(section);
  if (shape.kind == ShapeKind::NotCovered) {
    AddDiagnosticPair(r.notes, Severity::Warning, shape.reason);
    return r;
  }
  if (!(member.fy > 0)) {
    AddDiagnostic(r.notes, Severity::Warning, "Fy is not positive: the limit-state code cannot be applied",
                  "Fy مثبت نیست: آیین‌نامه حالات حدی به کار نمی‌رود", "Fy");
    return r;
  }
  switch (shape.kind) {
    case ShapeKind::Box: CheckBox(section, member, r); break;
    case ShapeKind::Round: CheckRound(section, member, r); break;
    case ShapeKind::SingleAngle: CheckSingleAngle(section, member, r); break;
    case ShapeKind::DoubleAngle: CheckDoubleAngle(section, member, r); break;
    case ShapeKind::Tee:
      if (shape.plateTee)
        CheckPlateTee(section, member, r);
      else
        CheckTee(section, member, r);
      break;
    case ShapeKind::Cross:
      AddTension(section.props.A, member, r);
      CheckCross(shape, section, member, r);
      break;
    default: {
      // Tension on the gross area; a castellated beam ruptures through an opening at the latest.
      MemberData tension = member;
      if (shape.castellated)
        tension.netArea = member.netArea && *member.netArea > 0 ? std::min(*member.netArea, section.props.Anet)
                                                                : section.props.Anet;
      AddTension(section.props.A, tension, r);
      CheckIShape(shape, member, r);
      if (shape.negativeMoment) AddNegativeMomentFlexure(NegativeMomentShape(section), member, r);
      break;
    }
  }
  if (!r.covered && r.notes.empty())
    AddDiagnostic(r.notes, Severity::Warning, "The limit-state check of this kind of section is not available",
                  "کنترل حالات حدی این نوع مقطع در دسترس نیست");
  MarkGoverning(r);
  return r;
}

}  // namespace tavo::aisc
