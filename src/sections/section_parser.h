#pragma once
// From a designation text to a complete section: family, dimensions, catalogue record,
// assembly of doubled/tripled profiles and plates, and every property of SectionProperties.
#include <string>
#include <string_view>

#include "core/units.h"
#include "sections/section.h"
#include "sections/section_family.h"

namespace tavo {

class ProfileCatalogue;
class Messages;

struct SectionInput {
  const ProfileCatalogue* catalogue = nullptr;
  UnitSystem dataUnits;          // spacings ("d=", "e=", "D=", "DPL=") are in its length unit
  Messages* messages = nullptr;  // where catalogue problems are reported (may be null)
  char language = 'E';
  std::string flags;             // may hold "ALONE" (no plates) and/or "SINGLE" (no doubling)
  FamilyTable families;          // the families a designation may name (StandardFamilies())
};

// The element line without its ID, upper-cased, leading blanks trimmed.
std::string DesignationOfElement(std::string_view elementText);

// Reads the designation (without the ID): family, dimensions, Count, Arrangement, BaseText and,
// for rolled families, the catalogue record and its assembly (A, I1, I2, S1, S2, r1, r2, rt,
// Depth, Width, ...). Parametric families get their dimensions only. Plates start at 0.
Section ParseSectionDesignation(std::string_view designation, const SectionInput& input);

// The properties the parser leaves to the member check: the parametric property formulas, or
// the complement of a rolled family (shear areas, torsion, plastic moduli, Af, Depth, Width).
// Does nothing for a section that is not usable.
void CompleteSectionProperties(Section& section);

// ParseSectionDesignation followed by CompleteSectionProperties; every number finite. Problems
// with a catalogue file go to input.messages once per family and run; all problems are in
// Section::problem.
Section ComputeSection(std::string_view designation, const SectionInput& input);

}  // namespace tavo
