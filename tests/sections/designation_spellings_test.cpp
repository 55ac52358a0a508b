// The designation grammar under many spellings (the welded families in parametric_sections_test):
// every separator, blank and key form an engineer uses must give the section the rectangle
// integrator gives for the same plates; a stray character anywhere must be reported.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "section_test_support.h"

namespace tavo {
namespace {

using test::Integrate;
using test::Rect;
using test::ScratchCatalogue;

using test::ExpectRel;

class Spellings : public test::RandomSpelling {
 protected:
  Spellings() : RandomSpelling(20250611) {}
  // Millimetres as a designation writes them: whole, or with one decimal.
  double Mm(double lo, double hi) {
    const double v = Uniform(lo, hi);
    return Pick(4) == 0 ? std::round(v * 10) / 10 : std::round(v);
  }
};

// IPE30 of the scratch catalogue (A 53.81, I1 8356, I2 603.8, b 15, tw 0.71), one, two or three side
// by side, with cover and web plates in any order and spelling. The plates are integrated; the
// profiles' own share follows the side-by-side rule (the middle one on the axis).
TEST_F(Spellings, RolledProfilesWithPlatesMatchThePlatesIntegrated) {
  ScratchCatalogue sc;
  const double A = 53.81, I1 = 8356, I2 = 603.8, b = 15, h = 30;
  for (int i = 0; i < 1500; ++i) {
    const int n = 1 + Pick(3);
    const double d = n > 1 ? b + Pick(150) / 10.0 : 0;  // cm, at least the flange width
    const double bpl = Mm(100, 500), tpl = Mm(5, 30), wb = Mm(100, 250), wt = Mm(5, 20);
    const double dpl = 10 + Pick(500) / 10.0;  // cm, written in cm, mm or m
    const bool cover = Pick(3) != 0, web = Pick(3) != 0;
    std::vector<std::string> parts;
    if (cover)
      parts.push_back((Pick(3) == 0 ? OneOf({"X", " X", "x"}) : Plus()) + OneOf({"2PL", "2 PL", "PL"}) + Blank() +
                      Num(bpl) + Times() + Num(tpl));
    if (web) {
      parts.push_back(Plus() + OneOf({"WPL", "2WPL"}) + Blank() + Num(wb) + Times() + Num(wt));
      const int unit = Pick(3);
      parts.push_back(Gap() + Key("DPL", Num(unit == 0 ? dpl : unit == 1 ? dpl * 10 : dpl / 100)));
    }
    if (n > 1 && (d > b || Pick(2))) parts.push_back(Gap() + Key(OneOf({"D", "E"}), Num(d)));
    if (Pick(2)) parts.push_back(Gap() + "L=" + Num(Mm(100, 900)));
    std::shuffle(parts.begin(), parts.end(), rng);
    std::string text = (n > 1 ? std::to_string(n) + Blank() : "") + OneOf({"IPE30", "IPE300", "IPE 30", "ipe300"});
    for (const auto& p : parts) text += p;

    const double B = bpl / 10, T = tpl / 10, W = wb / 10, WT = wt / 10;
    std::vector<Rect> plates;
    if (cover) plates.insert(plates.end(), {{-B / 2, h / 2, B, T}, {-B / 2, -h / 2 - T, B, T}});
    if (web) plates.insert(plates.end(), {{-dpl / 2 - WT / 2, -W / 2, WT, W}, {dpl / 2 - WT / 2, -W / 2, WT, W}});
    const auto added = plates.empty() ? test::AreaProperties{} : Integrate(plates);
    const double profilesI2 = n == 1 ? I2 : n == 2 ? 2 * (I2 + A * d * d / 4) : 3 * I2 + 2 * A * d * d;

    const Section s = sc.Compute(text);
    EXPECT_FALSE(HasError(s.diagnostics)) << text << ": " << s.problem;
    EXPECT_EQ(s.cs.Count, n) << text;
    ExpectRel(s.props.A, n * A + added.A, text);
    ExpectRel(s.props.I1, n * I1 + added.Ix, text);
    ExpectRel(s.props.I2, profilesI2 + added.Iy, text);
  }
}

// Doubled angles and channels have no rectangle model here; every spelling must give exactly
// what the plainest spelling of the same parts gives.
TEST_F(Spellings, DoubledAnglesAndChannelsDoNotDependOnTheSpelling) {
  ScratchCatalogue sc;
  for (int i = 0; i < 800; ++i) {
    const bool angle = Pick(2) == 0;
    const std::string arrangement = angle ? (Pick(2) ? "<>" : "") : OneOf({"][", "[]", ""});
    const double tpl = Pick(2) ? Mm(6, 20) : 0;
    const double d = Pick(2) ? 8 + Pick(80) / 10.0 : 0;
    std::string plain = angle ? "2L60" : "2UNP20";
    if (!arrangement.empty()) plain += " " + arrangement;
    if (tpl > 0) plain += " +PL100*" + Num(tpl);
    if (d > 0) plain += " (d=" + Num(d) + ")";

    std::vector<std::string> parts;
    if (!arrangement.empty()) parts.push_back(Blank() + arrangement);
    if (tpl > 0) parts.push_back(Plus() + OneOf({"PL", "PL "}) + "100" + Times() + Num(tpl));
    if (d > 0) parts.push_back(Gap() + Key(OneOf({"D", "E"}), Num(d)));
    std::shuffle(parts.begin(), parts.end(), rng);
    std::string text = angle ? OneOf({"2L60", "2 L60", "2L 60", "2L6", "2L60*6", "2L60X6", "2 L 60 * 6"})
                             : OneOf({"2UNP20", "2 UNP20", "2UNP 200", "2unp20"});
    for (const auto& p : parts) text += p;

    // A spacing below the touching one is a warning in either spelling, never an error.
    const Section a = sc.Compute(plain), s = sc.Compute(text);
    ASSERT_FALSE(HasError(a.diagnostics)) << plain << ": " << a.problem;
    EXPECT_FALSE(HasError(s.diagnostics)) << text << ": " << s.problem;
    EXPECT_EQ(s.cs.Arrangement, a.cs.Arrangement) << text;
    for (const auto& [x, y] : {std::pair{a.props.A, s.props.A}, std::pair{a.props.I1, s.props.I1},
                               std::pair{a.props.I2, s.props.I2}, std::pair{a.props.S2, s.props.S2},
                               std::pair{a.cs.d, s.cs.d}, std::pair{a.cs.PlateThickness, s.cs.PlateThickness}})
      EXPECT_DOUBLE_EQ(y, x) << text << " against " << plain;
  }
}

// A character that belongs to no part, put anywhere in a valid designation, is reported with the
// part it spoiled; the section never comes out clean.
TEST_F(Spellings, AStrayCharacterAnywhereIsReported) {
  ScratchCatalogue sc;
  const char* const valid[] = {"PG 600*8*250*15",       "PG600X8X250X15X200X12",  "CROSS 400*300*8*200*12",
                               "BOX 300*10*250*15 (D=20)", "TUBE 200*10",           "2IPE30+2PL200*10 (d=20)",
                               "IPE30 + WPL200*8 DPL=25", "HPE300-400",             "CPE30X2PL200X10",
                               "2L60 <> +PL100*10",      "2UNP20 ][ (d=12)",       "L60*6",
                               "3IPE30  (d=20)",         "UNP20"};
  const char* const stray[] = {"Q", "#", "?", "!", "%", "@", "&", "~", ";", "'", "Y", "$"};
  for (const char* d : valid) ASSERT_TRUE(sc.Compute(d).problem.empty()) << d;
  for (int i = 0; i < 3000; ++i) {
    std::string text = OneOf(valid);
    const std::string junk = OneOf(stray);
    text.insert(static_cast<size_t>(Pick(static_cast<int>(text.size()) + 1)), junk);
    const Section s = sc.Compute(text);
    EXPECT_TRUE(HasError(s.diagnostics)) << text << ": " << s.problem;
    bool quoted = false;
    for (const Diagnostic& diag : s.diagnostics) quoted = quoted || diag.subject.find(junk) != std::string::npos;
    // In front of the name the whole text is no family; everywhere else the stray part is quoted.
    EXPECT_TRUE(quoted || !s.recognised) << text << ": " << s.problem;
    EXPECT_TRUE(test::AllFinite(s)) << text;
  }
}

}  // namespace
}  // namespace tavo
