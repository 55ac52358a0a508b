#include "sections/section_parser.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "section_test_support.h"

namespace tavo {
namespace {

using test::AllFinite;
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
  EXPECT_DOUBLE_EQ(sc.Compute("BOX 300*10*250*15(D=20)").cs.d, 24);          // the key wants a blank before it

  const Section tube = sc.Compute("TUBE 200*10");
  EXPECT_EQ(tube.cs.family, "TUBE");
  EXPECT_DOUBLE_EQ(tube.cs.D, 20);
  EXPECT_DOUBLE_EQ(tube.cs.t, 1);
}

TEST(FamilyTests, RunInOrderAndTheFirstMatchWins) {
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
  EXPECT_EQ(sc.Compute("PGIPE300").cs.family, "PG");    // "PG" is tested first
  EXPECT_EQ(sc.Compute("BOXUNP").cs.family, "BOX");
  EXPECT_EQ(sc.Compute("L6UNP20").cs.family, "L");      // angles before channels
  EXPECT_EQ(sc.Compute("IPE20UNP20").cs.family, "UNP");  // channels before I profiles
}

TEST(FamilyTests, TextsThatNameNoFamilyAreNotRecognised) {
  ScratchCatalogue sc;
  for (const char* d : {"LX5", "XYZ", "2L", "2L<>", "IPE", "IPE8", "3L60", "L=300", "HEB300"}) {
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
}

TEST(CountArrangementAndBaseText, FollowTheCatalogueName) {
  ScratchCatalogue sc;
  const Section a = sc.Compute("2UNP20  (d=12)");
  EXPECT_EQ(a.cs.Count, 2);
  EXPECT_EQ(a.cs.Arrangement, "[]");
  EXPECT_DOUBLE_EQ(a.cs.d, 12);
  EXPECT_EQ(a.cs.BaseText, "2UNP20  ");  // the cut keeps the trailing blanks
  EXPECT_EQ(a.cs.catalogueName, "2UNP200");
  EXPECT_EQ(sc.Compute("2UNP20 ][ (d=12)").cs.Arrangement, "][");
  EXPECT_EQ(sc.Compute("UNP20 ][").cs.Arrangement, "");   // cleared for a single profile
  EXPECT_EQ(sc.Compute("L60<>").cs.Arrangement, "");
  EXPECT_EQ(sc.Compute("2L60<>").cs.Arrangement, "<>");
  EXPECT_EQ(sc.Compute("2L60").cs.Arrangement, "");
  EXPECT_EQ(sc.Compute("2L60<>").cs.catalogueName, "2L60*6 <>");
  EXPECT_EQ(sc.Compute("2L60").cs.catalogueName, "2L60*6 ");
  EXPECT_EQ(sc.Compute("L60").cs.catalogueName, "L60*6");
  EXPECT_EQ(sc.Compute("IPE30+2PL200*10").cs.BaseText, "IPE30");
  EXPECT_EQ(sc.Compute("IPE30 L=300").cs.BaseText, "IPE30 ");
  EXPECT_EQ(sc.Compute("2IPE30+2PL200*10").cs.catalogueName, "2IPE300+2PL200*10");
  EXPECT_EQ(sc.Compute("IPE30+WPL200*8").cs.catalogueName, "IPE300+2WPL200*8");
  EXPECT_EQ(sc.Compute("HPE300").cs.catalogueName, "HPE300");
  EXPECT_EQ(sc.Compute("HPE300-400").cs.catalogueName, "HPE300-400");
  EXPECT_EQ(sc.Compute("CPE30").cs.catalogueName, "CPE300");
}

TEST(RecordSelection, SizesSelectRecordsAsWritten) {
  ScratchCatalogue sc;
  const Section ipe19 = sc.Compute("IPE19");
  EXPECT_DOUBLE_EQ(ipe19.cs.h, 20);
  EXPECT_EQ(ipe19.cs.catalogueName, "IPE200");
  EXPECT_TRUE(ipe19.problem.empty());
  EXPECT_DOUBLE_EQ(sc.Compute("IPE190").cs.h, 20);
  EXPECT_DOUBLE_EQ(sc.Compute("IPE 200").cs.h, 20);
  EXPECT_DOUBLE_EQ(sc.Compute("IPE80").cs.h, 8);
  EXPECT_DOUBLE_EQ(sc.Compute("UNP40").cs.h, 4);
  EXPECT_DOUBLE_EQ(sc.Compute("UNP35").cs.h, 35);
  EXPECT_DOUBLE_EQ(sc.Compute("UNP350").cs.h, 35);
  EXPECT_DOUBLE_EQ(sc.Compute("L25").cs.h, 25);
  EXPECT_DOUBLE_EQ(sc.Compute("L30").cs.h, 3);
  EXPECT_DOUBLE_EQ(sc.Compute("L2").cs.h, 2);
  EXPECT_DOUBLE_EQ(sc.Compute("L6").cs.h, 6);
  EXPECT_DOUBLE_EQ(sc.Compute("L60").cs.h, 6);
}

TEST(RecordSelection, SizesBeyondTheCatalogueUseTheLastRecordAndSaySo) {
  ScratchCatalogue sc;
  for (const char* d : {"IPE650", "L61", "UNP22"}) {
    const Section s = sc.Compute(d);
    EXPECT_TRUE(s.usable) << d;
    EXPECT_NE(s.problem.find("is not in the catalogue"), std::string::npos) << s.problem;
    EXPECT_TRUE(AllFinite(s));
    EXPECT_GT(s.props.A, 0);
  }
  EXPECT_DOUBLE_EQ(sc.Compute("IPE650").cs.h, 30);
  EXPECT_EQ(sc.Compute("IPE650").cs.catalogueName, "IPE300");
  EXPECT_DOUBLE_EQ(sc.Compute("L61").cs.h, 25);
  // No size at all is not a section.
  const Section nosize = sc.Compute("IPEAA");
  EXPECT_TRUE(nosize.recognised);
  EXPECT_FALSE(nosize.usable);
  EXPECT_NE(nosize.problem.find("No profile size"), std::string::npos);
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
