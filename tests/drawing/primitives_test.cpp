#include "drawing/primitives.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "drawing/canvas_frame.h"
#include "core/text_util.h"
#include "drawing/recording_surface.h"

namespace tavo {
namespace {

using ::testing::HasSubstr;

// A 640 x 480 canvas with the drawing window's frame: 2500 x 1875 units, 0.256 px/unit.
struct Canvas {
  RecordingSurface r{640, 480, 96};
  DrawingContext dc{r};
  Canvas() {
    SetCanvasFrame(r);
    r.ClearRecord();
  }
  std::vector<std::string> With(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& l : r.lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
};

struct Poly {
  std::vector<PixelPoint> pts;
};

Poly ParsePolygon(const std::string& line) {
  Poly p;
  std::istringstream in(line.substr(std::string("polygon").size()));
  std::string tok;
  while (in >> tok) {
    const auto comma = tok.find(',');
    if (comma == std::string::npos) break;
    p.pts.push_back({std::stol(tok.substr(0, comma)), std::stol(tok.substr(comma + 1))});
  }
  return p;
}

// x and y of a "print X Y ..." line.
std::pair<double, double> PrintAt(const std::string& line) {
  std::istringstream in(line.substr(6));
  double x = 0, y = 0;
  in >> x >> y;
  return {x, y};
}

std::string Quoted(const std::string& line) {
  const auto a = line.find('"');
  const auto b = line.find('"', a + 1);
  return line.substr(a + 1, b - a - 1);
}

TEST(SetDrawColor, PaperTurnsWhiteAndYellowBlackAndDarkensTheLightColours) {
  Canvas c;
  for (const auto& [print, index, colour] : {std::tuple{true, 15, "c0"}, std::tuple{true, 14, "c0"},
                                             std::tuple{true, 7, "#505050"}, std::tuple{true, 0, "c0"},
                                             std::tuple{false, 15, "c15"}, std::tuple{false, 14, "c14"},
                                             std::tuple{false, 12, "c12"}}) {
    c.dc.printFlag = print;
    SetDrawColor(c.dc, index);
    EXPECT_EQ(RecordingSurface::ColourName(c.r.ForeColor), colour) << print << " " << index;
  }
  DrawingContext dc;
  for (int i = 0; i < 16; ++i) {
    dc.printFlag = true;
    EXPECT_TRUE(i > 13 || (PaletteColour(dc, i) == QBColor(i)) == (i < 7)) << i;  // 14 and 15 are SetDrawColor's
    dc.printFlag = false;
    EXPECT_EQ(PaletteColour(dc, i), QBColor(i)) << i;
  }
}

TEST(ClearDrawing, ClearsToTheBackground) {
  Canvas c;
  c.r.BackColor = QBColor(15);
  ClearDrawing(c.dc);
  ASSERT_EQ(c.r.lines().size(), 1u);
  EXPECT_EQ(c.r.lines()[0], "cls c15");
}

TEST(DrawPolygon, StepsKeepShapeAndPositionOnAShiftedFrame) {
  Canvas c;
  c.r.Scale(100, 50, 740, 530);  // one unit per pixel, origin not at 0
  c.r.FillStyle = kFillTransparent;
  c.r.ClearRecord();
  DrawPolygon(c.dc, 7, "s", {{110, 60}, {10, 0}, {0, 10}});
  DrawPolygon(c.dc, 7, "", {{110, 60}, {120, 60}, {120, 70}});
  const auto polys = c.With("polygon");
  ASSERT_EQ(polys.size(), 2u);
  const std::vector<PixelPoint> expected{{10, 10}, {20, 10}, {20, 20}};
  EXPECT_EQ(ParsePolygon(polys[0]).pts, expected);
  EXPECT_EQ(ParsePolygon(polys[1]).pts, expected);
  EXPECT_THAT(polys[0], HasSubstr("fill=c7"));
  // The user frame and the fill style are back.
  EXPECT_FLOAT_EQ(c.r.ScaleLeft(), 100);
  EXPECT_FLOAT_EQ(c.r.ScaleTop(), 50);
  EXPECT_FLOAT_EQ(c.r.ScaleWidth(), 640);
  EXPECT_EQ(c.r.ScaleMode(), kUserScaleMode);
  EXPECT_EQ(c.r.FillStyle, kFillTransparent);
}

TEST(DrawPolygon, ColourRulesAndPointLimit) {
  Canvas c;
  c.r.ForeColor = QBColor(3);
  DrawPolygon(c.dc, -1, "s", {{10, 10}, {100, 0}, {0, 100}});
  EXPECT_EQ(c.r.ForeColor, QBColor(3));
  DrawPolygon(c.dc, 12, "s", {{10, 10}, {100, 0}, {0, 100}});
  EXPECT_EQ(c.r.ForeColor, QBColor(12));
  DrawPolygon(c.dc, 0x00FF00, "s", {{10, 10}, {100, 0}, {0, 100}});
  EXPECT_EQ(c.r.ForeColor, (Rgb{0, 255, 0}));
  DrawPolygon(c.dc, 0x0000FF, "s", {{10, 10}, {100, 0}, {0, 100}});
  EXPECT_EQ(c.r.ForeColor, (Rgb{255, 0, 0})) << "packed values hold red in the low byte";
  std::vector<PointF> many(11, PointF{10, 10});
  DrawPolygon(c.dc, 7, "", many);
  EXPECT_EQ(ParsePolygon(c.With("polygon").back()).pts.size(), 9u);
  c.r.ClearRecord();
  DrawPolygon(c.dc, 7, "", {{1, 1}, {2, 2}});
  EXPECT_TRUE(c.With("polygon").empty()) << "fewer than three points is no polygon";
}

TEST(DrawDot, DiscPointAndVisibleWindow) {
  Canvas c;
  DrawDot(c.dc, 100, 100, 20, 12);
  ASSERT_EQ(c.With("circle").size(), 1u);
  EXPECT_THAT(c.With("circle")[0], HasSubstr("c12 fill=c12"));
  EXPECT_EQ(c.r.FillStyle, kFillTransparent);
  DrawDot(c.dc, 100, 100, 0, 4);
  ASSERT_EQ(c.With("pset").size(), 1u);
  EXPECT_THAT(c.With("pset")[0], HasSubstr("c4"));
  c.r.ClearRecord();
  DrawDot(c.dc, -1, 100, 20, 12);
  DrawDot(c.dc, 100, 1876, 20, 12);
  EXPECT_TRUE(c.r.lines().empty()) << "a centre outside the window is skipped";
  DrawDot(c.dc, 2500, 1875, 5, 12);
  EXPECT_EQ(c.With("circle").size(), 1u) << "the window's edges are inside";
  c.r.ForeColor = QBColor(9);
  DrawDot(c.dc, 50, 50, 5, -1);
  EXPECT_THAT(c.With("circle").back(), HasSubstr("c9 fill=c9"));
}

TEST(DrawArrowHead, PointsTheWayItIsTold) {
  Canvas c;
  c.r.CurrentX = 1000, c.r.CurrentY = 1000;  // pixel (256, 256)
  const auto arrow = [&](const char* dir) {
    c.r.ClearRecord();
    DrawArrowHead(c.dc, dir, 1.0);
    return ParsePolygon(c.With("polygon").at(0)).pts;
  };
  // a = 12.5 units (3.2 px), b = 37.5 units (9.6 px)
  EXPECT_EQ(arrow("R"), (std::vector<PixelPoint>{{256, 256}, {246, 253}, {246, 259}}));
  EXPECT_EQ(arrow("l"), (std::vector<PixelPoint>{{256, 256}, {266, 253}, {266, 259}}));
  EXPECT_EQ(arrow("U"), (std::vector<PixelPoint>{{256, 256}, {253, 266}, {259, 266}}));
  EXPECT_EQ(arrow("D"), (std::vector<PixelPoint>{{256, 256}, {253, 246}, {259, 246}}));
  // An angle: 90 points up, so the two corners lie below the tip.
  const auto up = arrow("90");
  EXPECT_EQ(up[0], (PixelPoint{256, 256}));
  EXPECT_GT(up[1].y, 256);
  EXPECT_GT(up[2].y, 256);
  EXPECT_EQ(up[1].y, up[2].y);
  EXPECT_EQ(up[1].x + up[2].x, 2 * 256) << "symmetric about the tip";
}

// Whether an arrow's body lies to the right of its tip.
bool BodyRight(const std::string& polygon) {
  const auto p = ParsePolygon(polygon).pts;
  return p[1].x > p[0].x;
}

TEST(DrawDimension, ArrowsGoOutsideUpToThreeK) {
  Canvas c;  // k = 50 units, 3k = 150
  DrawDimension(c.dc, 1000, 1000, 150, 0, "150", "us");
  auto arrows = c.With("polygon");
  ASSERT_EQ(arrows.size(), 2u);
  // First the arrow at the larger x pointing left, its body beyond the end.
  EXPECT_EQ(ParsePolygon(arrows[0]).pts[0].x, 294);
  EXPECT_TRUE(BodyRight(arrows[0]));
  EXPECT_EQ(ParsePolygon(arrows[1]).pts[0].x, 256);
  EXPECT_FALSE(BodyRight(arrows[1]));

  c.r.ClearRecord();
  DrawDimension(c.dc, 1000, 1000, 151, 0, "151", "us");
  arrows = c.With("polygon");
  ASSERT_EQ(arrows.size(), 2u);
  EXPECT_EQ(ParsePolygon(arrows[0]).pts[0].x, 256);
  EXPECT_TRUE(BodyRight(arrows[0])) << "inside: the left arrow's body points into the line";
  EXPECT_EQ(ParsePolygon(arrows[1]).pts[0].x, 295);
  EXPECT_FALSE(BodyRight(arrows[1]));
}

TEST(DrawDimension, VerticalArrowsFollowTheSameThreshold) {
  Canvas c;
  DrawDimension(c.dc, 500, 1000, 0, -150, "150", "ls");
  auto arrows = c.With("polygon");
  ASSERT_EQ(arrows.size(), 2u);
  // Outside: "D" at the smaller y, its body above the tip.
  EXPECT_LT(ParsePolygon(arrows[0]).pts[1].y, ParsePolygon(arrows[0]).pts[0].y);
  c.r.ClearRecord();
  DrawDimension(c.dc, 500, 1000, 0, -151, "151", "ls");
  arrows = c.With("polygon");
  EXPECT_GT(ParsePolygon(arrows[0]).pts[1].y, ParsePolygon(arrows[0]).pts[0].y) << "inside: \"U\" at the top";
}

TEST(DrawDimension, StepCodeWithColourAndAbsoluteCode) {
  Canvas c;
  const auto result = DrawDimension(c.dc, 500, 400, -20, 0, "20", "ds7");
  EXPECT_DOUBLE_EQ(result.x2, 480);
  EXPECT_EQ(result.code, "d");
  ASSERT_FALSE(c.With("line").empty());
  EXPECT_EQ(c.With("line")[0], "line 500.000 400.000 480.000 400.000 c7");
  const auto prints = c.With("print");
  ASSERT_EQ(prints.size(), 1u);
  const auto [px, py] = PrintAt(prints[0]);
  c.r.Font.Size = 10;  // the label's size
  const double w = c.r.TextWidth("20");
  EXPECT_NEAR(px + w / 2, 490, 1.0) << "centred on the line";
  EXPECT_GT(py, 400) << "below it";
  EXPECT_THAT(prints[0], HasSubstr("c7"));

  c.r.ClearRecord();
  DrawDimension(c.dc, 500, 400, 700, 400, "200", "d");
  EXPECT_EQ(c.With("line")[0], "line 500.000 400.000 700.000 400.000 c14");
}

TEST(DrawDimension, CoincidentPointsDrawOnlyTheLabel) {
  Canvas c;
  DrawDimension(c.dc, 300, 300, 0, 0, "7", "rs10");
  EXPECT_TRUE(c.With("line").empty());
  EXPECT_TRUE(c.With("polygon").empty());
  ASSERT_EQ(c.With("print").size(), 1u);
  const auto [px, py] = PrintAt(c.With("print")[0]);
  EXPECT_DOUBLE_EQ(px, 303);  // "r": three units right of the point
  EXPECT_LT(py, 300);
}

TEST(DrawDimension, ZeroFirstPointTakesThePen) {
  Canvas c;
  c.r.CurrentX = 640, c.r.CurrentY = 320;
  const auto result = DrawDimension(c.dc, 0, 0, 400, 0, "400", "us");
  EXPECT_DOUBLE_EQ(result.x1, 640);
  EXPECT_DOUBLE_EQ(result.x2, 1040);
}

TEST(DrawDimension, VerticalLabelsRotateToTheirSide) {
  Canvas c;
  DrawDimension(c.dc, 1000, 1500, 0, -500, "500", "ls");
  auto text = c.With("textout");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_THAT(text[0], HasSubstr("angle=900"));
  long x = std::stol(text[0].substr(8));
  EXPECT_LT(x, 256) << "left of the line at pixel 256";

  c.r.ClearRecord();
  DrawDimension(c.dc, 1000, 1500, 0, -500, "500", "rs");
  text = c.With("textout");
  ASSERT_EQ(text.size(), 1u);
  x = std::stol(text[0].substr(8));
  EXPECT_GE(x, 256);

  for (const char* code : {"us", "ds", "cs"}) {
    c.r.ClearRecord();
    DrawDimension(c.dc, 1000, 1500, 0, -500, "500", code);
    EXPECT_TRUE(c.With("textout").empty()) << code;
    ASSERT_EQ(c.With("print").size(), 1u) << code;
    const auto [px, py] = PrintAt(c.With("print")[0]);
    EXPECT_DOUBLE_EQ(px, 1000) << code;
    EXPECT_DOUBLE_EQ(py, 1250) << code;
  }
}

TEST(DrawDimension, LeaderToTheLowerLeftEndsInAShelfToTheLeft) {
  Canvas c;
  const auto result = DrawDimension(c.dc, 1000, 1000, -10, 10, "PL300*10", "ds");
  EXPECT_EQ(result.code, "l");
  ASSERT_EQ(c.With("circle").size(), 1u) << "the dot at the start";
  const auto lines = c.With("line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "line 1000.000 1000.000 990.000 1010.000 c14");
  c.r.Font.Size = 10;  // the label's size
  const double w = c.r.TextWidth("PL300*10");
  std::ostringstream shelf;
  shelf << "line 990.000 1010.000 " << RecordingSurface::Num(990 - w) << " 1010.000 c14";
  EXPECT_EQ(lines[1], shelf.str());
  const auto [px, py] = PrintAt(c.With("print").at(0));
  EXPECT_NEAR(px + w, 990 - 3, 0.01) << "label placed with \"l\", ending at the shelf's start";
}

TEST(DrawDimension, CentredLabelBlanksTheLineUnderIt) {
  Canvas c;
  c.r.BackColor = QBColor(0);
  DrawDimension(c.dc, 100, 500, 1000, 0, "1000", "cs");
  ASSERT_EQ(c.With("point").size(), 1u);
  EXPECT_THAT(c.With("point")[0], HasSubstr("point 600.000 494.000"));
  const auto lines = c.With("line");
  c.r.Font.Size = 10;
  const double w = c.r.TextWidth("1000");
  std::ostringstream blank;
  blank << "line " << RecordingSurface::Num(600 - w / 2 - 50) << " 500.000 " << RecordingSurface::Num(600 + w / 2 + 50)
        << " 500.000 c0";
  EXPECT_EQ(lines.back(), blank.str());
}

TEST(DrawDimension, PrintFlagColours) {
  Canvas c;
  c.dc.printFlag = true;
  DrawDimension(c.dc, 100, 500, 1000, 0, "1000", "us");
  EXPECT_THAT(c.With("line")[0], HasSubstr(" c0")) << "yellow dimensions print black";
  EXPECT_THAT(c.With("print")[0], HasSubstr(" c0"));
  c.r.ClearRecord();
  DrawDimension(c.dc, 100, 500, 1000, 0, "1000", "us15");
  EXPECT_THAT(c.With("line")[0], HasSubstr(" c0"));
}

TEST(DrawDimension, RestoresTheFontAndClearsBold) {
  Canvas c;
  c.r.Font.Name = "Times";
  c.r.Font.Size = 9;
  c.r.Font.Bold = true;
  DrawDimension(c.dc, 100, 500, 1000, 0, "1000", "us");
  EXPECT_EQ(c.r.Font.Name, "Times");
  EXPECT_FLOAT_EQ(c.r.Font.Size, 9);
  EXPECT_FALSE(c.r.Font.Bold);
  EXPECT_THAT(c.With("print")[0], HasSubstr("font=\"arial\" 10.000"));
}

TEST(DrawDimension, NoDimensionModeSilencesEveryAnnotation) {
  Canvas c;
  c.dc.drawingMode = kNoDimensionMode;
  DrawDimension(c.dc, 100, 500, 1000, 0, "1000", "us");
  DrawLabel(c.dc, 100, 100, 0, 10, "r", 14, "text");
  DrawValueLabel(c.dc, 100, 100, 0, 10, "r", 14, "d=", 2.5, "L", true, false);
  EXPECT_TRUE(c.r.lines().empty());
  // The shapes still draw.
  DrawPolygon(c.dc, 7, "s", {{10, 10}, {100, 0}, {0, 100}});
  DrawDot(c.dc, 100, 100, 10, 7);
  EXPECT_EQ(c.With("polygon").size(), 1u);
  EXPECT_EQ(c.With("circle").size(), 1u);
}

TEST(DrawLabel, SmallScreensShrinkTheText) {
  Canvas c;
  // Shrunk with the interface size, never under 8 points.
  for (const auto& [ui, size] : {std::pair{8, 8}, std::pair{10, 8}, std::pair{12, 10}}) {
    c.dc.uiFontSize = ui;
    EXPECT_EQ(DrawLabel(c.dc, 100, 100, 0, 10, "r", 14, "x"), size) << ui;
  }
  c.dc.uiFontSize = 12;
  EXPECT_EQ(DrawLabel(c.dc, 100, 100, 0, 5, "r", 14, "x"), 8) << "a label asked for at 5 points";
  c.r.ClearRecord();
  c.dc.uiFontSize = 8;
  DrawDimension(c.dc, 100, 500, 1000, 0, "1000", "us");
  EXPECT_THAT(c.With("print")[0], HasSubstr("font=\"arial\" 8.000"));
}

TEST(DrawLabel, Placements) {
  Canvas c;
  c.r.Font.Size = 10;
  const double w = c.r.TextWidth("AB");  // the label's own size
  const double h = c.r.TextHeight("AB");
  const int hw = RoundUnits(w / 2), hh = RoundUnits(h / 2);
  const auto at = [&](const char* code) {
    c.r.ClearRecord();
    c.r.Font.Size = 10;
    DrawLabel(c.dc, 1000, 1000, 1, 10, code, 14, "AB");
    return PrintAt(c.With("print").at(0));
  };
  c.r.Font.Size = 10;
  EXPECT_EQ(at("c"), std::make_pair(1000.0 - hw, 1000.0 - hh));
  EXPECT_EQ(at("r"), std::make_pair(1003.0, 1000.0 - hh));
  EXPECT_NEAR(at("l").first, 1000 - w - 3, 1e-3);
  EXPECT_EQ(at("d"), std::make_pair(1000.0 - hw, 1002.0));
  EXPECT_NEAR(at("u").second, 1000 - h - 2, 1e-3);
  EXPECT_EQ(at("x"), std::make_pair(1000.0, 1000.0));
}

TEST(DrawLabel, DiameterSignBecomesCapitalPhi) {
  Canvas c;
  DrawLabel(c.dc, 500, 500, 0, 10, "r", 14, "ø20");
  auto prints = c.With("print");
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(Quoted(prints[0]), "F");
  EXPECT_THAT(prints[0], HasSubstr("font=\"symbol\""));
  EXPECT_EQ(Quoted(prints[1]), "20");
  EXPECT_THAT(prints[1], HasSubstr("font=\"Arial\""));
  EXPECT_GT(PrintAt(prints[1]).first, PrintAt(prints[0]).first) << "the pen stays on the line";
  EXPECT_EQ(PrintAt(prints[1]).second, PrintAt(prints[0]).second);

  c.r.ClearRecord();
  DrawLabel(c.dc, 500, 500, 0, 10, "r", 14, "4ø12");
  prints = c.With("print");
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(Quoted(prints[0]), "4F12");
  EXPECT_THAT(prints[0], HasSubstr("font=\"symbol\""));

  for (const char* unchanged : {"d=ø12", "(ø12)", "ø", "abc"}) {
    c.r.ClearRecord();
    DrawLabel(c.dc, 500, 500, 0, 10, "r", 14, unchanged);
    prints = c.With("print");
    ASSERT_EQ(prints.size(), 1u) << unchanged;
    EXPECT_EQ(Quoted(prints[0]), unchanged);
    EXPECT_THAT(prints[0], HasSubstr("font=\"Arial\"")) << unchanged;
  }
  EXPECT_EQ(c.r.Font.Name, "Arial");
}

TEST(DrawLabel, StyleSwitchesLanguageAndPen) {
  Canvas c;
  c.r.CurrentX = 200, c.r.CurrentY = 300;
  DrawLabel(c.dc, 500, 500, 0, 10, "r/bold/italic", 14, "Yes||بله");
  auto prints = c.With("print");
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(Quoted(prints[0]), "Yes");
  EXPECT_THAT(prints[0], HasSubstr("bold italic"));
  EXPECT_DOUBLE_EQ(PrintAt(prints[0]).first, 503) << "the code was cut to \"r\"";
  EXPECT_FALSE(c.r.Font.Bold);
  EXPECT_FALSE(c.r.Font.Italic);
  EXPECT_FLOAT_EQ(c.r.CurrentX, 200);
  EXPECT_FLOAT_EQ(c.r.CurrentY, 300);

  c.dc.language = 'F';
  c.r.ClearRecord();
  c.r.CurrentX = 0;  // a pen at the edge is not put back
  c.r.CurrentY = 300;
  DrawLabel(c.dc, 500, 500, 5, 10, "r", -1, "Yes||بله");
  EXPECT_EQ(Quoted(c.With("print").at(0)), "بله");
  EXPECT_THAT(c.With("print").at(0), HasSubstr("font=\"Symbol\""));
  EXPECT_NE(c.r.CurrentY, 300.0f) << "the pen stays where the text left it";
}

TEST(DrawValueLabel, ConvertsToDisplayUnits) {
  Canvas c;
  c.dc.displayUnits = UnitSystem{"kg", "mm", 1.0f, 0.1f};
  DrawValueLabel(c.dc, 500, 500, 0, 10, "r", 14, "", 2.5, "L", true, true);
  ASSERT_EQ(c.With("print").size(), 1u);
  EXPECT_EQ(Trim(Quoted(c.With("print")[0])), "25 mm");

  c.r.ClearRecord();
  DrawValueLabel(c.dc, 500, 500, 0, 10, "r", 14, "d=", 2.5, "L", true, false);
  const auto prints = c.With("print");
  ASSERT_EQ(prints.size(), 2u) << "main letter and value (the subscript is empty)";
  EXPECT_EQ(Quoted(prints[0]), "d");
  EXPECT_THAT(prints[0], HasSubstr("font=\"Symbol\" 12.000"));
  EXPECT_EQ(Quoted(prints[1]), "=25 mm");
  EXPECT_GT(PrintAt(prints[1]).first, PrintAt(prints[0]).first);

  c.r.ClearRecord();
  DrawDimension(c.dc, 100, 500, 1000, 0, "Lx=3", "us", "L");
  EXPECT_EQ(Quoted(c.With("print").back()), "=30 mm");
}

TEST(Rotator, ConvertsThePenToPixelsAndKeepsTheFrame) {
  Canvas c;
  c.r.Font.Name = "arial";
  c.r.Font.Size = 10;
  DrawRotatedText(c.dc, 1000, 500, 10, 90, "hw");
  const auto text = c.With("textout");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0], "textout 256,128 \"hw\" face=\"arial\" height=13 angle=900 c15");
  EXPECT_EQ(c.r.ScaleMode(), kUserScaleMode);
  EXPECT_FLOAT_EQ(c.r.ScaleWidth(), 2500);
  EXPECT_FLOAT_EQ(c.r.ScaleHeight(), 1875);

  Rotator rot;
  rot.SetAngle(45);
  EXPECT_EQ(rot.Angle(), 45);
  rot.Label("nothing happens without a device");
  c.r.Font.Name = std::string(40, 'x');
  rot.Device(c.r);
  rot.Label("long face");
  EXPECT_THAT(c.With("textout").back(), HasSubstr("face=\"" + std::string(31, 'x') + "\""));
}

TEST(RoundUnits, HalvesToEvenAndClampsTo16Bits) {
  EXPECT_EQ(RoundUnits(12.5), 12);
  EXPECT_EQ(RoundUnits(13.5), 14);
  EXPECT_EQ(RoundUnits(-2.5), -2);
  EXPECT_EQ(RoundUnits(1e9), 32767);
  EXPECT_EQ(RoundUnits(std::nan("")), 0);
}

}  // namespace
}  // namespace tavo
