#include "checks/element_check.h"

#include "checks/check_member.h"

namespace tavo {

MemberInput MemberOfElement(const ModuleContext& ctx, const Element& element, int index) {
  MemberInput m;
  m.kind = KindOfIndex(ctx, index);
  m.Lx = MemberLength(element.text, ctx.dataUnitSystem);
  m.fy = ctx.fy;
  m.lengthFactor = static_cast<double>(ctx.dataUnitSystem.lengthFactor);
  m.id = element.id;
  return m;
}

CheckedMember CheckElement(const ModuleContext& ctx, const SectionInput& input, const Element& element, int index) {
  return CheckMember(ComputeSection(DesignationOfElement(element.text), input),
                     MemberOfElement(ctx, element, index));
}

ElementSummary Summarise(const CheckedMember& m) {
  ElementSummary s;
  const CheckResults& r = m.results;
  s.Lc = r.Lc;
  s.Tmax = r.Tmax;
  s.Pmax = r.Pmax;
  s.Fb = r.Fb;
  s.Mmax = r.Mmax;
  s.Fa = r.Fa;
  s.cls = r.cls.empty() ? '\0' : r.cls[0];
  s.checked = true;
  s.recognised = m.section.recognised && m.section.usable;
  s.ok = r.ok;
  s.error = m.Status() == ElementStatus::Error;
  s.diagnostics = m.diagnostics;
  return s;
}

ElementCheckFn MakeElementCheck(const ModuleContext& ctx, const SectionInput& input, CheckedMemberFn onChecked) {
  return [&ctx, &input, onChecked = std::move(onChecked)](int index, const Element& element) {
    const CheckedMember m = CheckElement(ctx, input, element, index);
    if (onChecked) onChecked(index, m);
    return Summarise(m);
  };
}

}  // namespace tavo
