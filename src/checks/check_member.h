#pragma once
// The member check: from a computed section to its canonical texts, compactness class, Lc,
// allowable stresses, capacities and verdict. Section properties are taken as given.
#include <optional>

#include "checks/check_results.h"
#include "sections/section.h"

namespace tavo {

CheckedMember CheckMember(Section section, const MemberInput& member);

// Weld limits of the cover plates of a single rolled I, H or castellated profile (family code
// of exactly three letters beginning with H, C or I, with a cover plate); none otherwise.
std::optional<WeldLimits> CoverPlateWeld(const Section& section);
// True for a single profile whose cover plates are welded to its flanges.
bool HasCoverPlateWeld(const Section& section);

// False exactly when the element's report carries a not-OK line: cover plates too thick to
// be welded to the flange.
bool ElementStatusOk(const Section& section);

}  // namespace tavo
