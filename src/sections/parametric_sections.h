#pragma once
// Properties of the welded families, computed from their plates: plate girder, cross, box and
// tube. Every field of SectionProperties is set.
#include "sections/section.h"
#include "sections/section_notes.h"

namespace tavo {

// π as the property formulas have always used it.
inline constexpr double kPi = 3.14159;

// hw × tw web, flange 1 bf1 × tf1 on top, flange 2 bf2 × tf2 (the compression flange) below.
void PlateGirderProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
// Two webs h1 × tw and h2 × tw crossing at their middles, flanges bf1 × tf1 on web 1 and bf2 × tf2 on web 2.
void CrossProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
// Two webs h × tw at centre distance d, two flanges b × tf on top of them.
void BoxProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
// Outside diameter D, wall t.
void TubeProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);

}  // namespace tavo
