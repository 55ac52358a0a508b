// Half profiles: two tees cut from an I profile and welded back with a web insert,
// "HPE300-400" (the profile, then the new height h' in mm).
#include "checks/compactness.h"
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"HPE", "HPE"}, {"HNP", "HNP"}, {"HPB", "HPB"}};

constexpr FamilyParameter kHeight{"h'", &CurrentSection::heightChange,
                                  [](const EditorState&) { return ParameterLimits{1, 0, 0}; }};

// The single profile's rows with h' before the length.
const FamilyParameter kRows[] = {kRolledIRows[0], kRolledIRows[1], kRolledIRows[2], kRolledIRows[3], kRolledIRows[4],
                                 kRolledIRows[5], kRolledIRows[6], kHeight,         kLengthRow};

}  // namespace

extern const SectionFamily kHalfProfileFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.halfProfile = true;
  f.parameters = kRows;
  return f;
}();

}  // namespace tavo
