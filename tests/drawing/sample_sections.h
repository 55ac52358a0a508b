#pragma once
// Hand-built sections of every family (dimensions in cm, as the catalogue and the
// designation parser give them), so the drawings can be tested without the section code.
#include <cmath>
#include <string>
#include <vector>

#include "drawing/recording_surface.h"
#include "families/family_table.h"
#include "drawing/canvas_frame.h"
#include "sections/section.h"

namespace tavo::test {

struct NamedSection {
  std::string name;  // also the golden file's name
  Section section;
};

inline Section Rolled(const std::string& family, const std::string& name, double h, double b, double tw, double tf,
                      int count = 1, double d = 0) {
  Section s;
  s.cs.family = family;
  s.family = StandardFamily(family);
  s.cs.catalogueName = name;
  s.cs.Count = count;
  s.cs.h = h, s.cs.b = b, s.cs.tw = tw, s.cs.tf = tf, s.cs.d = d;
  s.props.Depth = h;
  s.props.Width = b + (count - 1) * d;
  return s;
}

inline std::vector<NamedSection> SampleSections() {
  std::vector<NamedSection> out;
  {
    Section s;  // PG 600*8*250*15
    s.cs.family = "PG";
    s.family = StandardFamily("PG");
    s.cs.hw = 60, s.cs.tw = 0.8, s.cs.bf1 = 25, s.cs.tf1 = 1.5, s.cs.bf2 = 25, s.cs.tf2 = 1.5;
    s.props.Depth = 63, s.props.Width = 25;
    out.push_back({"pg", s});
  }
  {
    Section s;  // CROSS 400*300*8*200*12
    s.cs.family = "C";
    s.family = StandardFamily("C");
    s.cs.h1 = 40, s.cs.h2 = 30, s.cs.tw = 0.8, s.cs.bf1 = 20, s.cs.tf1 = 1.2, s.cs.bf2 = 20, s.cs.tf2 = 1.2;
    s.props.Depth = 42.4, s.props.Width = 32.4;
    out.push_back({"cross", s});
  }
  {
    Section s;  // BOX 300*10*250*15  (D=20)
    s.cs.family = "BOX";
    s.family = StandardFamily("BOX");
    s.cs.h = s.cs.hw = 30, s.cs.tw = 1, s.cs.b = 25, s.cs.tf = 1.5, s.cs.d = 20;
    s.props.Depth = 33, s.props.Width = 25;
    out.push_back({"box", s});
  }
  {
    Section s;  // TUBE 273*10
    s.cs.family = "TUBE";
    s.family = StandardFamily("TUBE");
    s.cs.D = 27.3, s.cs.t = 1;
    s.props.Depth = s.props.Width = 27.3;
    out.push_back({"tube", s});
  }
  {
    Section s = Rolled("L", "L60*6", 6, 6, 0.6, 0.6);  // L60
    s.cs.e = 1.69;
    out.push_back({"l", s});
  }
  {
    Section s = Rolled("L", "2L100*10 ", 10, 10, 1, 1, 2, 6.64);  // 2L100 +PL120*10
    s.cs.e = 2.82, s.cs.PlateWidth = 12, s.cs.PlateThickness = 1;
    s.props.Width = 6.64 + 20 - 5.64;
    out.push_back({"2l", s});
  }
  {
    Section s = Rolled("L", "2L80*8 <>", 8, 8, 0.8, 0.8, 2, 8);  // 2L80<>  (d=8)
    s.cs.e = 2.26, s.cs.Arrangement = "<>";
    s.props.Depth = std::sqrt(2.0) * 8, s.props.Width = 8 + 2 * std::sqrt(2.0) * 2.26;
    out.push_back({"2l_star", s});
  }
  {
    Section s = Rolled("UNP", "UNP300", 30, 10, 1, 1.6);  // UNP30
    s.cs.e = 2.7;
    out.push_back({"unp", s});
  }
  {
    Section s = Rolled("UNP", "2UNP200", 20, 7.5, 0.85, 1.15, 2, 12);  // 2UNP20  (d=12)
    s.cs.e = 2.01, s.cs.Arrangement = "[]";
    s.props.Width = 12 + 2 * 2.01;
    out.push_back({"2unp_facing", s});
  }
  {
    Section s = Rolled("UNP", "2UNP160", 16, 6.5, 0.75, 1.05, 2, 10);  // 2UNP16 ][  (d=10)
    s.cs.e = 1.84, s.cs.Arrangement = "][";
    s.props.Width = 10 + 2 * (6.5 - 1.84);
    out.push_back({"2unp_backs", s});
  }
  out.push_back({"ipe", Rolled("IPE", "IPE300", 30, 15, 0.71, 1.07)});
  out.push_back({"2ipe", Rolled("2IPE", "2IPE300", 30, 15, 0.71, 1.07, 2, 20)});
  out.push_back({"3ipe", Rolled("3IPE", "3IPE300", 30, 15, 0.71, 1.07, 3, 20)});
  {
    Section s = Rolled("IPE", "IPE300+2PL200*10", 30, 15, 0.71, 1.07);
    s.cs.PlateWidth = 20, s.cs.PlateThickness = 1;
    s.props.Depth = 32, s.props.Width = 20;
    out.push_back({"ipe_cover", s});
  }
  {
    Section s = Rolled("IPE", "IPE300+2WPL200*8", 30, 15, 0.71, 1.07);
    s.cs.WebPlateHeight = 20, s.cs.WebPlateThickness = 0.8, s.cs.DPL = 25;
    s.props.Width = 25.8;
    out.push_back({"ipe_web", s});
  }
  out.push_back({"hpe", Rolled("HPE", "HPE300-400", 40, 30, 0.85, 1.6)});
  out.push_back({"cpe", Rolled("CPE", "CPE300", 45, 15, 0.71, 1.07)});
  return out;
}

// The recorder as the drawing window would be: 640 x 480 pixels, frame 2500 units wide.
inline void PrepareCanvas(RecordingSurface& r) {
  SetCanvasFrame(r);
  r.ClearRecord();
}

}  // namespace tavo::test
