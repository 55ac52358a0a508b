// HE A: the light wide-flange series, 190 mm high at the nominal 200. Written IPBL20, HEA200 or "HE 200 A"; the
// catalogue keys its records by the nominal size, since the heights differ from it.
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"IPBL", "IPBL"}, {"HEA", "IPBL"}, {"HE", "IPBL", 'A'}};

}  // namespace

extern const SectionFamily kHeAFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.nominalKey = true;
  return f;
}();

}  // namespace tavo
