#pragma once
// The catalogue routines of the rolled families and the assemblies they hand over to:
// select the record the designation's size names, put it into the section, then build the
// doubled, tripled, plated or half-profile section from it.
#include <cstddef>
#include <string>
#include <string_view>

#include "sections/designation_parts.h"
#include "sections/profile_catalogue.h"
#include "sections/section.h"
#include "sections/section_notes.h"

namespace tavo {

struct AssemblyOptions {
  double lengthFactor = 1.0;  // cm per length unit of the input, for spacings
  bool alone = false;         // "ALONE": plates in the designation are ignored
  bool single = false;        // "SINGLE": the count before the family code is ignored
};

// The record the designation's size selects, or null (with a note) when the family's file is
// unusable, holds no record or no size is written. A size the catalogue does not hold, or one
// that can be read two ways, is an error naming the records concerned; the nearest record is
// still returned so that the section has numbers to show.
const CatalogueRecord* SelectRecord(const ProfileCatalogue& catalogue, const WrittenDesignation& w,
                                    SectionNotes& notes);

// Each returns the canonical name ("L60*6", "2UNP200", "2IPE300+2PL200*10", ...), or "" when no
// record could be selected (the section is then left as it was).
std::string ReadAngle(const WrittenDesignation& w, const ProfileCatalogue& catalogue, const AssemblyOptions& options,
                      Section& section, SectionNotes& notes);
std::string ReadChannel(const WrittenDesignation& w, const ProfileCatalogue& catalogue,
                        const AssemblyOptions& options, Section& section, SectionNotes& notes);
// I and H families; hands castellated and channel designations over to their routines.
std::string ReadRolledProfile(const WrittenDesignation& w, const ProfileCatalogue& catalogue,
                              const AssemblyOptions& options, Section& section, SectionNotes& notes);
std::string ReadCastellated(const WrittenDesignation& w, const ProfileCatalogue& catalogue,
                            const AssemblyOptions& options, Section& section, SectionNotes& notes);

// Assemblies, run on a section holding one profile's record, with the parts the designation gives.
std::string AssembleAngle(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs,
                          SectionProperties& p, SectionNotes& notes);
std::string AssembleChannel(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs,
                            SectionProperties& p, SectionNotes& notes);
// teeCentroid: for the half-profile families, the distance X of one tee's centroid from the
// outer face of its flange (the record's ninth item); unused for the I families.
// nameSize: the size the name is written with when it is not the height (nominal sizes).
std::string AssembleRolledProfile(const WrittenDesignation& w, double teeCentroid, const AssemblyOptions& options,
                                  CurrentSection& cs, SectionProperties& p, SectionNotes& notes, double nameSize = 0);
std::string AssembleCastellated(const WrittenDesignation& w, const AssemblyOptions& options, CurrentSection& cs,
                                SectionProperties& p, SectionNotes& notes);

// What the assemblies take from the written parts.
struct PlatePair {
  double first = 0, second = 0;  // cm
};
// The cover plate in cm, zero when none is written or "ALONE" is set. plates: how many the
// assembly puts in (one gusset between two angles or channels, one on each flange of an I);
// a written count that differs is worth a warning.
PlatePair CoverPlate(const WrittenDesignation& w, const AssemblyOptions& options, int plates, SectionNotes& notes);
// The web plates' height and thickness in cm, zero when none are written or "ALONE" is set.
PlatePair WebPlates(const WrittenDesignation& w, const AssemblyOptions& options, SectionNotes& notes);
// The spacing of the profiles in cm, rounded to 2 decimals: the written one, or minimum (the
// profiles touching) when none is written or the written one is smaller (with a warning).
double SpacingAtLeast(double minimum, const WrittenDesignation& w, const AssemblyOptions& options,
                      SectionNotes& notes);

}  // namespace tavo
