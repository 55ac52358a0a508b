#pragma once
// The section families the program knows, in the order the designation reader tries their
// names and the error message lists them. A new family is one file in this folder and one
// row of the table in family_table.cpp.
#include "sections/section_family.h"

namespace tavo {

// Every family, in table order.
FamilyTable StandardFamilies();

// The family of a key or catalogue code ("PG", "IPE", "2IPE"); null when none.
const SectionFamily* StandardFamily(std::string_view code);

extern const SectionFamily kPlateGirderFamily;
extern const SectionFamily kCrossFamily;
extern const SectionFamily kBoxFamily;
extern const SectionFamily kTubeFamily;
extern const SectionFamily kAngleFamily;
extern const SectionFamily kChannelFamily;
extern const SectionFamily kRolledIFamily;
extern const SectionFamily kHalfProfileFamily;
extern const SectionFamily kCastellatedFamily;
extern const SectionFamily kHeAFamily;
extern const SectionFamily kHeMFamily;

}  // namespace tavo
