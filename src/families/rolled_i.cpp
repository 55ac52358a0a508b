// Rolled I and H profiles of the catalogue (INP, IPE, IPB; HEB and "HE 200 B" name the IPB
// sizes), alone or two and three side by side, with cover plates "+2PL", web plates "+2WPL"
// and their distance "DPL=".
#include "checks/compactness.h"
#include "families/family_routines.h"
#include "families/family_table.h"

namespace tavo {

namespace {

constexpr FamilyName kNames[] = {{"INP", "INP"}, {"IPE", "IPE"}, {"IPB", "IPB"}, {"HEB", "IPB"}, {"HE", "IPB", 'B'}};

SketchSample RolledSample(int order, double fx, bool coverPlates) {
  SketchSample c;
  c.order = order, c.fx = fx, c.fy = 0.9;
  c.cs.family = "IPE";
  c.cs.designation = c.cs.catalogueName = "2IPE...";
  c.cs.Count = 2;
  c.cs.h = 18, c.cs.b = 9, c.cs.tw = 0.53, c.cs.tf = 0.8, c.cs.d = 15;
  if (coverPlates) {
    c.cs.PlateWidth = 20, c.cs.PlateThickness = 1;
  } else {
    c.cs.WebPlateHeight = 12, c.cs.WebPlateThickness = 1, c.cs.DPL = 20;
  }
  return c;
}

const SketchSample kSketch[] = {RolledSample(2, 0.9, true), RolledSample(3, 0.7, false)};

const HelpFigure kFigures[] = {
    {"ipe_pl",
     [] {
       CurrentSection cs = HelpProfile("IPE h");
       cs.PlateWidth = 22, cs.PlateThickness = 1.5;
       return cs;
     }()},
    {"ipe2",
     [] {
       CurrentSection cs = HelpProfile("2IPE h", 2);
       cs.d = 22, cs.PlateWidth = 42, cs.PlateThickness = 1.5;
       return cs;
     }()},
    {"ipe_wpl",
     [] {
       CurrentSection cs = HelpProfile("IPE h");
       cs.WebPlateHeight = 20, cs.WebPlateThickness = 1, cs.DPL = 1.71;
       return cs;
     }()},
    {"ipe3",
     [] {
       CurrentSection cs = HelpProfile("3IPE h", 3);
       cs.d = 22;
       return cs;
     }()},
};

}  // namespace

extern const SectionFamily kRolledIFamily = [] {
  SectionFamily f = RolledIRecord(kNames);
  f.sketch = kSketch;
  f.figures = kFigures;
  return f;
}();

}  // namespace tavo
