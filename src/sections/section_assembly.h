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
// unusable, holds no record or no size is written. A size the catalogue does not hold selects
// the family's last record, with a note saying so.
const CatalogueRecord* SelectRecord(const ProfileCatalogue& catalogue, const ShapeName& shape, std::string_view text,
                                    SectionNotes& notes);

// Each returns the canonical name ("L60*6", "2UNP200", "2IPE300+2PL200*10", ...), or "" when no
// record could be selected (the section is then left as it was).
std::string ReadAngle(std::string_view text, const ShapeName& shape, const ProfileCatalogue& catalogue,
                      const AssemblyOptions& options, Section& section, SectionNotes& notes);
std::string ReadChannel(std::string_view text, const ShapeName& shape, const ProfileCatalogue& catalogue,
                        const AssemblyOptions& options, Section& section, SectionNotes& notes);
// I and H families; hands castellated and channel designations over to their routines.
std::string ReadRolledProfile(std::string_view text, const ShapeName& shape, const ProfileCatalogue& catalogue,
                              const AssemblyOptions& options, Section& section, SectionNotes& notes);
std::string ReadCastellated(std::string_view text, const ShapeName& shape, const ProfileCatalogue& catalogue,
                            const AssemblyOptions& options, Section& section, SectionNotes& notes);

// Assemblies, run on a section holding one profile's record. nameAt: where the family's name
// starts in text (the plate position rule and the count are read from there).
std::string AssembleAngle(std::string_view text, std::size_t nameAt, const AssemblyOptions& options, CurrentSection& cs,
                          SectionProperties& p, SectionNotes& notes);
std::string AssembleChannel(std::string_view text, std::size_t nameAt, const AssemblyOptions& options,
                            CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
// teeCentroid: for the half-profile families, the distance X of one tee's centroid from the
// outer face of its flange (the record's ninth item); unused for the I families.
std::string AssembleRolledProfile(std::string_view text, std::string_view code, std::size_t nameAt, double teeCentroid,
                                  const AssemblyOptions& options, CurrentSection& cs, SectionProperties& p,
                                  SectionNotes& notes);
std::string AssembleCastellated(std::string_view text, std::string_view code, std::size_t nameAt,
                                const AssemblyOptions& options, CurrentSection& cs, SectionProperties& p,
                                SectionNotes& notes);

}  // namespace tavo
