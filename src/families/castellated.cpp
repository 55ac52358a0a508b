// Castellated beams cut from I profiles (CNP, CPE, CPB): the section at a web post, with the
// net section through an opening for the checks.
#include "checks/aisc360_shape.h"
#include "checks/compactness.h"
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"CNP", "CNP"}, {"CPE", "CPE"}, {"CPB", "CPB"}};

std::string Read(const WrittenDesignation& w, const ProfileCatalogue* catalogue, const AssemblyOptions& options,
                 Section& s, SectionNotes& notes) {
  return ReadCastellated(w, *catalogue, options, s, notes);
}

void Draw(DrawingContext& dc, double x0, double y0, double s, const CurrentSection& cs, const FamilyStyle& style,
          SectionDrawing& out) {
  DrawRolledIProfile(dc, x0, y0, s, cs, style, out, "1.5 h");
}

// An IPE300 cut and welded 450 mm high.
const HelpFigure kFigures[] = {{"castellated", HelpProfile("CPE h", 1, 45)}};

}  // namespace

extern const SectionFamily kCastellatedFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.read = Read;
  f.draw = Draw;
  f.limitStateShape = aisc::CastellatedShape;
  f.figures = kFigures;
  return f;
}();

}  // namespace tavo
