#include "engine/section_engine.h"

#include <algorithm>

#include "checks/check_member.h"
#include "checks/element_check.h"
#include "core/design_code.h"
#include "core/files.h"
#include "core/text_util.h"
#include "families/family_table.h"
#include "output/section_report.h"

namespace tavo {

std::optional<MemberKind> MemberKindOfName(std::string_view name) {
  for (const MemberKind kind : {MemberKind::Column, MemberKind::Beam, MemberKind::Bracing})
    if (name == KindName(kind)) return kind;
  return std::nullopt;
}

int IndexOfElementId(const std::vector<Element>& elements, int id) {
  const auto it = std::find_if(elements.begin(), elements.end(), [id](const Element& e) { return e.id == id; });
  return it == elements.end() ? 0 : static_cast<int>(it - elements.begin()) + 1;
}

SectionEngine::SectionEngine(ModuleContext& ctx)
    : ctx_(ctx), catalogue_(std::make_unique<ProfileCatalogue>(ctx.installDir + "cte/")) {
  Refresh();
}

void SectionEngine::Refresh() {
  input_.catalogue = catalogue_.get();
  input_.dataUnits = ctx_.dataUnitSystem;
  input_.messages = ctx_.messages;
  input_.language = ctx_.language;
  input_.families = StandardFamilies();
}

void SectionEngine::UseDataUnits(const UnitSystem& units) { input_.dataUnits = units; }

void SectionEngine::ResolveFy(std::optional<double> givenKgCm2, DesignConstants* inputConstants) const {
  // Without an input the settings file is read afresh, in its own units.
  DesignConstants settingsOnly;
  tavo::ResolveFy(inputConstants ? *inputConstants : settingsOnly, ctx_, givenKgCm2);
}

void SectionEngine::ResolveConstants(const GivenConstants& given, DesignConstants* inputConstants) const {
  DesignConstants settingsOnly;
  tavo::ResolveConstants(inputConstants ? *inputConstants : settingsOnly, ctx_, given);
}

bool SectionEngine::LoadForces(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    forces_ = {};
    return false;
  }
  forces_ = ReadForcesFile(file, ctx_.dataUnitSystem);
  return true;
}

bool SectionEngine::LoadForcesBeside(const std::string& inputFile) {
  return LoadForces(ForcesFileFor(SuitePath(inputFile)));
}

Section SectionEngine::Compute(const std::string& designation) const { return ComputeSection(designation, input_); }

Section SectionEngine::ComputeQuietly(const std::string& designation) const {
  SectionInput quiet = input_;
  quiet.messages = nullptr;
  return ComputeSection(designation, quiet);
}

MemberInput SectionEngine::MemberOf(const Element& element, int index, std::optional<MemberKind> kind,
                                    std::optional<double> lengthCm) const {
  MemberInput member = MemberOfElement(ctx_, element, index, kind, lengthCm);
  member.code = ctx_.code;
  member.fu = ctx_.fu;
  if (const auto it = forces_.byId.find(element.id); it != forces_.byId.end()) member.demands = it->second;
  // Rows of this element the forces file could not give: it is not judged on the rest alone.
  // Today's rules read no forces, so they are not held up by them.
  if (const auto it = forces_.notesById.find(element.id); IsLimitStateCode(ctx_.code) && it != forces_.notesById.end())
    AppendDiagnostics(member.diagnostics, it->second);
  return member;
}

MemberInput SectionEngine::MemberOfDesignation(MemberKind kind, double length) const {
  MemberInput member = tavo::MemberOfDesignation(ctx_, kind, length, input_.dataUnits);
  member.code = ctx_.code;
  member.fu = ctx_.fu;
  return member;
}

CheckedMember SectionEngine::Check(Section section, MemberInput member) const {
  return CheckMember(std::move(section), std::move(member));
}

CheckedMember SectionEngine::CheckElement(const Element& element, int index) const {
  return Check(Compute(DesignationOfElement(element.text)), MemberOf(element, index));
}

MemberInput SectionEngine::WithFyInForce(MemberInput member) const {
  member.fy = ctx_.fy;
  // What was said about an earlier Fy goes; what is said about this one comes.
  auto& list = member.diagnostics;
  // Fu's are said with Fy's, and go and come with them.
  list.erase(std::remove_if(list.begin(), list.end(),
                            [](const Diagnostic& d) {
                              const std::string s = ToLower(d.subject);
                              return StartsWith(s, "fy") || StartsWith(s, "fu");
                            }),
             list.end());
  AppendDiagnostics(list, ctx_.fyDiagnostics);
  return member;
}

CheckedMember SectionEngine::Recheck(Section section, MemberInput member) const {
  return Check(std::move(section), WithFyInForce(std::move(member)));
}

CheckedMember SectionEngine::RecheckElement(const Element& element, int index) const {
  return Recheck(Compute(DesignationOfElement(element.text)), MemberOf(element, index));
}

const ResourceStore* SectionEngine::OpenFormulas(const std::filesystem::path& developerRoot, std::string* error) {
  // Opened once: reports keep a pointer to it for the whole run.
  if (!formulasOpened_) formulas_ = OpenResourceStore(ctx_, ResourceKind::Formulas, developerRoot, error);
  formulasOpened_ = true;
  return formulas_.get();
}

Report SectionEngine::MakeReport(const CheckedMember& member) const {
  Report report(ctx_, formulas_.get());
  WriteSectionReport(report, member);
  return report;
}

}  // namespace tavo
