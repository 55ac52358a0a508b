#include "checks/check_member.h"

#include <cmath>

#include "checks/allowables.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "core/text_helpers.h"

namespace tavo {

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
  const double fy = (std::isfinite(member.fy) && member.fy > 0) ? member.fy : 2400.0;
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
  out.results.ok = !out.results.weld || out.results.weld->ok();
  if (!out.results.ok && out.results.notOkReason.empty())
    out.results.notOkReason = "The cover plates are too thick to be welded to the flange||"
                              "ورق‌های تقویتی برای جوش به بال بیش از حد ضخیم‌اند";
  out.diagnostics = section.diagnostics;
  AppendDiagnostics(out.diagnostics, member.diagnostics);
  // A member whose input was not read as written has no verdict to give.
  if (HasError(out.diagnostics)) out.results.ok = false;
  out.section = std::move(section);
  return out;
}

}  // namespace tavo
