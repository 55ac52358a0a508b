#include "sections/section_parser.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <tuple>

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

// The family, catalogue name, base text (count, name and size as written, with the blanks after
// them) and arrangement of a designation; nullptr where not checked.
struct Names {
  const char *designation, *family, *catalogueName, *baseText, *arrangement;
  const char* flags = "";
};
const Names kNames[] = {
    {"L60", "L", "L60*6", nullptr, nullptr},
    {"L6", "L", nullptr, nullptr, nullptr},
    {"2L60<>", "L", "2L60*6 <>", nullptr, "<>"},
    {"2L60", "L", "2L60*6 ", nullptr, ""},
    {"2 L60*6 <>", "L", nullptr, "2 L60*6 ", "<>"},
    {"UNP20", "UNP", "UNP200", nullptr, nullptr},
    {"2UNP20", "UNP", nullptr, nullptr, "[]"},
    {"2UNP20  (d=12)", "UNP", "2UNP200", "2UNP20  ", "[]"},
    {"2UNP20 ][ (d=12)", nullptr, nullptr, nullptr, "]["},
    {"2UNP20 (d=12) ][", nullptr, nullptr, nullptr, "]["},  // anywhere after the size
    {"2UNP20 ][ +PL100*10", nullptr, nullptr, "2UNP20 ", nullptr},
    {"IPE20", "IPE", nullptr, nullptr, nullptr},
    {"IPE8", "IPE", "IPE80", nullptr, nullptr},  // a short text is a designation too
    {"2IPE20", "2IPE", nullptr, nullptr, nullptr},
    {"3IPE20", "3IPE", nullptr, nullptr, nullptr},
    {"3IPE30  (d=20)", "3IPE", "3IPE300", nullptr, nullptr},
    {"IPE30+2PL200*10", nullptr, "IPE300+2PL200*10", "IPE30", nullptr},
    {"IPE30 L=300", nullptr, nullptr, "IPE30 ", nullptr},
    {"2IPE30+2PL200*10", nullptr, "2IPE300+2PL200*10", nullptr, nullptr},
    {"IPE30+WPL200*8", nullptr, "IPE300+2WPL200*8", nullptr, nullptr},
    {"IPE30+2PL200*10+2WPL200*8 DPL=25", nullptr, "IPE300+2PL200*10+2WPL200*8", nullptr, nullptr},
    {"HPE300", "HPE", "HPE300", nullptr, nullptr},
    {"HPE300-400", "HPE", "HPE300-400", "HPE300-400", nullptr},
    {"HPE300-400+2PL200*10", nullptr, nullptr, "HPE300-400", nullptr},
    {"CPE30", "CPE", "CPE300", nullptr, nullptr},
    {"PG 600*8*250*15", "PG", nullptr, nullptr, ""},
    {"CROSS 400*300*8*200*12", "C", nullptr, nullptr, nullptr},
    {"BOX 300*10*250*15", "BOX", nullptr, nullptr, nullptr},
    {"TUBE 200*10", "TUBE", nullptr, nullptr, nullptr},
    {"IPE30+2PL200*10", "IPE", "IPE300", nullptr, nullptr, "alone"},  // the plates dropped on purpose
    {"2IPE30+2PL200*10", "IPE", nullptr, nullptr, nullptr, "SINGLE"},  // and the count
};

TEST(FamilyTests, NamesTheDesignationGives) {
  ScratchCatalogue sc;
  for (const Names& n : kNames) {
    const Section s = sc.Compute(n.designation, "[kg]-[cm]", n.flags);
    if (n.family) { EXPECT_EQ(s.cs.family, n.family) << n.designation; }
    if (n.catalogueName) { EXPECT_EQ(s.cs.catalogueName, n.catalogueName) << n.designation; }
    if (n.baseText) { EXPECT_EQ(s.cs.BaseText, n.baseText) << n.designation; }
    if (n.arrangement) { EXPECT_EQ(s.cs.Arrangement, n.arrangement) << n.designation; }
  }
}

TEST(FamilyTests, WhatFollowsTheFamilysPartsIsReported) {
  ScratchCatalogue sc;
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
