#pragma once
// Pieces several family records share: the numbers of a parametric designation, the rows
// of the editor that every family has, and the routines of the rolled I families (whole,
// halved, castellated, and by nominal size).
#include <span>
#include <string>

#include "sections/designation_parts.h"
#include "sections/section_assembly.h"
#include "sections/section_family.h"

namespace tavo {

// Item n (from 1) of a parametric family's numbers, millimetres to centimetres.
double WrittenDimension(const WrittenDesignation& w, std::size_t n, double defaultCm);

// The editor's length row (cm, from 0: a member without a length) and the catalogue size row.
inline constexpr FamilyParameter kLengthRow{"L"};
inline constexpr FamilyParameter kSizeRow{"h"};

// " (key=spacing)" in the input's length unit, as the editor writes it.
std::string EditorSpacing(const char* key, const CurrentSection& c, double lengthFactor);

// The full text of a single or paired angle or channel: the plate is a gusset ("+PL"), the
// spacing is written when it exceeds `least` (the touching spacing without the gusset), and the
// arrangement closes the text.
void RebuildPairedText(CurrentSection& cs, double lengthFactor, double least);

// Rolled I, H and castellated profiles.
std::string ReadRolledI(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                        Section& section, SectionNotes& notes);
void RolledIProperties(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes);
Compactness RolledICompactness(const Section& section, double fy);
void RebuildRolledIText(CurrentSection& cs, double lengthFactor);
void DrawRolledIFamily(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs,
                       const FamilyStyle& style, SectionDrawing& out);
// The same with the name its height goes by when the sizes are shown (a half profile's h').
void DrawRolledIProfile(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs,
                        const FamilyStyle& style, SectionDrawing& out, std::string_view heightName);
// An IPE300's sizes under the name the help's figure shows above it, `count` side by side;
// `height` for a profile made higher (cm).
CurrentSection HelpProfile(std::string_view name, int count = 1, double height = 30);
std::string RolledIEditorText(const CurrentSection& c, const std::string& profileName, int count, double lengthFactor);
extern const std::span<const FamilyParameter> kRolledIRows;
extern const std::span<const FamilyParameter> kRolledIDoubledRows;

// The record of a rolled I family of the catalogue with these names: web plates, welded cover
// plates and the rolled routines; a family sets what differs on the copy.
SectionFamily RolledIRecord(std::span<const FamilyName> names);

}  // namespace tavo
