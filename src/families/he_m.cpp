// HE M: the heavy wide-flange series, 220 mm high at the nominal 200. Written IPBV20, HEM200 or "HE 200 M"; the
// catalogue keys its records by the nominal size, since the heights differ from it.
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"IPBV", "IPBV"}, {"HEM", "IPBV"}, {"HE", "IPBV", 'M'}};

}  // namespace

extern const SectionFamily kHeMFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.nominalKey = true;
  return f;
}();

}  // namespace tavo
