#include "drawing/section_drawing.h"
#include "families/family_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/language.h"
#include "drawing/primitives.h"
#include "drawing/sample_sections.h"
#include "support/test_support.h"

namespace tavo {
namespace {

using test::PrepareCanvas;
using test::SampleSections;
using ::testing::HasSubstr;

constexpr double kUnitsPerPixel = 2500.0 / 640.0;

void ExpectGolden(const std::string& name, const std::string& actual) {
  test::ExpectGolden(std::string(TAVO_GOLDEN_DIR) + "/drawing/" + name + ".txt", actual);
}

struct Rect {
  double x1, y1, x2, y2;
  std::string text;
};

std::string Quoted(const std::string& line) {
  const auto a = line.find('"');
  const auto b = line.find('"', a + 1);
  return line.substr(a + 1, b - a - 1);
}

// The boxes of every text in a recording, by the recorder's font model, in drawing units.
std::vector<Rect> TextRects(const std::vector<std::string>& lines) {
  std::vector<Rect> out;
  for (const auto& l : lines) {
    if (l.rfind("print ", 0) == 0) {
      std::istringstream in(l.substr(6));
      double x, y;
      in >> x >> y;
      const std::string text = Quoted(l);
      const auto sizeAt = l.find("\" ", l.find("font=")) + 2;
      const double size = std::stod(l.substr(sizeAt));
      const double em = size * 96.0 / 72.0 * kUnitsPerPixel;
      out.push_back({x, y, x + 0.55 * em * static_cast<double>(Utf8Length(text)), y + 1.15 * em, text});
    } else if (l.rfind("textout ", 0) == 0) {
      const long px = std::stol(l.substr(8));
      const long py = std::stol(l.substr(l.find(',') + 1));
      const std::string text = Quoted(l);
      const double h = std::stod(l.substr(l.find("height=") + 7));
      EXPECT_THAT(l, HasSubstr("angle=900"));
      const double w = 0.55 * h * static_cast<double>(Utf8Length(text));
      out.push_back({px * kUnitsPerPixel, (py - w) * kUnitsPerPixel, (px + 1.15 * h) * kUnitsPerPixel,
                     py * kUnitsPerPixel, text});
    }
  }
  return out;
}

struct Drawn {
  RecordingSurface r{640, 480, 96};
  SectionDrawing result;
};

void DrawOn(Drawn& d, const Section& s, bool dimensions = true, bool print = false) {
  PrepareCanvas(d.r);
  DrawingContext dc(d.r);
  dc.printFlag = print;
  if (!dimensions) dc.drawingMode = kNoDimensionMode;
  d.result = DrawSection(dc, s);
}

TEST(DrawSection, EveryFamilyMatchesItsReviewedRecording) {
  for (const auto& [name, section] : SampleSections()) {
    Drawn d;
    DrawOn(d, section);
    ExpectGolden(name, d.r.Text());
  }
}

TEST(DrawSection, EveryPlateAndLabelStaysOnThePicture) {
  for (const auto& [name, section] : SampleSections()) {
    Drawn d;
    DrawOn(d, section);
    for (const auto& l : d.r.lines()) {
      if (l.rfind("box ", 0) != 0 && l.rfind("line ", 0) != 0) continue;
      std::istringstream in(l.substr(l.find(' ') + 1));
      double x1, y1, x2, y2;
      in >> x1 >> y1 >> x2 >> y2;
      for (double x : {x1, x2}) EXPECT_TRUE(x >= 0 && x <= 2500) << name << ": " << l;
      for (double y : {y1, y2}) EXPECT_TRUE(y >= 0 && y <= 1875) << name << ": " << l;
    }
    for (const Rect& t : TextRects(d.r.lines()))
      EXPECT_TRUE(t.x1 >= 0 && t.x2 <= 2500 && t.y1 >= 0 && t.y2 <= 1875) << name << ": label " << t.text;
  }
}

// True when the segment passes through the inside of the box (shrunk by a hair, so that a
// label may touch a line without being struck by it).
bool SegmentCrossesBox(const DrawnMark& line, const DrawnMark& box) {
  const double x1 = box.x1 + 0.5, x2 = box.x2 - 0.5, y1 = box.y1 + 0.5, y2 = box.y2 - 0.5;
  if (x1 >= x2 || y1 >= y2) return false;
  double t0 = 0, t1 = 1;
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {line.x1 - x1, x2 - line.x1, line.y1 - y1, y2 - line.y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, r);
    else t1 = std::min(t1, r);
    if (t0 > t1) return false;
  }
  return true;
}

bool BoxesMeet(const DrawnMark& a, const DrawnMark& b) {
  return a.x1 < b.x2 - 0.5 && b.x1 < a.x2 - 0.5 && a.y1 < b.y2 - 0.5 && b.y1 < a.y2 - 0.5;
}

// No label meets a label of another dimension, a line of another dimension, or any arrowhead.
void ExpectClearLabels(const std::vector<DrawnMark>& marks, const std::string& what) {
  std::vector<const DrawnMark*> labels;
  for (const DrawnMark& m : marks)
    if (m.kind == MarkKind::Label) labels.push_back(&m);
  ASSERT_FALSE(labels.empty()) << what;
  for (const DrawnMark* label : labels) {
    for (const DrawnMark& m : marks) {
      if (&m == label) continue;
      if (m.kind == MarkKind::Label && m.owner != label->owner) {
        EXPECT_FALSE(BoxesMeet(*label, m)) << what << ": \"" << label->text << "\" covers \"" << m.text << "\"";
      } else if (m.kind == MarkKind::Line && m.owner != label->owner) {
        EXPECT_FALSE(SegmentCrossesBox(m, *label)) << what << ": a line crosses \"" << label->text << "\" at "
                                                  << m.x1 << "," << m.y1 << " - " << m.x2 << "," << m.y2;
      } else if (m.kind == MarkKind::Arrow) {
        EXPECT_FALSE(BoxesMeet(*label, m)) << what << ": an arrowhead covers \"" << label->text << "\"";
      }
    }
  }
}

TEST(DrawSection, NoLabelMeetsAnotherLabelALineOfAnotherDimensionOrAnArrow) {
  for (const auto& [name, section] : SampleSections()) {
    for (int ui : {8, 12}) {
      RecordingSurface r(640, 480, 96);
      PrepareCanvas(r);
      DrawingContext dc(r);
      dc.uiFontSize = ui;
      DrawSection(dc, section);
      ExpectClearLabels(r.marks(), name + " ui " + std::to_string(ui));
    }
  }
  RecordingSurface r(640, 480, 96);
  PrepareCanvas(r);
  DrawingContext dc(r);
  DrawParameterSketch(dc, StandardFamilies());
  ExpectClearLabels(r.marks(), "sketch");
}

TEST(DrawSection, NoLabelCoversAnother) {
  for (const auto& [name, section] : SampleSections()) {
    Drawn d;
    DrawOn(d, section);
    const auto rects = TextRects(d.r.lines());
    for (size_t i = 0; i < rects.size(); ++i)
      for (size_t j = i + 1; j < rects.size(); ++j) {
        const Rect& a = rects[i];
        const Rect& b = rects[j];
        const bool overlap = a.x1 < b.x2 - 1 && b.x1 < a.x2 - 1 && a.y1 < b.y2 - 1 && b.y1 < a.y2 - 1;
        EXPECT_FALSE(overlap) << name << ": \"" << a.text << "\" covers \"" << b.text << "\"";
      }
  }
}

TEST(DrawSection, ZeroSizeSectionUsesTheScreenRule) {
  Drawn d;
  Section s;
  s.cs.family = "PG";
  s.family = StandardFamily("PG");
  DrawOn(d, s);
  EXPECT_DOUBLE_EQ(d.result.s, std::min(1875.0 / 480, 2500.0 / 640));
  for (const auto& l : d.r.lines()) EXPECT_THAT(l, ::testing::Not(HasSubstr("nan")));
}

// The drawing (labels included) stands in the middle of the canvas and fills it up to the
// margin in one direction; without dimensions the shapes (and centroid lines) do the same.
TEST(DrawSection, CentredAndFittedWithItsLabelsOrShapesOnly) {
  for (const auto& [name, section] : SampleSections()) {
    for (bool dimensions : {true, false}) {
      Drawn d;
      DrawOn(d, section, dimensions);
      const MarkExtent e = ExtentOf(d.r.marks(), false);
      if (!dimensions) {
        for (const DrawnMark& m : d.r.marks()) EXPECT_NE(m.kind, MarkKind::Label) << name;
      }
      ASSERT_TRUE(e.found) << name;
      // Polygons are drawn on whole pixels, some 4 units.
      EXPECT_NEAR((e.left + e.right) / 2, 1250, 4) << name << " " << dimensions;
      EXPECT_NEAR((e.top + e.bottom) / 2, 937.5, 4) << name << " " << dimensions;
      EXPECT_GE(e.left, 0.08 * 2500 - 2) << name;
      EXPECT_GE(e.top, 0.08 * 1875 - 2) << name;
      const bool fillsWidth = e.Width() >= 0.84 * 2500 - 8, fillsHeight = e.Height() >= 0.84 * 1875 - 8;
      EXPECT_TRUE(fillsWidth || fillsHeight) << name << " " << dimensions << ": " << e.Width() << " x " << e.Height();
    }
  }
}

TEST(DrawSection, NonFiniteDimensionsNeverReachTheCanvas) {
  Drawn d;
  Section s;
  s.cs.family = "BOX";
  s.family = StandardFamily("BOX");
  s.cs.hw = std::nan(""), s.cs.b = 1e308 * 10, s.cs.tw = 1, s.cs.tf = 1;
  s.props.Depth = std::nan(""), s.props.Width = -std::numeric_limits<double>::infinity();
  DrawOn(d, s);
  for (const auto& l : d.r.lines()) {
    EXPECT_THAT(l, ::testing::Not(HasSubstr("nan")));
    EXPECT_THAT(l, ::testing::Not(HasSubstr("inf")));
  }
}

TEST(DrawSection, ThickTubeShowsAsAFullDisc) {
  Drawn d;
  Section s;
  s.cs.family = "TUBE";
  s.family = StandardFamily("TUBE");
  s.cs.D = 20, s.cs.t = 10;
  s.props.Depth = s.props.Width = 20;
  DrawOn(d, s, false);
  const auto circles = std::count_if(d.r.lines().begin(), d.r.lines().end(),
                                     [](const std::string& l) { return l.rfind("circle", 0) == 0; });
  EXPECT_EQ(circles, 1);
  ASSERT_EQ(d.r.lines().back().rfind("pset", 0), 0u);
  const double c = d.result.x0 - d.result.s * 10;
  EXPECT_EQ(d.r.lines().back(), "pset " + RecordingSurface::Num(c) + " " +
                                    RecordingSurface::Num(d.result.y0 - d.result.s * 10) + " c0");
}

TEST(DrawSection, TubeBoreTakesThePaperColour) {
  Drawn d;
  Section s;
  s.cs.family = "TUBE";
  s.family = StandardFamily("TUBE");
  s.cs.D = 20, s.cs.t = 1;
  s.props.Depth = s.props.Width = 20;
  d.r.BackColor = QBColor(15);
  DrawOn(d, s, false, true);
  std::vector<std::string> circles;
  for (const auto& l : d.r.lines())
    if (l.rfind("circle", 0) == 0) circles.push_back(l);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_THAT(circles[0], HasSubstr("#505050 fill=#505050")) << "the wall prints dark";
  EXPECT_THAT(circles[1], HasSubstr("c15 fill=c15"));
}

TEST(DrawSection, WiderTopFlangeStaysCentred) {
  Drawn d;
  Section s;
  s.cs.family = "PG";
  s.family = StandardFamily("PG");
  s.cs.hw = 60, s.cs.tw = 1, s.cs.bf1 = 20, s.cs.tf1 = 2, s.cs.bf2 = 40, s.cs.tf2 = 2;
  s.props.Depth = 64, s.props.Width = 40;
  DrawOn(d, s, false);
  std::vector<std::array<double, 4>> boxes;
  for (const auto& l : d.r.lines())
    if (l.rfind("box", 0) == 0) {
      std::istringstream in(l.substr(4));
      std::array<double, 4> b{};
      in >> b[0] >> b[1] >> b[2] >> b[3];
      boxes.push_back(b);
    }
  ASSERT_EQ(boxes.size(), 3u);
  const double x0 = d.result.x0;
  EXPECT_GT(std::max(boxes[2][0], boxes[2][2]), x0) << "the top flange reaches past x0";
  for (const auto& b : boxes) EXPECT_NEAR((b[0] + b[2]) / 2, x0 - d.result.s * 10, 1e-3);
}

TEST(DrawSection, NoDimensionModeDrawsShapesOnly) {
  for (const auto& [name, section] : SampleSections()) {
    Drawn d;
    DrawOn(d, section, false);
    int shapes = 0;
    for (const auto& l : d.r.lines()) {
      EXPECT_EQ(l.rfind("print", 0), std::string::npos) << name << ": " << l;
      EXPECT_EQ(l.rfind("textout", 0), std::string::npos) << name << ": " << l;
      const bool shape = l.rfind("box", 0) == 0 || l.rfind("circle", 0) == 0 || l.rfind("polygon", 0) == 0;
      // The only lines left are the grey centroid lines of doubled angles and channels.
      if (l.rfind("line", 0) == 0) {
        EXPECT_THAT(l, HasSubstr(" c8")) << name;
      }
      if (l.rfind("polygon", 0) == 0) {
        EXPECT_EQ(section.cs.family, "L") << name << ": arrowheads are annotation";
      }
      shapes += shape ? 1 : 0;
    }
    EXPECT_GT(shapes, 0) << name;
  }
}

TEST(DrawSection, PlatesAreLightGreyOnScreenAndDarkOnPaperWithBlackLabels) {
  for (bool print : {false, true}) {
    for (const auto& [name, section] : SampleSections()) {
      Drawn d;
      DrawOn(d, section, true, print);
      for (const auto& l : d.r.lines()) {
        if (l.rfind("box", 0) == 0 && l.find("fill=") != std::string::npos && l.find("c10") == std::string::npos &&
            l.find("c12") == std::string::npos) {
          EXPECT_THAT(l, HasSubstr(print ? "#505050 fill=#505050" : "c7 fill=c7")) << name;
        }
        if (print && (l.rfind("print", 0) == 0 || l.rfind("textout", 0) == 0)) {
          EXPECT_THAT(l, ::testing::Not(HasSubstr(" c7"))) << name << ": light grey text on paper";
          EXPECT_THAT(l, ::testing::Not(HasSubstr(" c14"))) << name << ": yellow text on paper";
        }
      }
    }
  }
}

TEST(DrawSection, ChannelCentroidsOneSpacingApart) {
  for (const char* name : {"2unp_facing", "2unp_backs"}) {
    Section s;
    for (const auto& n : SampleSections())
      if (n.name == name) s = n.section;
    Drawn d;
    DrawOn(d, s, false);
    std::vector<double> xs;
    for (const auto& l : d.r.lines())
      if (l.rfind("line", 0) == 0) xs.push_back(std::stod(l.substr(5)));
    ASSERT_EQ(xs.size(), 2u) << name;
    EXPECT_NEAR(xs[0] - xs[1], d.result.s * s.cs.d, 1e-3) << name;
    // The outer edge of the pair is x0.
    double right = 0;
    for (const auto& l : d.r.lines())
      if (l.rfind("box", 0) == 0) {
        std::istringstream in(l.substr(4));
        double a, b, c, e;
        in >> a >> b >> c >> e;
        right = std::max({right, a, c});
      }
    EXPECT_NEAR(right, d.result.x0, 1e-3) << name;
  }
}

TEST(DrawSection, AnglesAreSixPointPolygonsMirroredWhenDoubled) {
  for (const char* name : {"l", "2l", "2l_star"}) {
    Section s;
    for (const auto& n : SampleSections())
      if (n.name == name) s = n.section;
    Drawn d;
    DrawOn(d, s, false);
    std::vector<std::string> polys;
    for (const auto& l : d.r.lines())
      if (l.rfind("polygon", 0) == 0) polys.push_back(l);
    ASSERT_EQ(polys.size(), s.cs.Count == 2 ? 2u : 1u) << name;
    for (const auto& p : polys) EXPECT_EQ(std::count(p.begin(), p.end(), ','), 6) << name << ": " << p;
  }
}

TEST(DrawSection, WebPlatesTallerThanTheClearWebWarn) {
  Section s = test::Rolled("IPE", "IPE270+2WPL300*10", 27, 13.5, 0.66, 1.0);
  s.cs.WebPlateHeight = 30, s.cs.WebPlateThickness = 1, s.cs.DPL = 10;
  s.props.Width = 13.5;
  Drawn d;
  DrawOn(d, s);
  ASSERT_EQ(d.result.reportLines.size(), 1u);
  EXPECT_EQ(d.result.reportLines[0].colour, 12);
  EXPECT_EQ(PickLanguage(d.result.reportLines[0].text, 'E'), "Warning! Enlarge dpl!");
  EXPECT_NE(PickLanguage(d.result.reportLines[0].text, 'F'), "Warning! Enlarge dpl!");
  EXPECT_THAT(d.r.Text(), HasSubstr("box")) << "the section is still drawn";

  s.cs.DPL = 13.5 + 1;  // outside the flanges plus the plate: clear
  DrawOn(d, s);
  EXPECT_TRUE(d.result.reportLines.empty());
  s.cs.DPL = 10, s.cs.WebPlateHeight = 25;  // no taller than the clear web
  DrawOn(d, s);
  EXPECT_TRUE(d.result.reportLines.empty());
}

TEST(DrawParameterSketch, MatchesItsReviewedRecording) {
  RecordingSurface r(640, 480, 96);
  PrepareCanvas(r);
  DrawingContext dc(r);
  const double s = DrawParameterSketch(dc, StandardFamilies());
  EXPECT_DOUBLE_EQ(s, 0.88 * std::min(25.0, 18.75) / 3);
  ExpectGolden("sketch", r.Text());
  const std::string text = r.Text();
  for (const char* name : {"\"tf1\"", "\"hw\"", "\"PL bf*tf\"", "\"PL hw*tw\"", "\"WPL wb*wt \"", "\"dpl\"",
                           "\"PL b*t\"", "\"2IPE...\"", "\"D\"", "\"h2\""})
    EXPECT_THAT(text, HasSubstr(name));
  for (const auto& l : r.lines())
    if (l.rfind("box", 0) == 0) {
      EXPECT_THAT(l, HasSubstr("c6 fill=c6"));
    }
}

TEST(DrawParameterSketch, SamplesAreTheSevenFamilies) {
  const auto samples = ParameterSketchSamples(StandardFamilies());
  ASSERT_EQ(samples.size(), 7u);
  std::vector<std::string> families;
  for (const auto& s : samples) families.push_back(s.sample->cs.family);
  EXPECT_EQ(families, (std::vector<std::string>{"PG", "C", "IPE", "IPE", "BOX", "UNP", "TUBE"}));
  EXPECT_EQ(samples.back().sample->cs.designation, "TUBE D*t");
  EXPECT_EQ(samples.back().family, &kTubeFamily);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST(DrawParameterSketch, FitsTheCanvasWithoutCoveringLabels) {
  for (int ui : {8, 10, 12}) {
    RecordingSurface r(640, 480, 96);
    PrepareCanvas(r);
    DrawingContext dc(r);
    dc.uiFontSize = ui;
    DrawParameterSketch(dc, StandardFamilies());
    const auto rects = TextRects(r.lines());
    for (const Rect& t : rects)
      EXPECT_TRUE(t.x1 >= 0 && t.x2 <= 2500 && t.y1 >= 0 && t.y2 <= 1875) << "ui " << ui << ": label " << t.text;
    for (size_t i = 0; i < rects.size(); ++i)
      for (size_t j = i + 1; j < rects.size(); ++j) {
        const Rect& a = rects[i];
        const Rect& b = rects[j];
        const bool overlap = a.x1 < b.x2 - 1 && b.x1 < a.x2 - 1 && a.y1 < b.y2 - 1 && b.y1 < a.y2 - 1;
        EXPECT_FALSE(overlap) << "ui " << ui << ": \"" << a.text << "\" covers \"" << b.text << "\"";
      }
  }
}

}  // namespace
}  // namespace tavo
