#pragma once
// What the catalogue does not give a rolled section: shear areas, torsion constant, plastic
// moduli, overall size and Af. Runs after the assembly and overwrites what it recomputes.
#include "sections/section.h"
#include "sections/section_notes.h"

namespace tavo {

// I, H and castellated profiles, n = 1, 2 or 3, with cover and web plates.
void RolledComplement(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
// Channels, single or doubled ("][" or "[]").
void ChannelComplement(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
// Angles: a single angle is described about its principal axes (I1 = Iu, I2 = Iv).
void AngleComplement(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);

}  // namespace tavo
