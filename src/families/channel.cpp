// Channels from the catalogue: "UNP200" (or "UPN200"), doubled "2UNP20 ][" or "[]" with the
// spacing "(d=...)" and a plate "+PL" between or across them.
#include "checks/aisc360_shape.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "drawing/section_drawing.h"
#include "families/family_routines.h"
#include "families/family_table.h"
#include "sections/rolled_complements.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"UNP", "UNP"}, {"UPN", "UNP"}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                 Section& s, SectionNotes& notes) {
  return ReadChannel(w, *catalogue, options, s, notes);
}

void Rebuild(CurrentSection& cs, double lengthFactor) {
  RebuildPairedText(cs, lengthFactor, cs.Arrangement == "][" ? 2 * cs.e : 2 * (cs.b - cs.e));
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing&) {
  ChannelDims c;
  c.count = cs.Count;
  c.h = Clean(cs.h), c.b = Clean(cs.b), c.tw = Clean(cs.tw), c.tf = Clean(cs.tf), c.e = Clean(cs.e);
  c.spacing = Clean(cs.d);
  c.plateWidth = Clean(cs.PlateWidth), c.plateThickness = Clean(cs.PlateThickness);
  c.arrangement = cs.Arrangement;
  DrawChannels(dc, x0, y0, s, c, style);
}

std::string EditorText(const CurrentSection& c, const std::string& profileName, int count, double lengthFactor) {
  std::string s = count > 1 ? "2" : "";
  s += profileName;
  if (count > 1) s += " " + std::string(c.Arrangement == "][" ? "][" : "[]");
  if (c.PlateWidth > 0 || c.PlateThickness > 0) s += " +PL" + MmText(c.PlateWidth) + "*" + MmText(c.PlateThickness);
  if (count > 1) s += EditorSpacing("d", c, lengthFactor);
  return s;
}

constexpr FamilyParameter kRows[] = {kSizeRow, kLengthRow};
constexpr FamilyParameter kDoubledRows[] = {
    kSizeRow,
    {"tpl", &CurrentSection::PlateThickness,
     [](const EditorState& e) { return ParameterLimits{0.1, 0, 5 * e.section.tf}; }},
    {"d", &CurrentSection::d,
     [](const EditorState& e) {
       const CurrentSection& cs = e.section;
       return ParameterLimits{1, cs.Arrangement == "][" ? 2 * cs.e : 2 * cs.b - 2 * cs.e, 3 * cs.b};
     }},
    kLengthRow};

const SketchSample kSketch[] = {[] {
  SketchSample c;
  c.order = 5, c.fx = 0.4, c.fy = 0.9;
  c.cs.family = "UNP";
  c.cs.designation = "UNP";
  c.cs.Count = 2, c.cs.Arrangement = "[]";
  c.cs.h = 20, c.cs.b = 7.5, c.cs.tw = 0.85, c.cs.tf = 1.15, c.cs.e = 2, c.cs.d = 13;
  c.cs.PlateWidth = 23, c.cs.PlateThickness = 2;
  return c;
}()};

// A UNP200 alone, as "[]" and as "][" with a plate between the webs.
CurrentSection HelpChannel(int count, std::string_view arrangement, double d) {
  CurrentSection cs;
  cs.family = "UNP";
  cs.Count = count, cs.Arrangement = arrangement;
  cs.h = 20, cs.b = 7.5, cs.tw = 0.85, cs.tf = 1.15, cs.e = 2.01, cs.d = d;
  return cs;
}

const HelpFigure kFigures[] = {{"channel", HelpChannel(1, "", 0)},
                               {"channel2", HelpChannel(2, "[]", 15)},
                               {"channel2b", [] {
                                  CurrentSection cs = HelpChannel(2, "][", 6);
                                  cs.PlateWidth = 26, cs.PlateThickness = 1;
                                  return cs;
                                }()}};

}  // namespace

extern const SectionFamily kChannelFamily{
    .key = "UNP",
    .names = kNames,
    .catalogue = true,
    .arrangements = "][[]",
    .gussetPlate = true,
    .defaultArrangement = "[]",
    .read = Read,
    .properties = ChannelComplement,
    .compactness = [](const Section& s, double fy) { return ChannelCompactness(s.cs, fy); },
    .limitStateShape = aisc::ChannelShape,
    .rebuildText = Rebuild,
    .draw = Draw,
    .parameters = kRows,
    .doubledParameters = kDoubledRows,
    .editorText = EditorText,
    .sketch = kSketch,
    .figures = kFigures,
};

}  // namespace tavo
