#include "checks/element_check.h"

#include "checks/check_member.h"
#include "checks/check_texts.h"

namespace tavo {

void NoteMissingLength(MemberInput& m) {
  // Columns and braces without a length are said by the member check itself (no compression
  // check); a beam's bending is still checked, as if braced along its whole span.
  if (m.Lx > 0 || HasError(m.diagnostics) || m.kind != MemberKind::Beam) return;
  AddDiagnosticPair(m.diagnostics, Severity::Warning, texts::kBeamWithoutLength, "L=");
}

MemberInput MemberOfElement(const ModuleContext& ctx, const Element& element, int index,
                            std::optional<MemberKind> kind, std::optional<double> lengthCm) {
  MemberInput m;
  m.kind = kind ? *kind : KindOfIndex(ctx, index);
  m.fy = ctx.fy;
  m.lengthFactor = ctx.dataUnitSystem.lengthFactor;
  m.id = element.id;
  m.diagnostics = ElementLineProblems(element.text, ctx.dataUnitSystem, !lengthCm, &m.Lx);
  if (lengthCm) m.Lx = *lengthCm;
  // Lengths and spacings read in units the user did not write, and an Fy that is not the user's,
  // leave no verdict for any element.
  AppendDiagnostics(m.diagnostics, ctx.dataUnitsDiagnostics);
  AppendDiagnostics(m.diagnostics, ctx.fyDiagnostics);
  NoteMissingLength(m);
  return m;
}

MemberInput MemberOfDesignation(const ModuleContext& ctx, MemberKind kind, double length, const UnitSystem& dataUnits) {
  MemberInput m;
  m.kind = kind;
  m.fy = ctx.fy;
  m.lengthFactor = dataUnits.lengthFactor;
  m.Lx = length > 0 ? LengthRatio(dataUnits).ToBase(length) : 0.0;
  m.diagnostics = ctx.fyDiagnostics;
  NoteMissingLength(m);
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
