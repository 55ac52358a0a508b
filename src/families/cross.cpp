// Cross: two welded I sections crossing at their webs, "CROSS h1*h2*tw*bf1*tf1 (*bf2*tf2)" in mm.
#include "checks/aisc360_shape.h"
#include <algorithm>

#include "checks/compactness.h"
#include "checks/designation_text.h"
#include "drawing/section_drawing.h"
#include "families/family_routines.h"
#include "families/family_table.h"
#include "sections/parametric_sections.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"CROSS", ""}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue*, const AssemblyOptions&, Section& s,
                 SectionNotes& notes) {
  CurrentSection& cs = s.cs;
  const double h1 = WrittenDimension(w, 1, 0), h2 = WrittenDimension(w, 2, 0), tw = WrittenDimension(w, 3, 0);
  const double bf1 = WrittenDimension(w, 4, 0), tf1 = WrittenDimension(w, 5, 0);
  const double bf2 = WrittenDimension(w, 6, bf1), tf2 = WrittenDimension(w, 7, tf1);
  cs.h1 = CheckedDimension(h1, "h1", true, notes);
  cs.h2 = CheckedDimension(h2, "h2", true, notes);
  cs.tw = CheckedDimension(tw, "tw", true, notes);
  cs.bf1 = CheckedDimension(bf1, "bf1", true, notes);
  cs.tf1 = CheckedDimension(tf1, "tf1", true, notes);
  cs.bf2 = CheckedDimension(bf2, "bf2", false, notes);
  cs.tf2 = CheckedDimension(tf2, "tf2", false, notes);
  return {};
}

void Rebuild(CurrentSection& cs, double) {
  cs.BaseText = "CROSS" + Joined({cs.h1, cs.h2, cs.tw, cs.bf1, cs.tf1, cs.bf2, cs.tf2});
  cs.FullText = cs.BaseText;
}

// The cross is as wide as it is deep: each direction gets half the frame.
double FitScale(const CurrentSection& cs, double W, double H) {
  const double across = std::max(Clean(cs.h2), Clean(cs.bf1));
  const double upright = std::max(Clean(cs.h1), Clean(cs.bf2));
  double sc = 0;
  if (across > 0) sc = 0.5 * W / across;
  if (upright > 0) sc = sc > 0 ? std::min(sc, 0.5 * H / upright) : 0.5 * H / upright;
  return sc;
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing&) {
  DrawCross(dc, x0, y0, s, Clean(cs.h1), Clean(cs.h2), Clean(cs.bf1), Clean(cs.bf2), Clean(cs.tf1), Clean(cs.tf2),
            Clean(cs.tw), style);
}

std::string EditorText(const CurrentSection& c, const std::string&, int, double) {
  return "CROSS " + MmText(c.h1) + "*" + MmText(c.h2) + "*" + MmText(c.tw) + "*" + MmText(c.bf1) + "*" +
         MmText(c.tf1) + "*" + MmText(c.bf2) + "*" + MmText(c.tf2);
}

constexpr FamilyParameter kRows[] = {
    {"h1", &CurrentSection::h1, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"h2", &CurrentSection::h2, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tw", &CurrentSection::tw, [](const EditorState& e) { return ParameterLimits{0.1, 0.4, e.edit.h1 / 2}; }},
    {"b1", &CurrentSection::bf1, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tf1", &CurrentSection::tf1, [](const EditorState& e) { return ParameterLimits{0.1, 0.4, e.edit.bf1 / 2}; }},
    {"b2", &CurrentSection::bf2, [](const EditorState&) { return ParameterLimits{1, 1, 0}; }},
    {"tf2", &CurrentSection::tf2, [](const EditorState& e) { return ParameterLimits{0.1, 0.4, e.edit.bf2 / 2}; }},
    kLengthRow};

const SketchSample kSketch[] = {[] {
  SketchSample c;
  c.order = 1, c.fx = 0.9, c.fy = 0.5;
  c.cs.family = "C";
  c.cs.h1 = 50, c.cs.h2 = 50, c.cs.bf1 = 30, c.cs.bf2 = 30, c.cs.tw = 0.8, c.cs.tf1 = 2, c.cs.tf2 = 2;
  return c;
}()};

const HelpFigure kFigures[] = {{"cross", [] {
                                  CurrentSection cs;
                                  cs.family = "C";
                                  cs.h1 = 40, cs.h2 = 40, cs.bf1 = 24, cs.bf2 = 24, cs.tw = 1.5, cs.tf1 = 3, cs.tf2 = 3;
                                  return cs;
                                }()}};

}  // namespace

extern const SectionFamily kCrossFamily{
    .key = "C",
    .names = kNames,
    .dimensions = {5, 7, "CROSS h1*h2*tw*bf1*tf1 (*bf2*tf2)", "a cross section", "مقطع صلیبی"},
    .read = Read,
    .properties = CrossProperties,
    .compactness = [](const Section& s, double fy) { return CrossCompactness(s.cs, s.props, fy); },
    .limitStateShape = aisc::CrossShape,
    .rebuildText = Rebuild,
    .draw = Draw,
    .fitScale = FitScale,
    .parameters = kRows,
    .editorText = EditorText,
    .sketch = kSketch,
    .figures = kFigures,
};

}  // namespace tavo
