#include "checks/designation_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "checks/check_member.h"
#include "core/units.h"
#include "section_builders.h"
#include "sections/designation_parts.h"
#include "sections/profile_catalogue.h"
#include "sections/section_parser.h"

namespace tavo {
namespace {

using test::Angle;
using test::Box;
using test::Channel;
using test::Cross;
using test::PlateGirder;
using test::Rolled;
using test::Tube;

constexpr double kMm = 0.1;  // cm per mm, as the unit tables hold it (single precision)
const double kMmFactor = static_cast<double>(static_cast<float>(kMm));

TEST(NumberText, ShortestDecimalWithoutNoise) {
  EXPECT_EQ(MmText(50), "500");
  EXPECT_EQ(MmText(0.8), "8");
  EXPECT_EQ(MmText(1.25), "12.5");
  // 0.9 mm stored as 0.09 cm: × 10 is 0.8999999999999999 in binary.
  EXPECT_EQ(MmText(0.9 / 10), "0.9");
  EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumberText(1234567), "1234567");
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(-0.0), "0");
  EXPECT_EQ(NumberText(0.00001), "0.00001");  // no exponent form
  EXPECT_EQ(NumberText(119.99999821186066), "119.999998211861");
}

TEST(ParametricTexts, BaseTextsFromTheDimensions) {
  Section pg = PlateGirder(50, 0.8, 25, 1.2, 25, 1.2);
  RebuildDesignationTexts(pg.cs, CheckFamily::PlateGirder, 1);
  EXPECT_EQ(pg.cs.BaseText, "PG500*8*250*12*250*12");
  EXPECT_EQ(pg.cs.FullText, pg.cs.BaseText);

  Section cross = Cross(40, 30, 0.8, 20, 1.2, 15, 1);
  RebuildDesignationTexts(cross.cs, CheckFamily::Cross, 1);
  EXPECT_EQ(cross.cs.BaseText, "CROSS400*300*8*200*12*150*10");
  EXPECT_EQ(cross.cs.FullText, cross.cs.BaseText);

  Section tube = Tube(27.3, 0.63);
  RebuildDesignationTexts(tube.cs, CheckFamily::Tube, 1);
  EXPECT_EQ(tube.cs.BaseText, "TUBE273*6.3");
  EXPECT_EQ(tube.cs.FullText, "TUBE273*6.3");
}

TEST(BoxText, SpacingShownOnlyWhenNotBMinusTw) {
  Section box = Box(30, 1, 30, 1.5, 29);
  RebuildDesignationTexts(box.cs, CheckFamily::Box, 1);
  EXPECT_EQ(box.cs.BaseText, "BOX300*10*300*15");
  EXPECT_EQ(box.cs.FullText, "BOX300*10*300*15   ");
  // Equal to two decimals is equal.
  box.cs.d = 29.004;
  RebuildDesignationTexts(box.cs, CheckFamily::Box, 1);
  EXPECT_EQ(box.cs.FullText, "BOX300*10*300*15   ");
  // Any other spacing shows unrounded, in the input's length unit.
  box.cs.d = 20.125;
  RebuildDesignationTexts(box.cs, CheckFamily::Box, 1);
  EXPECT_EQ(box.cs.FullText, "BOX300*10*300*15   (d=20.125)");
  box.cs.d = 20;
  RebuildDesignationTexts(box.cs, CheckFamily::Box, 100);  // metres
  EXPECT_EQ(box.cs.FullText, "BOX300*10*300*15   (d=0.2)");
  // Millimetre input: 200 mm came in as 200 × 0.1f cm.
  box.cs.d = 200 * kMmFactor;
  RebuildDesignationTexts(box.cs, CheckFamily::Box, kMmFactor);
  EXPECT_EQ(box.cs.FullText, "BOX300*10*300*15   (d=200)");
}

TEST(AngleText, SpacingShownWhenAboveTheSpacingTheAssemblyTakesByItself) {
  // 2L60: e 1.69, default spacing 2e = 3.38 is not shown.
  Section a = Angle("2L60 ", 6, 0.6, 1.69, 2);
  a.cs.d = 3.38;
  RebuildDesignationTexts(a.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(a.cs.FullText, "2L60       ");  // base, "   ", no spacing, "   ", no arrangement
  a.cs.d = 5;
  RebuildDesignationTexts(a.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(a.cs.FullText, "2L60      (d=5)   ");
  // With a gusset the default is 2e + tpl = 4.38; a wider spacing is shown (it was hidden, and the
  // text read back gave 4.38 instead of 8).
  a.cs.PlateWidth = 10;
  a.cs.PlateThickness = 1;
  a.cs.d = 8;
  RebuildDesignationTexts(a.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(a.cs.FullText, "2L60 +PL100*10     (d=8)   ");
  a.cs.d = 4.38;
  RebuildDesignationTexts(a.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(a.cs.FullText, "2L60 +PL100*10      ");
  // A single angle has no spacing either.
  Section single = Angle("L60", 6, 0.6, 1.69, 1);
  single.cs.d = 8;
  RebuildDesignationTexts(single.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(single.cs.FullText, "L60      ");
}

TEST(AngleText, StarArrangementThresholdIsTheAssemblysMinimum) {
  // "<>": the angles touch at √2·(b + t − 2e) = √2·(6 + 0.6 − 3.38) = 4.5538, stored as 4.55.
  Section a = Angle("2L60<>", 6, 0.6, 1.69, 2, "<>");
  a.cs.d = 4.55;
  RebuildDesignationTexts(a.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(a.cs.FullText, "2L60      <>");  // the arrangement once, at the end
  // 6.09 was below the old threshold 2·(b − e)·0.7071 = 6.095 and not shown, so it read back as 4.55.
  a.cs.d = 6.09;
  RebuildDesignationTexts(a.cs, CheckFamily::Angle, 1);
  EXPECT_EQ(a.cs.FullText, "2L60     (d=6.09)   <>");
}

TEST(ChannelText, ThresholdByArrangementAndRoundedSpacing) {
  // "[]": threshold 2b - 2e = 15 - 4.02 = 10.98, the default spacing.
  Section c = Channel("2UNP200 ", 20, 7.5, 0.85, 1.15, 2.01, 2, "[]");
  c.cs.d = 10.98;
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, 1);
  EXPECT_EQ(c.cs.FullText, "2UNP200       []");
  c.cs.d = 12.345;  // rounded half to even in the text
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, 1);
  EXPECT_EQ(c.cs.FullText, "2UNP200      (d=12.34)   []");
  // "][": threshold 2e = 4.02.
  c.cs.Arrangement = "][";
  c.cs.d = 4.02;
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, 1);
  EXPECT_EQ(c.cs.FullText, "2UNP200       ][");
  c.cs.d = 10.98;
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, 1);
  EXPECT_EQ(c.cs.FullText, "2UNP200      (d=10.98)   ][");
  // Millimetre input: 120 mm, stored rounded to 12.00 cm, shows as 120.
  c.cs.d = 12;
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, kMmFactor);
  EXPECT_EQ(c.cs.FullText, "2UNP200      (d=120)   ][");
  // A gusset plate widens the default to 2e + tpl = 5.02; 12 is still shown (it was hidden).
  c.cs.PlateWidth = 20;
  c.cs.PlateThickness = 1;
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, 1);
  EXPECT_EQ(c.cs.FullText, "2UNP200 +PL200*10     (d=12)   ][");
  c.cs.d = 5.02;
  RebuildDesignationTexts(c.cs, CheckFamily::Channel, 1);
  EXPECT_EQ(c.cs.FullText, "2UNP200 +PL200*10      ][");
}

TEST(RolledText, SingleProfileNeverShowsSpacing) {
  Section s = Rolled("IPE", "IPE30", 30, 15, 0.71, 1.07);
  s.cs.d = 40;
  RebuildDesignationTexts(s.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(s.cs.FullText, "IPE30");
}

TEST(RolledText, DoubledSpacingAboveTheFlangeWidth) {
  Section s = Rolled("2IPE", "2IPE30", 30, 15, 0.71, 1.07, 2);
  s.cs.d = 15;  // flanges touching
  RebuildDesignationTexts(s.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(s.cs.FullText, "2IPE30");
  s.cs.d = 20;
  RebuildDesignationTexts(s.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(s.cs.FullText, "2IPE30  (d=20)");
  RebuildDesignationTexts(s.cs, CheckFamily::Rolled, 100);
  EXPECT_EQ(s.cs.FullText, "2IPE30  (d=0.2)");
}

TEST(RolledText, PlatesWebPlatesAndTheirDistance) {
  Section s = Rolled("IPE", "IPE30", 30, 15, 0.71, 1.07);
  s.cs.PlateWidth = 20;
  s.cs.PlateThickness = 1;
  s.cs.WebPlateHeight = 20;
  s.cs.WebPlateThickness = 0.8;
  s.cs.DPL = 0.71 + 0.8;  // default place: beside the web
  RebuildDesignationTexts(s.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(s.cs.FullText, "IPE30+2PL200*10+WPL200*8  ");
  s.cs.DPL = 25;
  RebuildDesignationTexts(s.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(s.cs.FullText, "IPE30+2PL200*10+WPL200*8  (DPL=25)");
  // A doubled profile's default place is d + tw + wt; then the spacing follows.
  Section d = Rolled("2IPE", "2IPE30", 30, 15, 0.71, 1.07, 2);
  d.cs.d = 20;
  d.cs.WebPlateHeight = 20;
  d.cs.WebPlateThickness = 0.8;
  d.cs.DPL = 20 + 0.71 + 0.8;
  RebuildDesignationTexts(d.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(d.cs.FullText, "2IPE30+WPL200*8    (d=20)");
  // Three profiles: 2d + tw + wt.
  Section t = Rolled("3IPE", "3IPE30", 30, 15, 0.71, 1.07, 3);
  t.cs.d = 15;
  t.cs.WebPlateHeight = 20;
  t.cs.WebPlateThickness = 0.8;
  t.cs.DPL = 2 * 15 + 0.71 + 0.8;
  RebuildDesignationTexts(t.cs, CheckFamily::Rolled, 1);
  EXPECT_EQ(t.cs.FullText, "3IPE30+WPL200*8  ");
}

// The texts the program prints are designations: read again, each must give the section it was
// rebuilt from, in every length unit. (2L80<>  (d=8) was printed as "2L80<>        <>", which
// read back at the touching spacing: I2 453.0 became 284.6.)
TEST(RebuiltTexts, ReadBackAsTheSameSection) {
  const ProfileCatalogue catalogue(TAVO_SOURCE_DIR "/data/cte");
  const std::pair<const char*, const char*> cases[] = {
      {"PG 600*8*250*15", "[kg]-[cm]"},
      {"PG600X8X250X15X200X12", "[kg]-[cm]"},
      {"CROSS 400*300*8*200*12", "[kg]-[cm]"},
      {"BOX 300*10*250*15  (D=20)", "[kg]-[cm]"},
      {"BOX 300*10*250*15 (D=0.2)", "[ton]-[m]"},
      {"BOX 300*10*250*15 (D=213)", "[N]-[mm]"},
      {"TUBE 273*10", "[kg]-[cm]"},
      {"IPB30", "[kg]-[cm]"},
      {"2IPB20  (d=30)", "[kg]-[cm]"},
      {"3IPE30  (d=20)", "[kg]-[cm]"},
      {"2IPE30 (d=200)", "[N]-[mm]"},
      {"2IPE30 (d=0.2345)", "[ton]-[m]"},
      {"IPE30+WPL200*8  DPL=25", "[kg]-[cm]"},
      {"IPE30+WPL200*8  DPL=25", "[ton]-[m]"},
      {"2IPE30+WPL200*8 (d=20) DPL=40", "[kg]-[cm]"},
      {"3IPE30+2PL300*12+2WPL200*8 (d=20) DPL=0.5", "[kg]-[cm]"},
      {"INP24+2PL200*12", "[kg]-[cm]"},
      {"2IPE30+2PL200*10", "[kg]-[cm]"},
      {"HPE300-400", "[kg]-[cm]"},
      {"HPB240+2PL300*10", "[kg]-[cm]"},
      {"CPE30", "[kg]-[cm]"},
      {"CNP24+2PL150*10", "[kg]-[cm]"},
      {"UNP30", "[kg]-[cm]"},
      {"L60", "[kg]-[cm]"},
      {"2L60", "[kg]-[cm]"},
      {"2L80<>  (d=8)", "[kg]-[cm]"},
      {"2L80  (d=0.12)", "[ton]-[m]"},
      {"2L60<> +PL100*8 (d=7)", "[kg]-[cm]"},
      {"2L100 +PL120*10", "[kg]-[cm]"},
      {"2L100 +PL120*10 (d=8)", "[kg]-[cm]"},
      {"2UNP20  (d=12)", "[kg]-[cm]"},
      {"2UNP20 (d=0.15)", "[ton]-[m]"},
      {"2UNP16 ][  (d=10)", "[kg]-[cm]"},
      {"2UNP20 ][ (d=123)", "[N]-[mm]"},
      {"2UNP20 +PL100*10 (d=15)", "[kg]-[cm]"},
  };
  for (const auto& [designation, units] : cases) {
    SectionInput in;
    in.catalogue = &catalogue;
    in.dataUnits = UnitFactors(std::string("UNITS=") + units);
    MemberInput member;
    member.lengthFactor = in.dataUnits.lengthFactor;
    const Section first = ComputeSection(designation, in);
    ASSERT_TRUE(first.problem.empty()) << designation << ": " << first.problem;
    const CheckedMember checked = CheckMember(first, member);
    const std::string text = checked.section.cs.FullText;
    const Section again = ComputeSection(text, in);
    const std::string where = std::string(designation) + " " + units + " -> \"" + text + "\"";
    EXPECT_TRUE(again.problem.empty()) << where << ": " << again.problem;
    EXPECT_EQ(again.cs.Count, first.cs.Count) << where;
    EXPECT_EQ(again.cs.Arrangement, first.cs.Arrangement) << where;
    const auto& p = first.props;
    const auto& q = again.props;
    for (const auto& [name, x, y] :
         {std::tuple{"A", p.A, q.A}, std::tuple{"I1", p.I1, q.I1}, std::tuple{"I2", p.I2, q.I2},
          std::tuple{"S1", p.S1, q.S1}, std::tuple{"S2", p.S2, q.S2}, std::tuple{"J", p.J, q.J},
          std::tuple{"d", first.cs.d, again.cs.d}, std::tuple{"DPL", first.cs.DPL, again.cs.DPL},
          std::tuple{"bpl", first.cs.PlateWidth, again.cs.PlateWidth},
          std::tuple{"wb", first.cs.WebPlateHeight, again.cs.WebPlateHeight}})
      EXPECT_NEAR(y, x, 1e-6 * std::max(1.0, std::fabs(x))) << name << " of " << where;
    // The catalogue name (profile and plates, no spacing) is a designation of the same profiles too.
    if (!first.cs.catalogueName.empty()) {
      const Section named = ComputeSection(first.cs.catalogueName, in);
      EXPECT_TRUE(named.problem.empty()) << first.cs.catalogueName << ": " << named.problem;
      EXPECT_NEAR(named.props.A, p.A, 1e-9 * p.A) << first.cs.catalogueName;
      EXPECT_NEAR(named.props.I1, p.I1, 1e-9 * p.I1) << first.cs.catalogueName;
    }
  }
}

TEST(RolledText, OtherFamilyCodesAreRolled) {
  EXPECT_EQ(FamilyOf("PG"), CheckFamily::PlateGirder);
  EXPECT_EQ(FamilyOf("C"), CheckFamily::Cross);
  EXPECT_EQ(FamilyOf("BOX"), CheckFamily::Box);
  EXPECT_EQ(FamilyOf("TUBE"), CheckFamily::Tube);
  EXPECT_EQ(FamilyOf("UNP"), CheckFamily::Channel);
  EXPECT_EQ(FamilyOf("L"), CheckFamily::Angle);
  for (const char* code : {"IPE", "2IPE", "CPE", "HPB", "XYZ", ""}) EXPECT_EQ(FamilyOf(code), CheckFamily::Rolled);
}

}  // namespace
}  // namespace tavo
