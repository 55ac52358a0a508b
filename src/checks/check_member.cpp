#include "checks/check_member.h"

#include <cmath>

#include "checks/allowables.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"
#include "sections/section_notes.h"

namespace tavo {

namespace {

constexpr double kCompressionLimit = 200;  // KL/r a member in compression may have
constexpr double kTensionLimit = 300;      // L/r below which a member in tension is allowed

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
      AddDiagnostic(notes, Severity::Warning, "Bending not checked: no allowable bending stress is defined for this section",
                    "خمش کنترل نشد: برای این مقطع تنش مجاز خمشی تعریف نشده است", subject);
    return;
  }
  if (!(cs.Lx > 0)) {
    AddDiagnostic(notes, Severity::Warning, "No member length (L=) given: slenderness and compression not checked",
                  "طول عضو (L=) داده نشده است: لاغری و فشار کنترل نشد", "L=");
    return;
  }
  if (!r.lambda) {
    NotOk(r, "Slenderness not computable: a radius of gyration is zero||"
             "لاغری قابل محاسبه نیست: شعاع ژیراسیون صفر است");
    return;
  }
  const double lambda = *r.lambda;
  if (lambda > kCompressionLimit) {
    const std::string shown = SlendernessText(lambda, kCompressionLimit);
    NotOk(r, "KL/r = " + shown + ": a member in compression needs KL/r of at most 200||KL/r = " + shown +
                 ": عضو فشاری باید KL/r حداکثر 200 داشته باشد");
  }
  if (kind == MemberKind::Bracing && lambda >= kTensionLimit) {
    const std::string shown = SlendernessText(lambda, kTensionLimit);
    NotOk(r, "L/r = " + shown + ": a member in tension needs L/r below 300||L/r = " + shown +
                 ": عضو کششی باید L/r کمتر از 300 داشته باشد");
  }
}

}  // namespace

std::optional<WeldLimits> CoverPlateWeld(const CurrentSection& cs) {
  if (FamilyOf(cs.family) != CheckFamily::Rolled) return std::nullopt;
  const std::string& code = cs.family;
  if (code.size() != 3 || (code[0] != 'H' && code[0] != 'C' && code[0] != 'I')) return std::nullopt;
  if (!(cs.PlateWidth * cs.PlateThickness > 0)) return std::nullopt;
  return FilletWeldLimits(VMax(cs.tf, cs.PlateThickness), VMin(cs.tf, cs.PlateThickness));
}

bool ElementStatusOk(const CurrentSection& cs) {
  const auto weld = CoverPlateWeld(cs);
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
  const CheckFamily family = FamilyOf(cs.family);

  const Compactness c = ClassifySection(section, family, fy);
  out.results.cls = c.cls;
  out.results.Lc = c.Lc;

  RebuildDesignationTexts(cs, family, lengthFactor);

  cs.Lx = (std::isfinite(member.Lx) && member.Lx > 0) ? member.Lx : 0.0;
  cs.Ly = cs.Lx;
  out.member.Lx = cs.Lx;
  ComputeAllowables(section, member.kind, fy, out.results);

  out.results.weld = CoverPlateWeld(cs);
  out.results.ok = true;
  out.results.notOkReason.clear();
  if (out.results.weld && !out.results.weld->ok())
    NotOk(out.results, "The cover plates are too thick to be welded to the flange||"
                       "ورق‌های تقویتی برای جوش به بال بیش از حد ضخیم‌اند");
  Diagnostics checkNotes;
  JudgeMemberKind(cs, member.kind, out.results, checkNotes);
  out.diagnostics = section.diagnostics;
  AppendDiagnostics(out.diagnostics, member.diagnostics);
  AppendDiagnostics(out.diagnostics, checkNotes);
  // A member whose input was not read as written has no verdict to give.
  if (HasError(out.diagnostics)) out.results.ok = false;
  out.section = std::move(section);
  return out;
}

}  // namespace tavo
