#pragma once
// A checked member: the section, what it is used as, and its allowable stresses and
// capacities (kg/cm², ton, ton·m). Values the rules do not define are absent, not stale.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checks/aisc360.h"
#include "core/demands.h"
#include "core/design_code.h"
#include "core/diagnostics.h"
#include "core/design_defaults.h"
#include "core/member_kind.h"
#include "sections/section.h"

namespace tavo {

struct MemberInput {
  MemberKind kind = MemberKind::Column;
  double Lx = 0;              // member length, cm
  double fy = kDefaultFy;     // kg/cm²
  double lengthFactor = 1.0;  // cm per data length unit, for spacing texts in designations
  int16_t id = 0;
  Diagnostics diagnostics;    // what reading the element's line, length and Fy had to say
  // The limit-state code's inputs; today's rules read none of them.
  DesignCode code = DesignCode::Asd89;
  double fu = kDefaultFu;       // kg/cm²
  double Lb = 0;                      // unbraced length of the compression flange, cm; 0: Lx
  double Cb = 1.0;
  std::optional<double> netArea;      // cm²; absent: the gross area
  std::vector<Demand> demands;        // the element's forces, one per load combination
};

struct WeldLimits {
  double awMin = 0, awMax = 0;  // cm
  bool ok() const { return awMin < awMax; }
};

struct CheckResults {
  std::string cls;  // "C", "N", "S"; empty for angles
  double Lc = 0;    // cm; 0 where no rule defines it
  std::optional<double> Fb;
  std::optional<double> Mmax;    // rounded to 2 decimals
  double Tmax = 0;               // rounded to 1 decimal
  std::optional<double> lambda;  // absent when a radius of gyration is zero
  std::optional<double> Fa;
  double Pmax = 0;                 // rounded to 1 decimal
  std::optional<WeldLimits> weld;  // rolled profiles with cover plates
  bool ok = true;                  // false when a limit is broken (slenderness, cover-plate weld) or on an error
  std::string notOkReason;         // bilingual: why the member is not OK; empty when it is
};

struct CheckedMember {
  Section section;
  MemberInput member;
  CheckResults results;
  std::optional<aisc::Result> aisc;  // checked by the limit-state code too when the run asks for it
  Diagnostics diagnostics;  // the section's, the member input's and the check's, in that order

  ElementStatus Status() const {
    if (HasError(diagnostics)) return ElementStatus::Error;
    return results.ok ? ElementStatus::Ok : ElementStatus::NotOk;
  }
};

}  // namespace tavo
