#pragma once
// The canonical designation texts of a checked section, rebuilt from its stored dimensions:
// the base text of parametric shapes and the full text with plate, web-plate and spacing parts.
#include <string>

#include <initializer_list>

#include "sections/section.h"
#include "sections/section_family.h"

namespace tavo {

double Round2(double v);
// "Exceeds" for spacings: a rounded spacing one ulp above an unrounded threshold built from the
// same catalogue numbers is the default spacing, not a chosen one.
bool Exceeds(double value, double threshold);
// A value read from the designation that is not the default it replaces: they differ by more
// than the noise of the arithmetic that made them (1e-12 relative). Written back, it must be
// written in full, since the default would change the section.
bool Departs(double value, double defaultValue);
// A length in cm written in the input's length unit, to 7 significant digits.
std::string InputLengthText(double cm, double lengthFactor);
// The base text without arrangement marks (they are written once at the end of the full text).
std::string WithoutArrangement(std::string base);
// Dimensions in cm written in mm, joined by "*".
std::string Joined(std::initializer_list<double> cms);

// "+PL" (a single channel or angle: a gusset) or "+2PL" with width*thickness; empty without a plate.
std::string CoverPlateText(const CurrentSection& cs, bool single);
// "  (d=...)" in the input's length unit when shown, else empty.
std::string SpacingPart(bool shown, const CurrentSection& cs, double lengthFactor);
// "+WPL" height*thickness, two blanks and "(DPL=...)" when the plates are off their default place.
std::string WebPlateText(const CurrentSection& cs);
// The web-plate distance (cm) as the reader takes it back: metres below 1, centimetres, and
// millimetres when the centimetres would read 100 or more (those are millimetres to the reader).
std::string WebPlateDistanceText(double cm);

// Rebuilds BaseText (parametric shapes) and FullText (every family) in place, by the family's rule.
void RebuildDesignationTexts(CurrentSection& cs, const SectionFamily* family, double lengthFactor);

}  // namespace tavo
