// Half profiles: two tees cut from an I profile and welded back with a web insert,
// "HPE300-400" (the profile, then the new height h' in mm).
#include "checks/aisc360_shape.h"
#include "checks/compactness.h"
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"HPE", "HPE"}, {"HNP", "HNP"}, {"HPB", "HPB"}};

constexpr FamilyParameter kHeight{"h'", &CurrentSection::heightChange,
                                  [](const EditorState&) { return ParameterLimits{1, 0, 0}; }};

// The single profile's rows with h' before the length.
const FamilyParameter kRows[] = {kRolledIRows[0], kRolledIRows[1], kRolledIRows[2], kRolledIRows[3], kRolledIRows[4],
                                 kRolledIRows[5], kRolledIRows[6], kHeight,         kLengthRow};

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing& out) {
  DrawRolledIProfile(dc, x0, y0, s, cs, style, out, "h'");
}

// The tees of an IPE300 standing 400 mm high.
const HelpFigure kFigures[] = {{"half", HelpProfile("HPE h-h'", 1, 40)}};

}  // namespace

extern const SectionFamily kHalfProfileFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.halfProfile = true;
  f.parameters = kRows;
  f.draw = Draw;
  f.limitStateShape = aisc::HalfProfileShape;
  f.figures = kFigures;
  return f;
}();

}  // namespace tavo
