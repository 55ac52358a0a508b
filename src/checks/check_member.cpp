#include "checks/check_member.h"

#include <cmath>

#include "checks/allowables.h"
#include "checks/asd_equations.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "core/language.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "sections/section_notes.h"
#include "checks/check_texts.h"

namespace tavo {

namespace {

// Adds one bilingual reason to a not-OK verdict.
void NotOk(CheckResults& r, const std::string& reason) {
  r.ok = false;
  r.notOkReason = JoinProblems(r.notOkReason, reason);
}

// A slenderness as the reason shows it, with enough decimals that it never reads as the limit.
std::string SlendernessText(double lambda, double limit) {
  for (const int digits : {1, 2, 3, 4})
    if (RoundTo(lambda, digits) != limit) return ShortestText(RoundTo(lambda, digits));
  return ShortestText(lambda);
}

// What each kind of member is checked for: a column in compression, a bracing in tension and,
// with a length, in compression, a beam in bending. A limit broken makes the member not OK; a
// check that cannot be made is said, so that no verdict rests on a check never made.
void JudgeMemberKind(const CurrentSection& cs, MemberKind kind, CheckResults& r, Diagnostics& notes) {
  const std::string subject = Trim(cs.FullText.empty() ? cs.designation : cs.FullText);
  if (kind == MemberKind::Beam) {
    if (!r.Fb)
      AddDiagnosticPair(notes, Severity::Warning, texts::kBendingNotChecked, subject);
    return;
  }
  if (!(cs.Lx > 0)) {
    AddDiagnosticPair(notes, Severity::Warning, texts::kNoMemberLength, "L=");
    return;
  }
  if (!r.lambda) {
    NotOk(r, texts::kSlendernessNotComputable);
    return;
  }
  const double lambda = *r.lambda;
  if (lambda > asd::kCompressionSlendernessLimit) {
    const std::string shown = SlendernessText(lambda, asd::kCompressionSlendernessLimit);
    NotOk(r, Fill(texts::kCompressionSlenderness, {{"value", shown}}));
  }
  if (kind == MemberKind::Bracing && lambda >= asd::kTensionSlendernessLimit) {
    const std::string shown = SlendernessText(lambda, asd::kTensionSlendernessLimit);
    NotOk(r, Fill(texts::kTensionSlenderness, {{"value", shown}}));
  }
}

// Under the limit-state code the verdict is its ratios' (its slenderness limits are advice, not
// rules); only the fabrication limit of the cover-plate weld is kept from today's rules.
void JudgeByLimitStates(const aisc::Result& a, CheckResults& r) {
  const bool weldOk = !r.weld || r.weld->ok();
  r.ok = weldOk;
  r.notOkReason = weldOk ? std::string() : std::string(texts::kCoverPlatesTooThick);
  if (!a.covered) {
    std::string reason;
    for (const Diagnostic& d : a.notes) reason = JoinProblems(reason, d.text);
    // Each half gets the reason in its own language.
    const std::string english = reason.empty() ? "-" : PickLanguage(reason, 'E');
    const std::string persian = reason.empty() ? "-" : PickLanguage(reason, 'F');
    NotOk(r, FillHalves(texts::kNotCoveredByCode, {{"reason", english}}).first + "||" +
                 FillHalves(texts::kNotCoveredByCode, {{"reason", persian}}).second);
  } else if (HasError(a.notes)) {
    for (const Diagnostic& d : a.notes)
      if (d.severity == Severity::Error) NotOk(r, d.text);
  } else if (a.governingRatio && *a.governingRatio > 1.0) {
    NotOk(r, Fill(texts::kRatioAboveOne, {{"ratio", ShortestText(RoundTo(*a.governingRatio, 3))},
                                          {"equation", a.governingEquation},
                                          {"combination", a.governingCombination}}));
  }
}

}  // namespace

std::optional<WeldLimits> CoverPlateWeld(const Section& section) {
  const CurrentSection& cs = section.cs;
  if (!HasCoverPlateWeld(section)) return std::nullopt;
  return FilletWeldLimits(VMax(cs.tf, cs.PlateThickness), VMin(cs.tf, cs.PlateThickness));
}

bool HasCoverPlateWeld(const Section& section) {
  // A single profile's plates are welded to its flanges; doubled profiles carry them across.
  const std::string& code = section.cs.family;
  const bool single = !code.empty() && (code[0] < '0' || code[0] > '9');
  return section.family != nullptr && section.family->coverPlateWeld && single &&
         section.cs.PlateWidth * section.cs.PlateThickness > 0;
}

bool ElementStatusOk(const Section& section) {
  const auto weld = CoverPlateWeld(section);
  return !weld || weld->ok();
}

CheckedMember CheckMember(Section section, const MemberInput& member) {
  CheckedMember out;
  out.member = member;
  // Out-of-range inputs fall back to the module's defaults rather than poisoning every number.
  const double fy = (std::isfinite(member.fy) && member.fy > 0) ? member.fy : kDefaultFy;
  const double lengthFactor =
      (std::isfinite(member.lengthFactor) && member.lengthFactor > 0) ? member.lengthFactor : 1.0;
  out.member.fy = fy;
  out.member.lengthFactor = lengthFactor;

  CurrentSection& cs = section.cs;
  const Compactness c = ClassifySection(section, fy);
  out.results.cls = c.cls;
  out.results.Lc = c.Lc;

  RebuildDesignationTexts(cs, section.family, lengthFactor);

  cs.Lx = (std::isfinite(member.Lx) && member.Lx > 0) ? member.Lx : 0.0;
  cs.Ly = cs.Lx;
  out.member.Lx = cs.Lx;
  ComputeAllowables(section, member.kind, fy, out.results);

  if (IsLimitStateCode(member.code)) {
    aisc::MemberData data;
    data.method = member.code == DesignCode::Aisc360Asd ? aisc::Method::ASD : aisc::Method::LRFD;
    data.fy = fy;
    data.fu = (std::isfinite(member.fu) && member.fu > 0) ? member.fu : kDefaultFu;
    data.L = cs.Lx;
    data.Lb = (std::isfinite(member.Lb) && member.Lb > 0) ? member.Lb : cs.Lx;
    data.Cb = (std::isfinite(member.Cb) && member.Cb > 0) ? member.Cb : 1.0;
    data.netArea = member.netArea;
    out.aisc = aisc::CheckAisc360(section, data);
    if (!member.demands.empty()) aisc::ApplyDemands(*out.aisc, section, data, member.demands);
  }

  out.results.weld = CoverPlateWeld(section);
  out.results.ok = true;
  out.results.notOkReason.clear();
  if (out.results.weld && !out.results.weld->ok())
    NotOk(out.results, texts::kCoverPlatesTooThick);
  Diagnostics checkNotes;
  JudgeMemberKind(cs, member.kind, out.results, checkNotes);
  if (out.aisc) JudgeByLimitStates(*out.aisc, out.results);
  out.diagnostics = section.diagnostics;
  AppendDiagnostics(out.diagnostics, member.diagnostics);
  AppendDiagnostics(out.diagnostics, checkNotes);
  // A member with no section to check has no verdict, whatever the reader had to say.
  if (!section.recognised && !HasError(out.diagnostics))
    AddDiagnosticPair(out.diagnostics, Severity::Error, texts::kNoSectionComputed, Trim(cs.designation));
  // A member whose input was not read as written has no verdict to give.
  if (HasError(out.diagnostics)) out.results.ok = false;
  out.section = std::move(section);
  return out;
}

}  // namespace tavo
