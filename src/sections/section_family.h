#pragma once
// A section family as one record: the names a designation writes it with, how its designation
// is read and written back, its properties, its compactness rule and drawing, the rows of the
// section editor, its sample in the parameter sketch and its figures in the help. The records
// live one per file in src/families/; every part of the program looks the family up instead of
// comparing names.
// The routines of the layers above (compactness, drawing) are reached through the record, so
// the layers below never link against them.
#include <span>
#include <string>
#include <string_view>

#include "sections/section.h"

namespace tavo {

struct WrittenDesignation;
class SectionNotes;
class ProfileCatalogue;
struct AssemblyOptions;
struct Compactness;
struct DrawingContext;
struct FamilyStyle;
struct SectionDrawing;
namespace aisc {
struct Shape;
}

// A name of the family as a designation writes it. `code` is the catalogue code the name
// stands for ("HEB" and "HE ... B" stand for IPB); `suffix`, when set, is the letter that
// follows the size ("HE 200 B").
struct FamilyName {
  std::string_view written;
  std::string_view code;
  char suffix = 0;
};

// Parametric families write their plates as a list of numbers after the name.
struct DimensionList {
  std::size_t fewest = 0, most = 0;
  std::string_view form;     // how the family is written, for the message
  std::string_view english;  // what it is
  std::string_view persian;
};

// The editor's bounds of one parameter row (cm): step, and 0 for "no bound".
struct ParameterLimits {
  double step = 0, minimum = 0, maximum = 0;
};

// What the editor knows when it asks for a row's bounds: the section as computed, the values
// being edited and the count of profiles.
struct EditorState {
  const CurrentSection& section;
  const CurrentSection& edit;
  int count = 1;
};

// One row of the section editor: its label, the field it edits (null for a row the editor
// computes itself: the profile size, the plate arrangement, the length) and its bounds.
struct FamilyParameter {
  std::string_view name;
  double CurrentSection::*field = nullptr;
  ParameterLimits (*limits)(const EditorState&) = nullptr;
};

// A sample of the parameter sketch: where its corner sits (fractions of the frame) and its
// section, whose catalogueName is the label of a rolled profile.
struct SketchSample {
  int order = 0;  // place in the legend's drawing order
  double fx = 0, fy = 0;
  CurrentSection cs;
};

// A figure of the calculation help: the name the help's source gives it
// (<img src="figure:NAME">) and the section it shows with the names of its parameters.
struct HelpFigure {
  std::string_view name;
  CurrentSection cs;
};

struct SectionFamily {
  std::string_view key;  // what CurrentSection::family holds for it ("PG", "C", "L"...); "" for rolled codes
  std::span<const FamilyName> names;
  bool catalogue = false;       // read from the profile catalogue (else from its numbers)
  DimensionList dimensions;     // parametric families: the list the name is followed by
  std::string_view arrangements;  // the arrangements a doubled profile may write ("<>", "][[]")
  bool webPlates = false;       // takes "+WPL" plates and "DPL=" (I, H and castellated profiles)
  bool spacingKeyD = false;     // a parametric family that takes "D=" (the box's web distance)
  bool halfProfile = false;     // "HPE300-400": tees with a web insert
  bool nominalKey = false;      // catalogue records start with the nominal size (heights differ from it)
  bool angleSizes = false;      // "L100*100*10": legs and thickness after the size
  bool gussetPlate = false;     // "+PL" of a single profile is a gusset that changes nothing
  bool coverPlateWeld = false;  // a single profile's cover plates are welded to its flanges
  bool lateralBuckling = true;  // false: the class alone gives Fb (a tube)
  bool classified = true;       // false: no compactness class is reported (angles)
  std::string_view defaultArrangement;  // for a doubled profile that writes none

  // Reads the family's numbers (parametric) or selects and assembles its catalogue record;
  // returns the catalogue name ("" when nothing could be read; always "" for parametric).
  std::string (*read)(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                      Section& section, SectionNotes& notes) = nullptr;
  void (*properties)(const CurrentSection& cs, SectionProperties& p, SectionNotes& notes) = nullptr;
  Compactness (*compactness)(const Section& section, double fy) = nullptr;
  // What the limit-state code needs of the section (its kind, plate elements, warping); null:
  // the code has no rule for the family.
  aisc::Shape (*limitStateShape)(const Section& section) = nullptr;
  // The designation written back from the fields (CurrentSection::BaseText and FullText).
  void (*rebuildText)(CurrentSection& cs, double lengthFactor) = nullptr;
  // The section drawn with (x0, y0) its bottom-right corner and s drawing units per cm.
  void (*draw)(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
               SectionDrawing& out) = nullptr;
  // The scale that fits the section on a W×H frame; null: the larger extent fills half the height.
  double (*fitScale)(const CurrentSection& cs, double W, double H) = nullptr;

  std::span<const FamilyParameter> parameters;  // single profile (or the only form)
  std::span<const FamilyParameter> doubledParameters;  // doubled or tripled; empty: as single
  // The designation the editor writes for the values being edited; sizeText is the profile
  // size as the editor shows it (rolled families).
  std::string (*editorText)(const CurrentSection& edit, const std::string& sizeText, int count,
                            double lengthFactor) = nullptr;
  std::span<const SketchSample> sketch;
  std::span<const HelpFigure> figures;  // its figures in the calculation help
};

using FamilyTable = std::span<const SectionFamily* const>;

// The family whose key or catalogue code is `name` ("PG", "L", "IPE", "2IPE"); null when none.
const SectionFamily* FamilyOfCode(const FamilyTable& families, std::string_view name);

// The help figure called `name` and the family that draws it; both null when none is.
struct FoundFigure {
  const HelpFigure* figure = nullptr;
  const SectionFamily* family = nullptr;
};
FoundFigure FindHelpFigure(const FamilyTable& families, std::string_view name);

}  // namespace tavo
