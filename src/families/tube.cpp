// Tube: a circular hollow section, "TUBE D*t" in mm.
#include "checks/aisc360_shape.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "drawing/section_drawing.h"
#include "families/family_routines.h"
#include "families/family_table.h"
#include "sections/parametric_sections.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"TUBE", ""}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue*, const AssemblyOptions&, Section& s,
                 SectionNotes& notes) {
  CurrentSection& cs = s.cs;
  cs.D = CheckedDimension(WrittenDimension(w, 1, 0), "D", true, notes);
  cs.t = CheckedDimension(WrittenDimension(w, 2, 0), "t", true, notes);
  if (2 * cs.t > cs.D) {
    notes.Add("The wall t is thicker than half the diameter D; a solid bar (t = D/2) is computed",
              "ضخامت دیواره t از نصف قطر D بیشتر است؛ مقطع توپر (t = D/2) محاسبه شد");
    cs.t = cs.D / 2;
  }
  return {};
}

void Rebuild(CurrentSection& cs, double) {
  cs.BaseText = "TUBE" + Joined({cs.D, cs.t});
  cs.FullText = cs.BaseText;
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing&) {
  DrawTube(dc, x0, y0, s, Clean(cs.D), Clean(cs.t), style);
}

std::string EditorText(const CurrentSection& c, const std::string&, int, double) {
  return "TUBE " + MmText(c.D) + "*" + MmText(c.t);
}

constexpr FamilyParameter kRows[] = {
    {"D", &CurrentSection::D, [](const EditorState& e) { return ParameterLimits{1, 2 * e.edit.t, 0}; }},
    {"t", &CurrentSection::t, [](const EditorState& e) { return ParameterLimits{0.1, 0.4, e.edit.D / 2}; }},
    kLengthRow};

const SketchSample kSketch[] = {[] {
  SketchSample c;
  c.order = 6, c.fx = 0.4, c.fy = 0.3;
  c.cs.family = "TUBE";
  c.cs.designation = "TUBE D*t";
  c.cs.D = 20, c.cs.t = 1.2;
  return c;
}()};

const HelpFigure kFigures[] = {{"tube", [] {
                                  CurrentSection cs;
                                  cs.family = "TUBE";
                                  cs.D = 24, cs.t = 2;
                                  return cs;
                                }()}};

}  // namespace

extern const SectionFamily kTubeFamily{
    .key = "TUBE",
    .names = kNames,
    .dimensions = {2, 2, "TUBE D*t", "a tube", "لوله"},
    .lateralBuckling = false,  // a tube does not buckle laterally: its class alone decides Fb
    .read = Read,
    .properties = TubeProperties,
    .compactness = [](const Section& s, double fy) { return TubeCompactness(s.cs, fy); },
    .limitStateShape = aisc::RoundShape,
    .rebuildText = Rebuild,
    .draw = Draw,
    .parameters = kRows,
    .editorText = EditorText,
    .sketch = kSketch,
    .figures = kFigures,
};

}  // namespace tavo
