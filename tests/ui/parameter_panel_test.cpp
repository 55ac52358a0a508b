#include "ui/parameter_panel.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/messages.h"
#include "sections/section_parser.h"
#include "support/test_support.h"

namespace tavo::ui {
namespace {

// The editor over the shipped catalogue, computing sections the way the program does.
struct Editor {
  ProfileCatalogue catalogue{test::SourcePath("data/cte/")};
  RecordingMessages messages;
  SectionInput input;
  ParameterPanel panel;
  Editor()
      : panel([this](const std::string& d) { return ComputeSection(d, input); }, &catalogue) {
    input.catalogue = &catalogue;
    input.families = tavo::StandardFamilies();
    input.messages = &messages;
  }
  void Load(const std::string& designation, double length = 300) {
    panel.BuildParameterPanel(ComputeSection(designation, input), length);
  }
  int Row(const char* name) const {
    const int r = panel.RowIndex(name);
    EXPECT_GE(r, 0) << name;
    return r;
  }
  double Value(const char* name) const { return panel.rows()[static_cast<size_t>(Row(name))].value; }
  bool Apply(const std::string& command, const char* row) { return panel.ApplyParameterCommand(command, Row(row)); }
};

ParameterRow MakeRow(double value, double step, double min, double max, double factor = 10) {
  ParameterRow r;
  r.name = r.label = "x";
  r.value = value, r.step = step, r.minimum = min, r.maximum = max, r.factor = factor;
  r.unit = factor == 10 ? "mm" : "cm";
  return r;
}

TEST(UpdateParameter, StepsAndTypedValuesAreLimitedAndRoundedToTheStep) {
  const struct {
    const char* command;
    double value, step, min, max, expected;
    const char* row = "";
  } cases[] = {
      {"+", 19.5, 1, 0, 20, 20},      // limited to max
      {"+", 12, 1, 0, 0, 13},         // open max
      {"-", 0.5, 1, 0, 20, 0},        // not below min
      {"+", 1.04, 0.1, 0, 0, 1.1},    // one decimal for 0.1
      {"/void/", 7, 1, 0, 0, 7},
      {"=123", 10, 1, 0, 0, 12},      // typed in display units (mm): 12.3 -> 12
      {"=12.36", 1, 0.1, 0, 0, 1.2},  // 1.236 -> 1.2
      {"=12,5", 1, 0.1, 0, 0, 1.2},   // decimal comma, half to even
      // Step 0 (the plate girder's web height): the buttons leave it, a new value goes up to a multiple of 5.
      {"=612", 60, 0, 1, 0, 65},
      {"+", 60, 0, 1, 0, 60},
      {"-", 61, 0, 1, 0, 65},
      {"=250", 0, 1, 0, 20, 20},
      {"=2", 30, 1, 5, 0, 5},
      {"=-40", 3, 1, 0, 0, 0},
      {" ", 3, 1, 2, 10, 10, "x=40"},  // a leading blank takes the number after "=" of the row argument
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(UpdateParameter(c.command, MakeRow(c.value, c.step, c.min, c.max), c.row).value, c.expected)
        << c.command << " on " << c.value;
  const UpdateResult bad = UpdateParameter("=abc", MakeRow(3, 1, 0, 0));
  EXPECT_TRUE(bad.invalid);
  EXPECT_TRUE(bad.exitSub);
}

TEST(UpdateParameter, SliderSetupShowsDisplayUnitsAndTheRange) {
  const UpdateResult r = UpdateParameter("set min max for slider", MakeRow(12.5, 1, 1, 40));
  EXPECT_TRUE(r.exitSub);
  EXPECT_TRUE(r.slider.configured);
  EXPECT_EQ(r.slider.minimum, 10);
  EXPECT_EQ(r.slider.maximum, 400);
  EXPECT_EQ(r.slider.position, 125);
  EXPECT_EQ(r.slider.singleStep, 10);
  EXPECT_EQ(r.slider.pageStep, 39);
  EXPECT_EQ(r.slider.text, "125");
  EXPECT_EQ(r.slider.tooltip, "10 < x < 400 mm");
  // An open maximum reaches twice the value.
  EXPECT_EQ(UpdateParameter("set min max for slider", MakeRow(30, 1, 1, 0)).slider.maximum, 600);
  // An empty range leaves the slider alone.
  EXPECT_FALSE(UpdateParameter("set min max for slider", MakeRow(3, 1, 9, 4)).slider.configured);
}

TEST(UpdateParameter, FixedDecimalsComeFromTheLabel) {
  std::string label = "tw\\fixn2";
  EXPECT_EQ(CutFixedDecimals(label), 2);
  EXPECT_EQ(label, "tw");
  std::string plain = "tw";
  EXPECT_EQ(CutFixedDecimals(plain), -1);
  ParameterRow r = MakeRow(0.85, 0.1, 0, 0);
  r.label = "tf\\fixn2";
  EXPECT_EQ(UpdateParameter("set min max for slider", r).slider.text, "8.50");
}

TEST(ParameterPanel, RowListsFollowTheFamily) {
  Editor e;
  const auto list = [&](const std::string& d) {
    e.Load(d);
    std::string s;
    for (const auto& r : e.panel.rows()) s += (s.empty() ? "" : "/") + r.name;
    return s;
  };
  EXPECT_EQ(list("PG 600*8*250*15"), "hw/tw/bf1/tf1/bf2/tf2/L");
  EXPECT_EQ(list("CROSS 400*300*8*200*12"), "h1/h2/tw/b1/tf1/b2/tf2/L");
  EXPECT_EQ(list("BOX 300*10*300*15"), "hw/tw/bf/tf/d/L");
  EXPECT_EQ(list("TUBE 273*10"), "D/t/L");
  EXPECT_EQ(list("L60"), "h/L");
  EXPECT_EQ(list("2UNP20  (d=12)"), "h/tpl/d/L");
  EXPECT_EQ(list("IPE20"), "h/bpl/tpl/wb/wt/dpl/CP/L");
  EXPECT_EQ(list("2IPE20  (d=20)"), "h/bpl/tpl/wb/wt/dpl/CP/d/L");
  EXPECT_EQ(list("HPE300-400"), "h/bpl/tpl/wb/wt/dpl/CP/h'/L");
}

TEST(ParameterPanel, TypedCoverPlateWidthIsLimitedToTwiceTheFlange) {
  Editor e;
  e.Load("IPE20");
  ASSERT_TRUE(e.Apply("=250", "bpl"));
  EXPECT_DOUBLE_EQ(e.Value("bpl"), 20);
  EXPECT_DOUBLE_EQ(e.panel.section().cs.PlateWidth, 20);
  EXPECT_NE(e.panel.designation().find("+2PL200*0"), std::string::npos) << e.panel.designation();
  ASSERT_TRUE(e.Apply("=10", "tpl"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.PlateThickness, 1.0);
  EXPECT_GT(e.panel.section().props.A, 28.48 + 2 * 20 * 1.0 - 0.01);
}

TEST(ParameterPanel, MemberLengthTakesTheSliderValueNotTheStep) {
  Editor e;
  e.Load("IPE20", 300);
  ASSERT_TRUE(e.Apply("=37", "L"));  // what the slider sends at 37
  EXPECT_DOUBLE_EQ(e.panel.memberLength(), 37);  // not 40: the step of 10 only drives the buttons
  ASSERT_TRUE(e.Apply("+", "L"));
  EXPECT_DOUBLE_EQ(e.panel.memberLength(), 47);
  EXPECT_FALSE(e.Apply("=47", "L"));  // nothing changed, nothing to recompute
  ASSERT_TRUE(e.Apply("=9000", "L"));
  EXPECT_DOUBLE_EQ(e.panel.memberLength(), 5000);
  const SliderSetup s = e.panel.SliderFor(e.Row("L"));
  EXPECT_EQ(s.maximum, 5000);
  EXPECT_EQ(s.singleStep, 10);
  EXPECT_EQ(s.tooltip, "0 < L < 5000 cm");
}

TEST(ParameterPanel, OpenMaximumAcceptsLargerValuesAndRescalesTheSlider) {
  Editor e;
  e.Load("PG 600*8*250*15");
  const int bf1 = e.Row("bf1");
  EXPECT_EQ(e.panel.SliderFor(bf1).maximum, 500);  // twice 250 mm
  ASSERT_TRUE(e.Apply("=900", "bf1"));
  EXPECT_DOUBLE_EQ(e.Value("bf1"), 90);
  EXPECT_DOUBLE_EQ(e.panel.section().cs.bf1, 90);
  EXPECT_EQ(e.panel.SliderFor(bf1).maximum, 1800);
  // The web height goes up to a multiple of 5 cm.
  ASSERT_TRUE(e.Apply("=612", "hw"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.hw, 65);
}

TEST(ParameterPanel, BackToBackAngleSpacingIsRaisedToItsMinimum) {
  Editor e;
  e.Load("2L60<>  (d=8)");
  const double minimum = std::sqrt(2.0) * (6 + 0.6 - 2 * 1.69);
  const int d = e.Row("d");
  EXPECT_NEAR(e.panel.rows()[static_cast<size_t>(d)].minimum, minimum, 1e-9);
  ASSERT_TRUE(e.Apply("=10", "d"));  // 1 cm asked, far too close
  EXPECT_NEAR(e.Value("d"), std::round(minimum), 1e-9);
  EXPECT_GE(e.panel.section().cs.d, std::round(minimum) - 1e-9);
  EXPECT_NE(e.panel.designation().find("<>"), std::string::npos);
}

TEST(ParameterPanel, PlateLayoutPresets) {
  Editor e;
  e.Load("IPE20");
  ASSERT_TRUE(e.Apply("=2", "CP"));  // cover plates only
  EXPECT_DOUBLE_EQ(e.Value("bpl"), 8);    // b - 2
  EXPECT_DOUBLE_EQ(e.Value("tpl"), 1.0);  // tf + 0.1, one decimal (0.95 -> 1.0, half to even)
  EXPECT_DOUBLE_EQ(e.Value("wb"), 0);
  EXPECT_DOUBLE_EQ(e.Value("CP"), 2);
  ASSERT_TRUE(e.Apply("=3", "CP"));  // web plates only
  EXPECT_DOUBLE_EQ(e.Value("bpl"), 0);
  EXPECT_DOUBLE_EQ(e.Value("wb"), 18.3);  // h - 2 tf
  EXPECT_DOUBLE_EQ(e.Value("wt"), 0.7);   // tw + 0.1 (0.66 -> 0.7)
  EXPECT_NEAR(e.Value("dpl"), 0.7 + 0.56, 1e-9);
  ASSERT_TRUE(e.Apply("=4", "CP"));
  EXPECT_DOUBLE_EQ(e.Value("CP"), 4);
  ASSERT_TRUE(e.Apply("=1", "CP"));
  EXPECT_DOUBLE_EQ(e.Value("bpl") + e.Value("tpl") + e.Value("wb") + e.Value("wt"), 0);
  EXPECT_EQ(e.panel.designation(), "IPE20");
}

TEST(ParameterPanel, WebPlateThicknessMovesTheWebPlates) {
  Editor e;
  e.Load("2IPE20  (d=20)");
  ASSERT_TRUE(e.Apply("=10", "wt"));
  EXPECT_NEAR(e.Value("dpl"), 1.0 + 0.56 + 20, 1e-9);  // wt + tw + (n - 1) d
  EXPECT_NE(e.panel.designation().find("(d=20)"), std::string::npos) << e.panel.designation();
}

// The web-plate distance is written in centimetres whatever the input's length unit, so that
// the designation reads back with the same distance (in a millimetre input, 8 cm became 80).
TEST(ParameterPanel, WebPlateDistanceReadsBackInEveryLengthUnit) {
  for (const char* units : {"[kg]-[mm]", "[kg]-[cm]", "[ton]-[m]"}) {
    Editor e;
    e.input.dataUnits = UnitFactors(std::string("UNITS=") + units);
    e.panel.SetLengthFactor(e.input.dataUnits.lengthFactor);
    e.Load("IPE30+2WPL200*8  DPL=25");
    ASSERT_TRUE(e.Apply("=10", "wt")) << units;  // the plates move to wt + tw = 1.0 + 0.71 cm
    const double dpl = e.Value("dpl");
    EXPECT_NEAR(dpl, 1.71, 1e-9) << units;
    const Section again = ComputeSection(e.panel.BuildDesignation(), e.input);
    EXPECT_NEAR(again.cs.DPL, dpl, 1e-9) << units << ": " << e.panel.BuildDesignation();
  }
}

TEST(ParameterPanel, SizeRowStepsThroughTheCatalogue) {
  Editor e;
  e.Load("IPE20+2PL200*10");
  const int h = e.Row("h");
  EXPECT_TRUE(e.panel.rows()[static_cast<size_t>(h)].catalogue);
  ASSERT_TRUE(e.Apply("+", "h"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.h, 22);
  EXPECT_DOUBLE_EQ(e.panel.section().cs.PlateWidth, 20);  // the plates stay
  ASSERT_TRUE(e.Apply("-", "h"));
  ASSERT_TRUE(e.Apply("-", "h"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.h, 18);
  // A typed size picks the first record at least that large; the slider runs over the family.
  ASSERT_TRUE(e.Apply("=215", "h"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.h, 22);
  const SliderSetup s = e.panel.SliderFor(h);
  EXPECT_EQ(s.minimum, 80);
  EXPECT_EQ(s.maximum, 600);
  EXPECT_EQ(s.text, "220");
  ASSERT_TRUE(e.Apply("=600", "h"));
  EXPECT_FALSE(e.Apply("+", "h"));  // the last record
}

TEST(ParameterPanel, HalfProfileKeepsItsChangedHeight) {
  Editor e;
  e.Load("HPE300-400");
  EXPECT_DOUBLE_EQ(e.Value("h'"), 40);
  ASSERT_TRUE(e.Apply("=150", "bpl"));
  EXPECT_NE(e.panel.designation().find("HPE300-400+2PL150"), std::string::npos) << e.panel.designation();
  EXPECT_DOUBLE_EQ(e.panel.section().cs.heightChange, 40);
  ASSERT_TRUE(e.Apply("+", "h"));
  EXPECT_EQ(e.panel.designation().rfind("HPE330-400", 0), 0u) << e.panel.designation();
  EXPECT_DOUBLE_EQ(e.Value("h"), 33);  // the parent's size
  EXPECT_DOUBLE_EQ(e.panel.section().cs.heightChange, 40);
}

TEST(ParameterPanel, ParametricSectionsRebuildTheirDesignation) {
  Editor e;
  e.Load("BOX 300*10*300*15");
  ASSERT_TRUE(e.Apply("=12", "tw"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.tw, 1.2);
  EXPECT_EQ(e.panel.designation().rfind("BOX 300*12*300*15", 0), 0u) << e.panel.designation();
  e.Load("TUBE 273*10");
  const double area = e.panel.section().props.A;
  ASSERT_TRUE(e.Apply("+", "t"));
  EXPECT_DOUBLE_EQ(e.panel.section().cs.t, 1.1);
  EXPECT_GT(e.panel.section().props.A, area);
}

}  // namespace
}  // namespace tavo::ui

namespace tavo::ui {
namespace {

// A section written by its European name steps through its own catalogue by nominal size, and
// the editor writes the catalogue name back.
TEST(ParameterPanel, EuropeanNamesStepByNominalSize) {
  Editor e;
  e.Load("HEA200+2PL250*10");
  EXPECT_EQ(e.panel.family(), &kHeAFamily);
  EXPECT_EQ(e.panel.designation(), "HEA200+2PL250*10");
  ASSERT_TRUE(e.Apply("+", "h"));
  EXPECT_EQ(e.panel.section().cs.catalogueName, "IPBL220+2PL250*10");
  EXPECT_DOUBLE_EQ(e.panel.section().cs.h, 21);  // HE 220 A is 210 mm high
  EXPECT_DOUBLE_EQ(e.Value("bpl"), 25);
  e.Load("HE 300 B");
  EXPECT_EQ(e.panel.family(), &kRolledIFamily);
  ASSERT_TRUE(e.Apply("-", "h"));
  EXPECT_EQ(e.panel.section().cs.catalogueName, "IPB280");
}

}  // namespace
}  // namespace tavo::ui
