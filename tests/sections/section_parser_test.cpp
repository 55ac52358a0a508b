#include "sections/section_parser.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/messages.h"
#include "section_test_support.h"

namespace tavo {
namespace {

using test::AllFinite;
using test::Integrate;
using test::ScratchCatalogue;

TEST(DesignationOfElement, DropsTheIdAndUpperCases) {
  EXPECT_EQ(DesignationOfElement("12 ipe20  (d=5)"), "IPE20  (D=5)");
  EXPECT_EQ(DesignationOfElement("  7    2unp20"), "2UNP20");
  EXPECT_EQ(DesignationOfElement("12"), "");
}

TEST(ParametricDesignations, PlateGirderReadsMillimetresWithEitherSeparator) {
  ScratchCatalogue sc;
  const Section a = sc.Compute("PG 600*8*250*15");
  EXPECT_EQ(a.cs.family, "PG");
  EXPECT_DOUBLE_EQ(a.cs.hw, 60);
  EXPECT_DOUBLE_EQ(a.cs.tw, 0.8);
  EXPECT_DOUBLE_EQ(a.cs.bf1, 25);
  EXPECT_DOUBLE_EQ(a.cs.tf1, 1.5);
  EXPECT_DOUBLE_EQ(a.cs.bf2, 25);  // defaults to flange 1
  EXPECT_DOUBLE_EQ(a.cs.tf2, 1.5);
  EXPECT_TRUE(a.problem.empty()) << a.problem;
  const Section b = sc.Compute("pg600x8x250x15x200x12");
  EXPECT_DOUBLE_EQ(b.cs.hw, 60);
  EXPECT_DOUBLE_EQ(b.cs.bf2, 20);
  EXPECT_DOUBLE_EQ(b.cs.tf2, 1.2);
  EXPECT_EQ(b.cs.Count, 1);
  EXPECT_EQ(b.cs.Arrangement, "");
}

TEST(ParametricDesignations, CrossBoxAndTube) {
  ScratchCatalogue sc;
  const Section c = sc.Compute("CROSS 400*300*8*200*12");
  EXPECT_EQ(c.cs.family, "C");
  EXPECT_DOUBLE_EQ(c.cs.h1, 40);
  EXPECT_DOUBLE_EQ(c.cs.h2, 30);
  EXPECT_DOUBLE_EQ(c.cs.tw, 0.8);
  EXPECT_DOUBLE_EQ(c.cs.bf1, 20);
  EXPECT_DOUBLE_EQ(c.cs.tf1, 1.2);
  EXPECT_DOUBLE_EQ(c.cs.bf2, 20);
  EXPECT_DOUBLE_EQ(c.cs.tf2, 1.2);

  const Section box = sc.Compute("BOX 300*10*250*15");
  EXPECT_EQ(box.cs.family, "BOX");
  EXPECT_DOUBLE_EQ(box.cs.h, 30);
  EXPECT_DOUBLE_EQ(box.cs.b, 25);
  EXPECT_DOUBLE_EQ(box.cs.tw, 1);
  EXPECT_DOUBLE_EQ(box.cs.tf, 1.5);
  EXPECT_DOUBLE_EQ(box.cs.d, 24);  // b − tw
  EXPECT_DOUBLE_EQ(sc.Compute("BOX 300*10*250*15 (D=20)").cs.d, 20);
  EXPECT_NEAR(sc.Compute("BOX 300*10*250*15 (D=200)", "[kg]-[mm]").cs.d, 20, 1e-6);
  EXPECT_NEAR(sc.Compute("BOX 300*10*250*15", "[kg]-[mm]").cs.d, 24, 1e-6);  // the default is in cm whatever the unit
  EXPECT_DOUBLE_EQ(sc.Compute("BOX 300*10*250*15(D=20)").cs.d, 20);          // no blank needed before the key

  const Section tube = sc.Compute("TUBE 200*10");
  EXPECT_EQ(tube.cs.family, "TUBE");
  EXPECT_DOUBLE_EQ(tube.cs.D, 20);
  EXPECT_DOUBLE_EQ(tube.cs.t, 1);
}

TEST(FamilyTests, TheNameAtTheStartSelectsTheFamily) {
  ScratchCatalogue sc;
  EXPECT_EQ(sc.Compute("L60").cs.family, "L");
  EXPECT_EQ(sc.Compute("L6").cs.family, "L");
  EXPECT_EQ(sc.Compute("2L60<>").cs.family, "L");
  EXPECT_EQ(sc.Compute("UNP20").cs.family, "UNP");
  EXPECT_EQ(sc.Compute("2UNP20").cs.family, "UNP");
  EXPECT_EQ(sc.Compute("IPE20").cs.family, "IPE");
  EXPECT_EQ(sc.Compute("2IPE20").cs.family, "2IPE");
  EXPECT_EQ(sc.Compute("3IPE20").cs.family, "3IPE");
  EXPECT_EQ(sc.Compute("HPE300-400").cs.family, "HPE");
  EXPECT_EQ(sc.Compute("CPE30").cs.family, "CPE");
  EXPECT_EQ(sc.Compute("IPE8").cs.catalogueName, "IPE80");  // a short text is a designation too
  // A blank after the count is allowed for every family alike.
  const Section angles = sc.Compute("2 L60");
  EXPECT_TRUE(angles.usable);
  EXPECT_EQ(angles.cs.Count, 2);
  EXPECT_TRUE(angles.problem.empty()) << angles.problem;
  EXPECT_NEAR(angles.props.I2, sc.Compute("2L60").props.I2, 1e-12);
  // What follows the family's own parts is reported, not read as another family.
  for (const auto& [d, family, rest] : {std::tuple{"PGIPE300", "PG", "IPE300"}, std::tuple{"BOXUNP", "BOX", "UNP"},
                                        std::tuple{"L6UNP20", "L", "UNP20"}, std::tuple{"IPE20UNP20", "IPE", "UNP20"},
                                        std::tuple{"XIPE20", "IPE", "X"}}) {
    const Section s = sc.Compute(d);
    EXPECT_EQ(s.cs.family, family) << d;
    EXPECT_TRUE(HasError(s.diagnostics)) << d;
    EXPECT_NE(s.problem.find("\"" + std::string(rest) + "\" in the designation is not understood"), std::string::npos)
        << d << ": " << s.problem;
  }
}

TEST(FamilyTests, TextsThatNameNoFamilyAreNotRecognised) {
  ScratchCatalogue sc;
  for (const char* d : {"LX5", "XYZ", "2L", "2L<>", "L=300", "HXB300"}) {
    const Section s = sc.Compute(d);
    EXPECT_FALSE(s.recognised) << d;
    EXPECT_FALSE(s.usable) << d;
    EXPECT_NE(s.problem.find("names no section family"), std::string::npos) << d << ": " << s.problem;
    EXPECT_NE(s.problem.find("||"), std::string::npos);
    EXPECT_DOUBLE_EQ(s.props.A, 0) << d;
    EXPECT_DOUBLE_EQ(s.props.I1, 0) << d;
  }
  const Section empty = sc.Compute("   ");
  EXPECT_FALSE(empty.recognised);
  EXPECT_NE(empty.problem.find("empty"), std::string::npos);
  // A family without a size, or with three angles, is recognised and still no section to check.
  EXPECT_FALSE(sc.Compute("IPE").usable);
  EXPECT_NE(sc.Compute("IPE").problem.find("No profile size"), std::string::npos);
  EXPECT_TRUE(HasError(sc.Compute("3L60").diagnostics));
}

TEST(CountArrangementAndBaseText, FollowTheCatalogueName) {
  ScratchCatalogue sc;
  const Section a = sc.Compute("2UNP20  (d=12)");
  EXPECT_EQ(a.cs.Count, 2);
  EXPECT_EQ(a.cs.Arrangement, "[]");
  EXPECT_DOUBLE_EQ(a.cs.d, 12);
  EXPECT_EQ(a.cs.BaseText, "2UNP20  ");  // count, name and size as written, with the blanks after them
  EXPECT_EQ(a.cs.catalogueName, "2UNP200");
  EXPECT_EQ(sc.Compute("2UNP20 ][ (d=12)").cs.Arrangement, "][");
  EXPECT_EQ(sc.Compute("2UNP20 (d=12) ][").cs.Arrangement, "][");  // anywhere after the size
  EXPECT_EQ(sc.Compute("2 L60*6 <>").cs.BaseText, "2 L60*6 ");
  EXPECT_EQ(sc.Compute("2UNP20 ][ +PL100*10").cs.BaseText, "2UNP20 ");
  EXPECT_EQ(sc.Compute("2L60<>").cs.Arrangement, "<>");
  EXPECT_EQ(sc.Compute("2L60").cs.Arrangement, "");
  EXPECT_EQ(sc.Compute("2L60<>").cs.catalogueName, "2L60*6 <>");
  EXPECT_EQ(sc.Compute("2L60").cs.catalogueName, "2L60*6 ");
  EXPECT_EQ(sc.Compute("L60").cs.catalogueName, "L60*6");
  EXPECT_EQ(sc.Compute("IPE30+2PL200*10").cs.BaseText, "IPE30");
  EXPECT_EQ(sc.Compute("IPE30 L=300").cs.BaseText, "IPE30 ");
  EXPECT_EQ(sc.Compute("HPE300-400+2PL200*10").cs.BaseText, "HPE300-400");
  EXPECT_EQ(sc.Compute("2IPE30+2PL200*10").cs.catalogueName, "2IPE300+2PL200*10");
  EXPECT_EQ(sc.Compute("IPE30+WPL200*8").cs.catalogueName, "IPE300+2WPL200*8");
  EXPECT_EQ(sc.Compute("HPE300").cs.catalogueName, "HPE300");
  EXPECT_EQ(sc.Compute("HPE300-400").cs.catalogueName, "HPE300-400");
  EXPECT_EQ(sc.Compute("CPE30").cs.catalogueName, "CPE300");
}

TEST(RecordSelection, SizesSelectRecordsAsWritten) {
  ScratchCatalogue sc;
  EXPECT_DOUBLE_EQ(sc.Compute("IPE20").cs.h, 20);
  EXPECT_DOUBLE_EQ(sc.Compute("IPE 200").cs.h, 20);
  EXPECT_DOUBLE_EQ(sc.Compute("IPE80").cs.h, 8);
  EXPECT_DOUBLE_EQ(sc.Compute("UNP40").cs.h, 4);
  EXPECT_DOUBLE_EQ(sc.Compute("UNP35").cs.h, 35);
  EXPECT_DOUBLE_EQ(sc.Compute("UNP350").cs.h, 35);
  EXPECT_DOUBLE_EQ(sc.Compute("L25").cs.h, 25);  // 2.5 cm is no leg of this catalogue
  EXPECT_DOUBLE_EQ(sc.Compute("L30").cs.h, 3);
  EXPECT_DOUBLE_EQ(sc.Compute("L2").cs.h, 2);
  EXPECT_DOUBLE_EQ(sc.Compute("L6").cs.h, 6);
  EXPECT_DOUBLE_EQ(sc.Compute("L60").cs.h, 6);
  for (const char* d : {"IPE20", "IPE 200", "IPE80", "UNP40", "UNP350", "L25", "L30", "L2", "L60", "L60*6", "L6*0.6"})
    EXPECT_TRUE(sc.Compute(d).problem.empty()) << d << ": " << sc.Compute(d).problem;
}

TEST(RecordSelection, ASizeTheCatalogueLacksIsAnErrorNamingItsNeighbours) {
  ScratchCatalogue sc;
  // Each was computed silently (or with a note nobody saw) as another profile: IPE19 as IPE200,
  // "IPE 5" and "IPE3O" as IPE80, L55 as the last leg, 25 cm.
  const struct {
    const char* designation;
    const char* named;  // the neighbours the message must name
    double h;           // the record kept for the numbers (the one above, else below)
  } cases[] = {{"IPE19", "IPE80 and IPE200", 20},    {"IPE190", "IPE80 and IPE200", 20},
               {"IPE 5", "size is IPE80", 8},         {"IPE3O", "size is IPE80", 8},
               {"IPE650", "size is IPE300", 30},      {"L55", "L30*3 and L60*6", 6},
               {"L61", "L60*6 and L250*25", 25},      {"UNP25", "UNP200 and UNP350", 35},
               {"UNP22", "UNP200 and UNP350", 35}};
  for (const auto& c : cases) {
    const Section s = sc.Compute(c.designation);
    EXPECT_TRUE(HasError(s.diagnostics)) << c.designation;
    EXPECT_NE(s.problem.find("is not in the catalogue"), std::string::npos) << s.problem;
    EXPECT_NE(s.problem.find(c.named), std::string::npos) << c.designation << ": " << s.problem;
    EXPECT_DOUBLE_EQ(s.cs.h, c.h) << c.designation;
    EXPECT_TRUE(AllFinite(s));
  }
  // The letter O is not read as a digit, and says so.
  EXPECT_NE(sc.Compute("IPE3O").problem.find("\"O\" in the designation is not understood"), std::string::npos);
  // No size at all is not a section.
  const Section nosize = sc.Compute("IPEAA");
  EXPECT_TRUE(nosize.recognised);
  EXPECT_FALSE(nosize.usable);
  EXPECT_NE(nosize.problem.find("No profile size"), std::string::npos);
}

TEST(RecordSelection, AngleThicknessMustBeTheCataloguesAndLegsEqual) {
  ScratchCatalogue sc;
  EXPECT_TRUE(sc.Compute("L60*6").problem.empty());
  EXPECT_TRUE(sc.Compute("L60X6").problem.empty());
  EXPECT_TRUE(sc.Compute("L60*60*6").problem.empty());
  EXPECT_TRUE(sc.Compute("2L60*6 <>").problem.empty());  // the name the program prints
  const Section thick = sc.Compute("L60*8");
  EXPECT_TRUE(HasError(thick.diagnostics));
  EXPECT_NE(thick.problem.find("only as L60*6"), std::string::npos) << thick.problem;
  EXPECT_TRUE(HasError(sc.Compute("L60*40*6").diagnostics));  // unequal legs
}

TEST(RecordSelection, ShippedCatalogueSizesReadOneWayOrAreReported) {
  const ProfileCatalogue shipped(TAVO_SOURCE_DIR "/data/cte");
  SectionInput in;
  in.catalogue = &shipped;
  in.families = tavo::StandardFamilies();
  // L100*12: the catalogue has L100 only as L100*10 (was computed as L100*10 without a word).
  const Section l100 = ComputeSection("L100*12", in);
  EXPECT_TRUE(HasError(l100.diagnostics));
  EXPECT_NE(l100.problem.find("L100*10"), std::string::npos) << l100.problem;
  // L55 between L50 and L60 (was computed as L250*25: A 119 instead of an error).
  const Section l55 = ComputeSection("L55", in);
  EXPECT_NE(l55.problem.find("L50*5 and L60*6"), std::string::npos) << l55.problem;
  // UNP25 between UNP240 and UNP260 (was computed as UNP400).
  EXPECT_NE(ComputeSection("UNP25", in).problem.find("UNP240 and UNP260"), std::string::npos);
  // "L20" is the 20 mm leg read as millimetres and the 20 cm leg read as centimetres.
  const Section l20 = ComputeSection("L20", in);
  EXPECT_TRUE(HasError(l20.diagnostics));
  EXPECT_NE(l20.problem.find("write L200 or L2"), std::string::npos) << l20.problem;
  EXPECT_DOUBLE_EQ(ComputeSection("L2", in).cs.h, 2);
  EXPECT_DOUBLE_EQ(ComputeSection("L200", in).cs.h, 20);
  // L2.5 is the 2.5 cm leg (it was cut to the 2 cm leg).
  const Section l25 = ComputeSection("L2.5", in);
  EXPECT_DOUBLE_EQ(l25.cs.h, 2.5);
  EXPECT_TRUE(l25.problem.empty()) << l25.problem;
  // UNP40: no 4 cm channel, so the 40 cm one, with a word.
  const Section unp40 = ComputeSection("UNP40", in);
  EXPECT_DOUBLE_EQ(unp40.cs.h, 40);
  EXPECT_FALSE(HasError(unp40.diagnostics));
  EXPECT_NE(unp40.problem.find("read as UNP400"), std::string::npos) << unp40.problem;
}

// Designations an engineer writes in more than one way: each must give the section the numbers
// describe, checked against the rectangle integrator, and every part that is not read is an error.
TEST(WrittenForms, PlatesWithBlanksAroundThePlusAreRead) {
  ScratchCatalogue sc;
  // IPE30 (scratch record: I1 8356, I2 603.8, A 53.81) with a 200 × 10 plate on each flange.
  const auto plates = Integrate({{-10, 15, 20, 1}, {-10, -16, 20, 1}});
  for (const char* d : {"IPE30 + 2PL200*10", "IPE30 +2PL200*10", "IPE30+ 2PL200*10", "IPE30 + 2PL 200 * 10"}) {
    const Section s = sc.Compute(d);  // the first was computed as the bare IPE30 (I1 8356)
    EXPECT_TRUE(s.problem.empty()) << d << ": " << s.problem;
    EXPECT_NEAR(s.props.A, 53.81 + plates.A, 1e-9) << d;
    EXPECT_NEAR(s.props.I1, 8356 + plates.Ix, 1e-9) << d;
    EXPECT_NEAR(s.props.I2, 603.8 + plates.Iy, 1e-9) << d;
  }
}

TEST(WrittenForms, WebAndCoverPlatesEachTakeTheirOwnSizes) {
  ScratchCatalogue sc;
  // It took the web plate's 200*8 for the cover plate (I1 16 632.7 with plates of 200 × 8).
  const Section s = sc.Compute("IPE30+WPL200*8+2PL150*10");
  EXPECT_TRUE(s.problem.empty()) << s.problem;
  EXPECT_DOUBLE_EQ(s.cs.PlateWidth, 15);
  EXPECT_DOUBLE_EQ(s.cs.PlateThickness, 1);
  EXPECT_DOUBLE_EQ(s.cs.WebPlateHeight, 20);
  EXPECT_DOUBLE_EQ(s.cs.WebPlateThickness, 0.8);
  const double dpl = 0.71 + 0.8;  // against the web
  const auto added = Integrate({{-7.5, 15, 15, 1}, {-7.5, -16, 15, 1}, {-dpl / 2 - 0.4, -10, 0.8, 20},
                                {dpl / 2 - 0.4, -10, 0.8, 20}});
  EXPECT_NEAR(s.props.A, 53.81 + added.A, 1e-9);
  EXPECT_NEAR(s.props.I1, 8356 + added.Ix, 1e-9);
  EXPECT_NEAR(s.props.I2, 603.8 + added.Iy, 1e-9);
  // Castellated beams take the "X" spelling like the I profiles (the plates were dropped).
  const Section x = sc.Compute("CPE30X2PL200X10");
  const Section plus = sc.Compute("CPE30+2PL200*10");
  EXPECT_DOUBLE_EQ(x.cs.PlateWidth, 20);
  EXPECT_NEAR(x.props.I1, plus.props.I1, 1e-9);
  EXPECT_NEAR(x.props.I2, plus.props.I2, 1e-9);
}

TEST(WrittenForms, PlateGirderNumbersGoToTheirFields) {
  ScratchCatalogue sc;
  // hw 60 × tw 0.8 web, two 25 × 1.5 flanges.
  const auto pg = Integrate({{-0.4, -30, 0.8, 60}, {-12.5, 30, 25, 1.5}, {-12.5, -31.5, 25, 1.5}});
  // The mixed separators gave tf1 = 0, the commas all zeros.
  for (const char* d : {"PG 600*8*250*15", "PG 600*8X250*15", "PG 600,8,250,15", "PG 600 x 8 x 250 x 15"}) {
    const Section s = sc.Compute(d);
    EXPECT_TRUE(s.problem.empty()) << d << ": " << s.problem;
    EXPECT_NEAR(s.props.A, pg.A, 1e-9) << d;
    EXPECT_NEAR(s.props.I1, pg.Ix, 1e-9) << d;
    EXPECT_NEAR(s.props.I2, pg.Iy, 1e-9) << d;
  }
  // A plate girder takes no cover plates: the plate is reported, not read as flange 2.
  const Section plated = sc.Compute("PG 600*8*250*15+2PL300*10");
  EXPECT_TRUE(HasError(plated.diagnostics));
  EXPECT_NE(plated.problem.find("\"+2PL300*10\" in the designation is not understood"), std::string::npos)
      << plated.problem;
  EXPECT_DOUBLE_EQ(plated.cs.bf2, 25);
  EXPECT_DOUBLE_EQ(plated.cs.tf2, 1.5);
  // Too few numbers are said as such.
  EXPECT_NE(sc.Compute("PG 600*8*250").problem.find("gives 3 numbers"), std::string::npos);
}

TEST(WrittenForms, SpacingWithAnyBlankOrParenthesis) {
  ScratchCatalogue sc;
  // 2UNP20 at d = 12: I2 = 2·(148 + 32.2·12²/4) = 2614.4; unread, the default 10.98 gave 2237.02.
  for (const char* d : {"2UNP20 d=12", "2UNP20(d=12)", "2UNP20 (d = 12)", "2UNP20  (d=12", "2UNP20 e=12"}) {
    const Section s = sc.Compute(d);
    EXPECT_TRUE(s.problem.empty()) << d << ": " << s.problem;
    EXPECT_DOUBLE_EQ(s.cs.d, 12) << d;
    EXPECT_NEAR(s.props.I2, 2614.4, 1e-9) << d;
  }
}

TEST(WrittenForms, PartsThatDoNotFitTheSectionAreErrors) {
  ScratchCatalogue sc;
  for (const char* d : {"IPE30  (d=20)", "L60<>", "UNP20 ][", "IPE30  DPL=25", "IPE30 L=300 FOO", "IPE300-400",
                        "IPE30+2PL200*10,5", "2L60 <> ][", "IPE30+2PL200*10+2PL100*5"}) {
    const Section s = sc.Compute(d);
    EXPECT_TRUE(HasError(s.diagnostics)) << d << ": " << s.problem;
    EXPECT_TRUE(s.usable) << d;  // numbers to show, no verdict
  }
  // A gusset written for a single angle changes nothing: said, not an error.
  const Section gusset = sc.Compute("L60 +PL100*10");
  EXPECT_FALSE(HasError(gusset.diagnostics));
  EXPECT_FALSE(gusset.problem.empty());
  // "SINGLE" and "ALONE" drop the count and the plates on purpose: nothing to say then.
  EXPECT_TRUE(sc.Compute("2IPE30  (d=20)", "[kg]-[cm]", "SINGLE").problem.empty());
  EXPECT_TRUE(sc.Compute("IPE30+WPL200*8 DPL=25", "[kg]-[cm]", "ALONE").problem.empty());
  // The element's own length key is not part of the designation and is passed over.
  EXPECT_TRUE(sc.Compute("2UNP20  (d=12)  L=400").problem.empty());
  EXPECT_TRUE(sc.Compute("IPE30  L = 600").problem.empty());
}

TEST(WrittenLengths, WebPlateDistanceIsTheDesignationsOwnWhateverTheInputUnit) {
  ScratchCatalogue sc;
  // Web plates 200 × 8 at 25 cm: I2 = 603.8 + 2·(20·0.8³/12 + 16·12.5²).
  const double I2 = 603.8 + 2 * (20 * 0.512 / 12 + 16 * 12.5 * 12.5);
  for (const char* d : {"IPE30+WPL200*8 DPL=25", "IPE30+WPL200*8 DPL=250", "IPE30+WPL200*8 DPL=0.25"}) {
    for (const char* units : {"[kg]-[cm]", "[kg]-[m]", "[kg]-[mm]"}) {
      const Section s = sc.Compute(d, units);  // in metres DPL=250 was 2500 cm and DPL=25 was 250 cm
      EXPECT_NEAR(s.cs.DPL, 25, 1e-12) << d << " " << units;
      EXPECT_NEAR(s.props.I2, I2, 1e-9) << d << " " << units;
    }
  }
  const Section far = sc.Compute("IPE30+WPL200*8 DPL=5000");
  EXPECT_TRUE(HasError(far.diagnostics));
  EXPECT_NEAR(far.cs.DPL, 0.71 + 0.8, 1e-12);  // the default place keeps the numbers sane
}

TEST(WrittenLengths, SpacingsFollowTheInputUnitAndAreNeverBlownUp) {
  ScratchCatalogue sc;
  EXPECT_DOUBLE_EQ(sc.Compute("2UNP20  (d=0.12)", "[kg]-[m]").cs.d, 12);
  // 12 in a metre input is 12 m: it was read as 120 cm without a word.
  const Section metres = sc.Compute("2UNP20  (d=12)", "[kg]-[m]");
  EXPECT_TRUE(HasError(metres.diagnostics));
  EXPECT_NE(metres.problem.find("1200 cm"), std::string::npos) << metres.problem;
  EXPECT_NEAR(metres.cs.d, 10.98, 1e-12);  // the touching spacing keeps the numbers sane
  // A negative spacing was silently raised to the minimum.
  EXPECT_TRUE(HasError(sc.Compute("2UNP20  (d=-5)").diagnostics));
  // A box's web distance in metres: (D=20) was 2000 cm between the webs of a 25 cm wide box.
  EXPECT_DOUBLE_EQ(sc.Compute("BOX 300*10*250*15 (D=0.2)", "[kg]-[m]").cs.d, 20);
  const Section box = sc.Compute("BOX 300*10*250*15 (D=20)", "[kg]-[m]");
  EXPECT_TRUE(HasError(box.diagnostics));
  EXPECT_DOUBLE_EQ(box.cs.d, 24);
  EXPECT_TRUE(HasError(sc.Compute("BOX 300*10*250*15 (D=0.5)").diagnostics));  // webs inside each other
}

TEST(CatalogueProblems, ReachTheSectionAndTheMessagesOncePerFamily) {
  ScratchCatalogue sc;
  RecordingMessages messages;
  SectionInput in = sc.Input();
  in.messages = &messages;
  const Section s = ComputeSection("INP200", in);  // the scratch tree has no stahl.INP
  EXPECT_TRUE(s.recognised);
  EXPECT_FALSE(s.usable);
  EXPECT_NE(s.problem.find("stahl.INP"), std::string::npos);
  ComputeSection("2INP200", in);
  ASSERT_EQ(messages.calls.size(), 1u);  // once per family, not once per element
  EXPECT_NE(messages.calls[0].text.find("not found"), std::string::npos);
  // A family whose file announces no records gives no section.
  sc.dir().Write("cte/stahl.IPB", "0\n");
  const Section empty = ComputeSection("IPB200", in);
  EXPECT_FALSE(empty.usable);
  EXPECT_NE(empty.problem.find("holds no records"), std::string::npos);
  in.language = 'F';
  in.catalogue = nullptr;
  in.families = tavo::StandardFamilies();
  const Section none = ComputeSection("IPE200", in);
  EXPECT_FALSE(none.usable);
  EXPECT_NE(none.problem.find("No profile catalogue"), std::string::npos);
}

TEST(Flags, AloneDropsPlatesAndSingleDropsTheCount) {
  ScratchCatalogue sc;
  const Section bare = sc.Compute("IPE30");
  const Section alone = sc.Compute("IPE30+2PL200*10", "[kg]-[cm]", "alone");
  EXPECT_DOUBLE_EQ(alone.props.A, bare.props.A);
  EXPECT_DOUBLE_EQ(alone.props.I1, bare.props.I1);
  EXPECT_DOUBLE_EQ(alone.cs.PlateWidth, 0);
  EXPECT_EQ(alone.cs.catalogueName, "IPE300");
  const Section single = sc.Compute("2IPE30+2PL200*10", "[kg]-[cm]", "SINGLE");
  EXPECT_EQ(single.cs.Count, 1);
  EXPECT_EQ(single.cs.family, "IPE");
  EXPECT_DOUBLE_EQ(single.cs.PlateWidth, 20);
  const Section both = sc.Compute("2L60 +PL100*10", "[kg]-[cm]", "ALONE SINGLE");
  EXPECT_EQ(both.cs.Count, 1);
  EXPECT_DOUBLE_EQ(both.cs.PlateThickness, 0);
}

TEST(HostileInput, GivesDefinedFiniteResults) {
  ScratchCatalogue sc;
  const std::string longText = "IPE30" + std::string(10000, '+') + "PL200*10";
  const std::string longGarbage(10000, 'Q');
  const std::string nonAscii = "IPE30\xC3\xA9\xFF+2PL200*10";
  const std::string withNul = std::string("PG 600*8\0*250*15", 16);
  for (const std::string& d :
       {longText, longGarbage, nonAscii, withNul, std::string("PG 600*-8*250*15"), std::string("PG"),
        std::string("BOX 0*0*0*0"), std::string("TUBE 10*8"), std::string("CROSS"), std::string("2UNP20  (d=-5)"),
        std::string("IPE30+2PL-200*10"), std::string("HPE300-"), std::string("HPE300--400"),
        std::string("PG 1e300*1e300*1e300*1e300"), std::string("12IPE30"), std::string("IPE-300"),
        std::string("2L60  (d=1e308)"), std::string("IPE30+WPL200*8 DPL=-25"), std::string("\xEF\xBB\xBFIPE30")}) {
    const Section s = sc.Compute(d);
    EXPECT_TRUE(AllFinite(s)) << d.substr(0, 40);
  }
  EXPECT_TRUE(sc.Compute(longText).usable);
  EXPECT_FALSE(sc.Compute(longGarbage).recognised);
  EXPECT_DOUBLE_EQ(sc.Compute(nonAscii).cs.PlateWidth, 20);
}

TEST(HostileInput, ATextOfManyFaultsGivesAFewQuotedOnes) {
  ScratchCatalogue sc;
  std::string text = "2UNP20";
  for (int i = 0; i < 300; ++i) text += " (d=" + std::to_string(i) + ") Q" + std::to_string(i);
  const Section s = sc.Compute(text);
  EXPECT_TRUE(HasError(s.diagnostics));
  EXPECT_LE(s.diagnostics.size(), 8u);
  EXPECT_LT(s.problem.size(), 2000u);
  EXPECT_NE(s.problem.find("More parts of the designation"), std::string::npos) << s.problem;
  EXPECT_DOUBLE_EQ(s.cs.d, 10.98);  // the first spacing, 0, is the touching one
}

TEST(HostileInput, NegativeAndZeroDimensionsAreNamed) {
  ScratchCatalogue sc;
  const Section neg = sc.Compute("PG 600*-8*250*15");
  EXPECT_DOUBLE_EQ(neg.cs.tw, 0);
  EXPECT_NE(neg.problem.find("Dimension tw is negative"), std::string::npos) << neg.problem;
  const Section zero = sc.Compute("PG 600*0*250*15");
  EXPECT_NE(zero.problem.find("Dimension tw is zero"), std::string::npos) << zero.problem;
  EXPECT_DOUBLE_EQ(zero.props.Z1, 0);  // the plastic axis needs tw
  EXPECT_GT(zero.props.I1, 0);         // the flanges still carry bending
  const Section box = sc.Compute("BOX 0*0*0*0");
  EXPECT_NE(box.problem.find("Dimension hw is zero"), std::string::npos);
  EXPECT_DOUBLE_EQ(box.props.S1, 0);
  EXPECT_DOUBLE_EQ(box.props.r1, 0);
  const Section tube = sc.Compute("TUBE 100*80");  // wall thicker than the radius
  EXPECT_DOUBLE_EQ(tube.cs.t, 5);
  EXPECT_NE(tube.problem.find("solid bar"), std::string::npos);
  const Section plate = sc.Compute("IPE30+2PL-200*10");
  EXPECT_DOUBLE_EQ(plate.cs.PlateWidth, 0);
  EXPECT_NE(plate.problem.find("bpl is negative"), std::string::npos);
  const Section many = sc.Compute("5IPE30");
  EXPECT_EQ(many.cs.Count, 1);
  EXPECT_DOUBLE_EQ(many.props.I1, 8356);
  EXPECT_NE(many.problem.find("not supported"), std::string::npos);
  const Section three = sc.Compute("3UNP20");
  EXPECT_EQ(three.cs.Count, 2);
  EXPECT_NE(three.problem.find("At most two"), std::string::npos);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// European names compute the very section of the catalogue name they stand for; the HE A and
// HE M sizes are selected by their nominal size, not their height.
TEST(FamilyNames, EuropeanNamesAndNominalSizesGiveTheCatalogueSections) {
  const ProfileCatalogue shipped(TAVO_SOURCE_DIR "/data/cte");
  SectionInput in;
  in.catalogue = &shipped;
  in.families = StandardFamilies();
  const struct {
    const char* written;
    const char* same;
  } aliases[] = {{"HEB300", "IPB30"},
                 {"HE 300 B", "IPB30"},
                 {"2HEB200+2PL300*10  (d=25)", "2IPB20+2PL300*10  (d=25)"},
                 {"UPN200", "UNP20"},
                 {"2UPN200 ][ (d=10)", "2UNP20 ][ (d=10)"},
                 {"HEA200", "IPBL20"},
                 {"HE 200 M", "IPBV20"}};
  for (const auto& a : aliases) {
    const Section s = ComputeSection(a.written, in), t = ComputeSection(a.same, in);
    ASSERT_TRUE(s.usable) << a.written << ": " << s.problem;
    EXPECT_TRUE(s.problem.empty()) << a.written << ": " << s.problem;
    EXPECT_EQ(s.family, t.family) << a.written;
    EXPECT_EQ(s.cs.catalogueName, t.cs.catalogueName) << a.written;
    EXPECT_DOUBLE_EQ(s.props.A, t.props.A) << a.written;
    EXPECT_DOUBLE_EQ(s.props.I1, t.props.I1) << a.written;
    EXPECT_DOUBLE_EQ(s.props.S2, t.props.S2) << a.written;
  }
  // HE 200 A is 190 mm high and HE 200 M 220 mm: the published A and Iy, named by the size.
  const Section a = ComputeSection("IPBL20", in), m = ComputeSection("IPBV20", in);
  EXPECT_EQ(a.cs.catalogueName, "IPBL200");
  EXPECT_DOUBLE_EQ(a.cs.h, 19);
  EXPECT_DOUBLE_EQ(a.props.A, 53.8);
  EXPECT_DOUBLE_EQ(a.props.I1, 3692);
  EXPECT_DOUBLE_EQ(m.cs.h, 22);
  EXPECT_DOUBLE_EQ(m.props.A, 131.3);
  EXPECT_DOUBLE_EQ(m.props.I1, 10640);
  EXPECT_EQ(a.family, &kHeAFamily);
  EXPECT_EQ(m.family, &kHeMFamily);
  // Plated and doubled like any rolled I, and checked as one: compact class and a weld check.
  const Section plated = ComputeSection("IPBL30+2PL300*12", in);
  EXPECT_TRUE(plated.usable) << plated.problem;
  EXPECT_GT(plated.props.I1, ComputeSection("IPBL30", in).props.I1);
  EXPECT_EQ(ComputeSection("2IPBV20  (d=30)", in).cs.family, "2IPBV");
}

}  // namespace
}  // namespace tavo
