// Plate girder: a welded I of a web and two flanges, "PG hw*tw*bf1*tf1 (*bf2*tf2)" in mm.
#include "checks/aisc360_shape.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "drawing/section_drawing.h"
#include "families/family_routines.h"
#include "families/family_table.h"
#include "sections/parametric_sections.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"PG", ""}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue*, const AssemblyOptions&, Section& s,
                 SectionNotes& notes) {
  CurrentSection& cs = s.cs;
  const double hw = WrittenDimension(w, 1, 0), tw = WrittenDimension(w, 2, 0);
  const double bf1 = WrittenDimension(w, 3, 0), tf1 = WrittenDimension(w, 4, 0);
  const double bf2 = WrittenDimension(w, 5, bf1), tf2 = WrittenDimension(w, 6, tf1);
  cs.hw = CheckedDimension(hw, "hw", true, notes);
  cs.tw = CheckedDimension(tw, "tw", true, notes);
  cs.bf1 = CheckedDimension(bf1, "bf1", true, notes);
  cs.tf1 = CheckedDimension(tf1, "tf1", true, notes);
  cs.bf2 = CheckedDimension(bf2, "bf2", false, notes);  // zero is a tee, a shape the formulas still describe
  cs.tf2 = CheckedDimension(tf2, "tf2", false, notes);
  return {};
}

void Rebuild(CurrentSection& cs, double) {
  cs.BaseText = "PG" + Joined({cs.hw, cs.tw, cs.bf1, cs.tf1, cs.bf2, cs.tf2});
  cs.FullText = cs.BaseText;
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing&) {
  DrawPlateGirder(dc, x0, y0, s, Clean(cs.hw), Clean(cs.bf1), Clean(cs.bf2), Clean(cs.tf1), Clean(cs.tf2),
                  Clean(cs.tw), style);
}

std::string EditorText(const CurrentSection& c, const std::string&, int, double) {
  return "PG " + MmText(c.hw) + "*" + MmText(c.tw) + "*" + MmText(c.bf1) + "*" + MmText(c.tf1) + "*" + MmText(c.bf2) +
         "*" + MmText(c.tf2);
}

constexpr FamilyParameter kRows[] = {
    {"hw", &CurrentSection::hw, [](const EditorState&) { return ParameterLimits{0, 1, 0}; }},
    {"tw", &CurrentSection::tw, [](const EditorState& e) { return ParameterLimits{0.1, 0.1, e.edit.hw / 2}; }},
    {"bf1", &CurrentSection::bf1, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tf1", &CurrentSection::tf1, [](const EditorState&) { return ParameterLimits{0.1, 0.1, 0}; }},
    {"bf2", &CurrentSection::bf2, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tf2", &CurrentSection::tf2, [](const EditorState&) { return ParameterLimits{0.1, 0.1, 0}; }},
    kLengthRow};

const SketchSample kSketch[] = {[] {
  SketchSample c;
  c.order = 0, c.fx = 0.9, c.fy = 0.25;
  c.cs.family = "PG";
  c.cs.hw = 60, c.cs.tw = 1, c.cs.bf1 = 20, c.cs.tf1 = 2, c.cs.bf2 = 15, c.cs.tf2 = 1.8;
  return c;
}()};

const HelpFigure kFigures[] = {{"pg", [] {
                                  CurrentSection cs;
                                  cs.family = "PG";
                                  cs.hw = 50, cs.tw = 1.2, cs.bf1 = 30, cs.tf1 = 2.5, cs.bf2 = 22, cs.tf2 = 2;
                                  return cs;
                                }()}};

}  // namespace

extern const SectionFamily kPlateGirderFamily{
    .key = "PG",
    .names = kNames,
    .dimensions = {4, 6, "PG hw*tw*bf1*tf1 (*bf2*tf2)", "a plate girder", "تیر ورق"},
    .read = Read,
    .properties = PlateGirderProperties,
    .compactness = [](const Section& s, double fy) { return PlateGirderCompactness(s.cs, s.props, fy); },
    .limitStateShape = aisc::PlateGirderShape,
    .rebuildText = Rebuild,
    .draw = Draw,
    .parameters = kRows,
    .editorText = EditorText,
    .sketch = kSketch,
    .figures = kFigures,
};

}  // namespace tavo
