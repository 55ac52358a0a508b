#pragma once
// The canonical designation texts of a checked section, rebuilt from its stored dimensions:
// the base text of parametric shapes and the full text with plate, web-plate and spacing parts.
#include <string>

#include "checks/check_family.h"
#include "sections/section.h"

namespace tavo {

// Shortest decimal text of a value after clearing binary noise below 15 significant digits,
// so 0.09 cm shows as 0.9 mm and never as 0.8999999999999999.
std::string NumberText(double value);
// A dimension held in cm written in mm (value × 10).
std::string DimensionText(double cm);

// "+PL" (channels, angles) or "+2PL" (other rolled) with width*thickness; empty without a plate.
std::string CoverPlateText(const CurrentSection& cs, CheckFamily family);
// The spacing part of a BOX, angle, channel or other rolled section; empty when not shown.
std::string SpacingText(const CurrentSection& cs, CheckFamily family, double lengthFactor);
// "+WPL" height*thickness, two blanks and "(DPL=...)" (cm) when the plates are off their default place.
std::string WebPlateText(const CurrentSection& cs);

// Rebuilds BaseText (parametric shapes) and FullText (every family) in place.
void RebuildDesignationTexts(CurrentSection& cs, CheckFamily family, double lengthFactor);

}  // namespace tavo
