#include "families/family_table.h"

#include <array>

namespace tavo {

namespace {

// Parametric families first, then the catalogue families; a designation's name is matched
// against all of them, the longest name first.
constexpr std::array kFamilies = {&kPlateGirderFamily, &kCrossFamily,       &kBoxFamily,
                                  &kTubeFamily,        &kAngleFamily,       &kChannelFamily,
                                  &kRolledIFamily,     &kHalfProfileFamily, &kCastellatedFamily,
                                  &kHeAFamily,         &kHeMFamily};

}  // namespace

FamilyTable StandardFamilies() { return kFamilies; }

const SectionFamily* StandardFamily(std::string_view code) { return FamilyOfCode(StandardFamilies(), code); }

}  // namespace tavo
