// Box: two webs between two flange plates, "BOX hw*tw*bf*tf" in mm with "(D=...)" the
// distance between the webs in the input's length unit.
#include "checks/aisc360_shape.h"
#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "core/text_util.h"
#include "core/units.h"
#include "drawing/section_drawing.h"
#include "families/family_routines.h"
#include "families/family_table.h"
#include "sections/parametric_sections.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"BOX", ""}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue*, const AssemblyOptions& options, Section& s,
                 SectionNotes& notes) {
  CurrentSection& cs = s.cs;
  const double hw = WrittenDimension(w, 1, 0), tw = WrittenDimension(w, 2, 0);
  const double bf = WrittenDimension(w, 3, 0), tf = WrittenDimension(w, 4, 0);
  // The box's web and flange plates live in h, b, tw, tf; hw repeats the web height for the drawing.
  cs.h = cs.hw = CheckedDimension(hw, "hw", true, notes);
  cs.tw = CheckedDimension(tw, "tw", true, notes);
  cs.b = CheckedDimension(bf, "bf", true, notes);
  cs.tf = CheckedDimension(tf, "tf", true, notes);
  const double flush = cs.b - cs.tw;  // webs under the flange edges
  double d = w.spacing.written ? w.spacing.value * options.lengthFactor : flush;
  d = CheckedDimension(d, "d", false, notes);
  if (w.spacing.written && d > 0 && (d < cs.tw || d >= cs.b + cs.tw)) {
    // Webs inside each other or clear of the flanges are no box; a wrong length unit gives either.
    const std::string shown = ShownPart(w.spacing.text), cm = ShortestText(RoundTo(d, 4));
    const std::string low = ShortestText(RoundTo(cs.tw, 4)), high = ShortestText(RoundTo(cs.b + cs.tw, 4));
    notes.Add("The web distance \"" + shown + "\" is " + cm + " cm; the webs of this box stand from " + low +
                  " cm (touching) to below " + high + " cm (at the flange edges) apart",
              "فاصله جان‌ها \"" + shown + "\" برابر " + cm + " سانتیمتر است؛ جان‌های این قوطی از " + low +
                  " سانتیمتر (چسبیده) تا کمتر از " + high + " سانتیمتر (لبه بال‌ها) از هم فاصله دارند",
              shown);
    d = flush > 0 ? flush : 0;
  }
  cs.d = d;
  return {};
}

void Rebuild(CurrentSection& cs, double lengthFactor) {
  cs.BaseText = "BOX" + Joined({cs.h, cs.tw, cs.b, cs.tf});
  // The distance is written only when the webs are not under the flange edges, in full: the
  // reader takes it as written, to the last digit.
  const std::string spacing =
      Departs(cs.d, cs.b - cs.tw) ? "(d=" + NumberText(cs.d / lengthFactor) + ")" : std::string();
  cs.FullText = cs.BaseText + "   " + spacing;
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing&) {
  DrawBox(dc, x0, y0, s, Clean(cs.hw), Clean(cs.b), Clean(cs.tw), Clean(cs.tf), Clean(cs.d), style);
}

std::string EditorText(const CurrentSection& c, const std::string&, int, double lengthFactor) {
  return "BOX " + MmText(c.hw) + "*" + MmText(c.tw) + "*" + MmText(c.b) + "*" + MmText(c.tf) +
         EditorSpacing("D", c, lengthFactor);
}

constexpr FamilyParameter kRows[] = {
    {"hw", &CurrentSection::hw, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tw", &CurrentSection::tw, [](const EditorState& e) { return ParameterLimits{0.1, 0.1, e.edit.hw / 2}; }},
    {"bf", &CurrentSection::b, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tf", &CurrentSection::tf, [](const EditorState&) { return ParameterLimits{0.1, 0.1, 0}; }},
    {"d", &CurrentSection::d, [](const EditorState& e) { return ParameterLimits{1, e.edit.tw, e.edit.b + e.edit.tw}; }},
    kLengthRow};

const SketchSample kSketch[] = {[] {
  SketchSample c;
  c.order = 4, c.fx = 0.5, c.fy = 0.5;
  c.cs.family = "BOX";
  c.cs.designation = "Box";
  c.cs.hw = 20, c.cs.b = 15, c.cs.tw = 0.53, c.cs.tf = 1, c.cs.d = 10;
  return c;
}()};

const HelpFigure kFigures[] = {{"box", [] {
                                  CurrentSection cs;
                                  cs.family = "BOX";
                                  cs.hw = 40, cs.b = 45, cs.tw = 2, cs.tf = 3, cs.d = 32;
                                  return cs;
                                }()}};

}  // namespace

extern const SectionFamily kBoxFamily{
    .key = "BOX",
    .names = kNames,
    .dimensions = {4, 4, "BOX hw*tw*bf*tf", "a box", "مقطع قوطی"},
    .spacingKeyD = true,
    .read = Read,
    .properties = BoxProperties,
    .compactness = [](const Section& s, double fy) { return BoxCompactness(s.cs, s.props, fy); },
    .limitStateShape = aisc::BoxShape,
    .rebuildText = Rebuild,
    .draw = Draw,
    .parameters = kRows,
    .editorText = EditorText,
    .sketch = kSketch,
    .figures = kFigures,
};

}  // namespace tavo
