#pragma once
// The canonical designation texts of a checked section, rebuilt from its stored dimensions:
// the base text of parametric shapes and the full text with plate, web-plate and spacing parts.
#include <string>

#include "checks/check_family.h"
#include "sections/section.h"

namespace tavo {

// "+PL" (channels, angles) or "+2PL" (other rolled) with width*thickness; empty without a plate.
std::string CoverPlateText(const CurrentSection& cs, CheckFamily family);
// The spacing part of a BOX, angle, channel or other rolled section; empty when not shown.
std::string SpacingText(const CurrentSection& cs, CheckFamily family, double lengthFactor);
// "+WPL" height*thickness, two blanks and "(DPL=...)" (cm) when the plates are off their default place.
std::string WebPlateText(const CurrentSection& cs);

// Rebuilds BaseText (parametric shapes) and FullText (every family) in place.
void RebuildDesignationTexts(CurrentSection& cs, CheckFamily family, double lengthFactor);

}  // namespace tavo
