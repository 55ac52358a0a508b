#include "ui/section_engine.h"

#include <algorithm>

#include "checks/check_member.h"
#include "checks/element_check.h"
#include "core/text_util.h"
#include "families/family_table.h"

namespace tavo::ui {

SectionEngine::SectionEngine(ModuleContext& ctx)
    : ctx_(ctx),
      catalogue_(std::make_unique<ProfileCatalogue>(ctx.installDir + "cte/")),
      // Opened once: reports keep a pointer to it for the whole run.
      formulas_(OpenResourceStore(ctx, ResourceKind::Formulas)) {
  Refresh();
}

void SectionEngine::Refresh() {
  input_.catalogue = catalogue_.get();
  input_.dataUnits = ctx_.dataUnitSystem;
  input_.messages = ctx_.messages;
  input_.language = ctx_.language;
  input_.families = StandardFamilies();
}

Section SectionEngine::Compute(const std::string& designation) const { return ComputeSection(designation, input_); }

Section SectionEngine::ComputeQuietly(const std::string& designation) const {
  SectionInput quiet = input_;
  quiet.messages = nullptr;
  return ComputeSection(designation, quiet);
}

MemberInput SectionEngine::WithFyInForce(MemberInput member) const {
  member.fy = ctx_.fy;
  // What was said about an earlier Fy goes; what is said about this one comes.
  auto& list = member.diagnostics;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [](const Diagnostic& d) { return StartsWith(ToLower(d.subject), "fy"); }),
             list.end());
  AppendDiagnostics(list, ctx_.fyDiagnostics);
  return member;
}

CheckedMember SectionEngine::Check(Section section, MemberInput member) const {
  return CheckMember(std::move(section), WithFyInForce(std::move(member)));
}

CheckedMember SectionEngine::CheckElement(const Element& element, int index) const {
  return Check(Compute(DesignationOfElement(element.text)), MemberOf(element, index));
}

MemberInput SectionEngine::MemberOf(const Element& element, int index) const {
  return MemberOfElement(ctx_, element, index);
}

}  // namespace tavo::ui
