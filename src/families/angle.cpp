// Angles from the catalogue: "L60*6", "L100*100*10", doubled "2L60<>" (back to back or, with
// "<>", as a star), with a gusset plate "+PL" between them and the spacing "(d=...)".
#include "checks/aisc360_shape.h"
#include <cmath>

#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "drawing/section_drawing.h"
#include "families/family_routines.h"
#include "families/family_table.h"
#include "sections/rolled_complements.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"L", "L"}};

// The catalogue keeps the leg in h and its thickness in tw.
double Leg(const CurrentSection& cs) { return cs.h > 0 ? cs.h : cs.b; }
double Thickness(const CurrentSection& cs) { return cs.tw > 0 ? cs.tw : (cs.t > 0 ? cs.t : cs.tf); }

std::string Read(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                 Section& s, SectionNotes& notes) {
  return ReadAngle(w, *catalogue, options, s, notes);
}

void Rebuild(CurrentSection& cs, double lengthFactor) {
  const double least = cs.Arrangement == "<>" ? std::sqrt(2.0) * (cs.h + cs.tw - 2 * cs.e) : 2 * cs.e;
  RebuildPairedText(cs, lengthFactor, least);
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing&) {
  AngleDims a;
  a.count = cs.Count;
  a.b = Clean(cs.h > 0 ? cs.h : cs.b);
  a.t = Clean(cs.tw > 0 ? cs.tw : cs.t);
  a.e = Clean(cs.e);
  a.spacing = Clean(cs.d);
  a.plateWidth = Clean(cs.PlateWidth), a.plateThickness = Clean(cs.PlateThickness);
  a.arrangement = cs.Arrangement;
  DrawAngles(dc, x0, y0, s, a, style);
}

std::string EditorText(const CurrentSection& c, const std::string& profileName, int count, double lengthFactor) {
  std::string s = count > 1 ? "2" : "";
  s += profileName;
  if (count > 1 && c.Arrangement == "<>") s += "<>";
  if (c.PlateWidth > 0 || c.PlateThickness > 0) s += " +PL" + MmText(c.PlateWidth) + "*" + MmText(c.PlateThickness);
  if (count > 1) s += EditorSpacing("d", c, lengthFactor);
  return s;
}

// An L80*8 alone, back to back with a gusset plate, and as a star.
CurrentSection HelpAngle(int count, std::string_view arrangement, double d) {
  CurrentSection cs;
  cs.family = "L";
  cs.Count = count, cs.Arrangement = arrangement;
  cs.h = 8, cs.tw = 0.8, cs.e = 2.26, cs.d = d;
  if (count > 1) cs.PlateWidth = 11, cs.PlateThickness = 1;
  return cs;
}

const HelpFigure kFigures[] = {
    {"angle", HelpAngle(1, "", 0)}, {"angle2", HelpAngle(2, "", 6)}, {"angle2star", HelpAngle(2, "<>", 9)}};

constexpr FamilyParameter kRows[] = {kSizeRow, kLengthRow};
constexpr FamilyParameter kDoubledRows[] = {
    kSizeRow,
    {"tpl", &CurrentSection::PlateThickness,
     [](const EditorState& e) { return ParameterLimits{0.1, 0, 5 * Thickness(e.section)}; }},
    {"d", &CurrentSection::d,
     [](const EditorState& e) {
       const CurrentSection& cs = e.section;
       const double leg = Leg(cs);
       const double least = cs.Arrangement == "<>" ? std::sqrt(2.0) * (leg + Thickness(cs) - 2 * cs.e) : 2 * cs.e;
       return ParameterLimits{1, least, 3 * leg};
     }},
    kLengthRow};

}  // namespace

extern const SectionFamily kAngleFamily{
    .key = "L",
    .names = kNames,
    .catalogue = true,
    .arrangements = "<>",
    .angleSizes = true,
    .gussetPlate = true,
    .classified = false,  // angles have no compactness class (and Lc 0)
    .read = Read,
    .properties = AngleComplement,
    .limitStateShape = aisc::AngleShape,
    .rebuildText = Rebuild,
    .draw = Draw,
    .parameters = kRows,
    .doubledParameters = kDoubledRows,
    .editorText = EditorText,
    .figures = kFigures,
};

}  // namespace tavo
