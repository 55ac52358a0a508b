// The batch pass with the real parser and catalogue: element lines in, checked members out.
// Expected numbers are worked from the catalogue records (data/cte) by hand.
#include "checks/element_check.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "core/text_util.h"
#include "sections/profile_catalogue.h"
#include "support/input_fixture.h"

namespace tavo {
namespace {

struct CheckedRun : test::OpenedInput {
  ProfileCatalogue catalogue{std::string(TAVO_INSTALL_TREE) + "/cte/"};
  SectionInput input;
  std::map<int, CheckedMember> members;
  BatchPassResult result;

  explicit CheckedRun(const std::string& body) {
    EXPECT_TRUE(std::filesystem::exists(std::string(TAVO_INSTALL_TREE) + "/cte/stahl.IPE"))
        << "the catalogue is not installed: build the catalogue_files target first";
    EXPECT_TRUE(Open(test::kInputHeader + body));
    input.catalogue = &catalogue;
    input.families = tavo::StandardFamilies();
    input.dataUnits = ctx.dataUnitSystem;
    input.messages = &messages;
    result = Main_Continue_Const(ctx, session, MakeElementCheck(ctx, input, [this](int i, const CheckedMember& m) {
                                   members.emplace(i, m);
                                 }));
  }
};

// IPE 200: h 20, b 10, tw 0.56, tf 0.85, A 28.48, Ix 1943, Iy 142.4.
// S1 = 194.3, r1 = 8.2597, r2 = √5 = 2.2361, hw6 = 3.05, rt = 2.63503, Af = 8.5.
TEST(ElementCheck, ColumnBeamAndBraceFromTheCatalogue) {
  CheckedRun r("NO=1,1,1\n1 IPE200 L=300\n2 IPE200 L=300\n3 L60 L=200\n");
  ASSERT_EQ(r.result.N, 3);
  ASSERT_EQ(r.members.size(), 3u);

  // Column: lambda = 300/√5 = 134.16 > Cc, Fa = π²·2100000/(1.92·18000) = 599.72; Pmax = 17.08 → 17.1;
  // Tmax = 0.6 × 2400 × 28.48 / 1000 = 41.01 → 41.0.
  const CheckedMember& column = r.members.at(1);
  EXPECT_EQ(column.member.kind, MemberKind::Column);
  EXPECT_EQ(column.member.Lx, 300);
  ASSERT_TRUE(column.section.usable) << column.section.problem;
  ASSERT_TRUE(column.results.lambda && column.results.Fa);
  EXPECT_NEAR(*column.results.lambda, 134.16408, 1e-4);
  EXPECT_NEAR(*column.results.Fa, 599.7155, 1e-3);
  EXPECT_DOUBLE_EQ(column.results.Pmax, 17.1);
  EXPECT_DOUBLE_EQ(column.results.Tmax, 41.0);

  // Beam: class C; Lc = min(635 × 10/√2400, 1400000 × 8.5/(2400 × 20)) = 129.619.
  // L = 300 ≥ Lc: step a 840000/(300 × 20/8.5) = 1190; q = 300/2.63503 = 113.85 gives 905.48;
  // the larger, 1190, stands. Mmax = 194.3 × 1190 / 100000 = 2.312 → 2.31.
  const CheckedMember& beam = r.members.at(2);
  EXPECT_EQ(beam.member.kind, MemberKind::Beam);
  EXPECT_EQ(beam.results.cls, "C");
  EXPECT_NEAR(beam.results.Lc, 129.61883, 1e-4);
  ASSERT_TRUE(beam.results.Fb && beam.results.Mmax);
  EXPECT_NEAR(*beam.results.Fb, 1190.0, 1e-6);
  EXPECT_DOUBLE_EQ(*beam.results.Mmax, 2.31);
  EXPECT_EQ(beam.section.cs.FullText, "IPE200 ");  // the base text is cut before "L=", blank kept

  // Brace L60: b 6, t 0.6, A 6.91, Iv 9.38 → r2 = √(9.38/6.91) = 1.16510; lambda = 171.66,
  // Fa = π²·2100000/(1.92·171.66²) = 366.34, Pmax = 2.531 → 2.5, Tmax = 9.95 → 10.0; no class, no Fb.
  const CheckedMember& brace = r.members.at(3);
  EXPECT_EQ(brace.member.kind, MemberKind::Bracing);
  EXPECT_EQ(brace.results.cls, "");
  EXPECT_FALSE(brace.results.Fb);
  ASSERT_TRUE(brace.results.lambda);
  EXPECT_NEAR(*brace.results.lambda, 171.6594, 1e-3);
  EXPECT_DOUBLE_EQ(brace.results.Pmax, 2.5);
  EXPECT_DOUBLE_EQ(brace.results.Tmax, 10.0);

  // The summaries kept by the pass agree with the full records.
  ASSERT_TRUE(r.result.results[1].Mmax);
  EXPECT_DOUBLE_EQ(*r.result.results[1].Mmax, 2.31);
  EXPECT_EQ(r.result.results[1].cls, 'C');
  EXPECT_EQ(r.result.results[2].cls, '\0');
}

TEST(ElementCheck, CanonicalTextsOfParametricShapes) {
  CheckedRun r("NO=2\n1 PG 500*8*250*12\n2 BOX 300*10*300*15\n");
  ASSERT_EQ(r.members.size(), 2u);
  EXPECT_EQ(r.members.at(1).section.cs.FullText, "PG500*8*250*12*250*12");
  EXPECT_EQ(r.members.at(1).results.cls, "C");
  EXPECT_NEAR(r.members.at(1).results.Lc, 324.04708, 1e-4);
  EXPECT_EQ(r.members.at(2).section.cs.FullText, "BOX300*10*300*15   ");
}

TEST(ElementCheck, CoverPlateWeldDecidesTheStatus) {
  // IPB 400 has tf 2.4: with an 8 mm plate awMin 0.8 ≥ awMax 0.7 → not OK.
  // IPB 300 has tf 1.9: with a 10 mm plate awMin 0.7 < awMax 0.9 → OK.
  CheckedRun r("NO=2\n1 IPB400+2PL300*8\n2 IPB300+2PL300*10\n");
  ASSERT_EQ(r.members.size(), 2u);
  EXPECT_FALSE(r.members.at(1).results.ok);
  EXPECT_FALSE(r.result.results[0].ok);
  EXPECT_TRUE(r.members.at(2).results.ok);
  EXPECT_EQ(r.members.at(2).section.cs.FullText, "IPB300+2PL300*10");
}

TEST(ElementCheck, FrameExampleVerdicts) {
  // The bundled frame, run as written. Its brace 8, 2L60<> at 480 cm, has KL/r = 480/2.2892 = 209.7
  // (r1 = √(2·36.21/13.82)): beyond 200, so no compression is allowed and the brace is not OK.
  const std::string file = test::ReadFile(std::string(TAVO_SOURCE_DIR) + "/examples/frame.Ardekon");
  CheckedRun r(file.substr(file.find('\n') + 1));
  ASSERT_EQ(r.members.size(), 9u);
  const CheckedMember& brace = r.members.at(8);
  EXPECT_EQ(brace.member.kind, MemberKind::Bracing);
  ASSERT_TRUE(brace.results.lambda);
  EXPECT_NEAR(*brace.results.lambda, 480 / std::sqrt(72.42 / 13.82), 1e-3);
  EXPECT_EQ(brace.results.Pmax, 0);
  EXPECT_FALSE(brace.results.ok);
  EXPECT_FALSE(r.result.results[7].ok);
  EXPECT_NE(brace.results.notOkReason.find("KL/r = 209.7"), std::string::npos) << brace.results.notOkReason;
  EXPECT_NE(brace.results.notOkReason.find("||"), std::string::npos);
  // The columns and beams of the frame pass.
  for (int i = 1; i <= 7; ++i) EXPECT_TRUE(r.members.at(i).results.ok) << "element " << i;
}

TEST(ElementCheck, LengthUnitsAndUnknownDesignations) {
  CheckedRun r("NO=2 UNITS=[ton]-[m]\n1 IPE200 L=3\n2 XYZ123\n");
  ASSERT_EQ(r.members.size(), 2u);
  EXPECT_NEAR(r.members.at(1).member.Lx, 300, 1e-4);
  EXPECT_NEAR(r.members.at(1).member.lengthFactor, 100, 1e-9);
  EXPECT_TRUE(r.result.results[0].recognised);
  EXPECT_FALSE(r.result.results[1].recognised);
  EXPECT_EQ(r.members.at(2).results.Tmax, 0);
}

// Lines that carry no section (a length only, an ID only, the generic layout of lengths,
// heights and widths) are errors with a diagnostic, never OK.
TEST(ElementCheck, AnElementWithoutASectionIsNeverOk) {
  CheckedRun r("NO=3\n1  L=300\n2\n3  L=300,0,0  H=0,0  W=0,0  D=0,0,0,0,0  FL=0,0\n");
  ASSERT_EQ(r.result.N, 3);
  for (int i = 1; i <= 3; ++i) {
    const ElementSummary& s = r.result.results[static_cast<size_t>(i) - 1];
    EXPECT_FALSE(s.ok) << i;
    EXPECT_TRUE(s.error) << i;
    EXPECT_FALSE(s.recognised) << i;
    EXPECT_TRUE(HasError(s.diagnostics)) << i;
    EXPECT_EQ(r.members.at(i).Status(), ElementStatus::Error) << i;
  }
}

// What reading an element line has to say reaches the member: a verdict is given only for the
// length and Fy the user wrote.

bool Says(const CheckedMember& m, Severity severity, const std::string& fragment) {
  return test::Said(m.diagnostics, severity, fragment);
}

// IPE 300: h 30, b 15, tw 0.71, tf 1.07, Ix 8356 → S1 = 8356/15 = 557.07, Af = 16.05.
// Lc = min(635 × 15/√2400, 1400000 × 16.05/(2400 × 30)) = 194.43.
// L = 600 ≥ Lc: 840000/(600 × 30/16.05) = 749.0 and, with rt = 3.945, q = 152.1 > 122.3,
// 12000000/q² = 518.7: Fb = 749.0, Mmax = 557.07 × 749.0/100000 = 4.17 ton·m.
// Read as length 0 (before, for "L = 600") the beam was fully braced: 0.66 × 2400 = 1584 and
// Mmax = 8.82 ton·m, more than twice the capacity.
TEST(ElementInput, LengthWithBlanksOrPastColumn150IsTheMembersLength) {
  CheckedRun r("NO=0,3\n1 IPE300 L = 600\n2 IPE300" + std::string(150, ' ') + "L=600\n3 IPE300 L=600\n");
  ASSERT_EQ(r.members.size(), 3u);
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    const CheckedMember& m = r.members.at(i);
    EXPECT_EQ(m.member.Lx, 600);
    ASSERT_TRUE(m.results.Fb && m.results.Mmax);
    EXPECT_NEAR(*m.results.Fb, 840000.0 * 16.05 / (600 * 30), 1e-6);
    EXPECT_DOUBLE_EQ(*m.results.Mmax, 4.17);
    EXPECT_NE(m.Status(), ElementStatus::Error);
    EXPECT_TRUE(m.diagnostics.empty()) << DiagnosticsLine(m.diagnostics, 'E');
    EXPECT_EQ(TrimRight(m.section.cs.FullText), "IPE300");  // the length is not part of the section's text
  }
}

TEST(ElementInput, UnreadableLengthsAndIdsAreErrors) {
  CheckedRun r("NO=0,6\n1 IPE300 L=abc\n2 IPE300 L=-5\n3 IPE300 L=600\n40000 IPE300 L=300\n12.5 IPE300 L=300\n"
               "-12 IPE300 L=300\n");
  ASSERT_EQ(r.members.size(), 6u);
  EXPECT_TRUE(Says(r.members.at(1), Severity::Error, "L=ABC is not a non-negative number"));
  EXPECT_EQ(r.members.at(1).diagnostics[0].subject, "L=ABC");
  EXPECT_TRUE(r.result.results[1].error);
  EXPECT_FALSE(r.result.results[1].ok);
  EXPECT_TRUE(Says(r.members.at(4), Severity::Error, "40000 is outside"));
  for (const int i : {1, 2, 4, 5}) EXPECT_EQ(r.members.at(i).Status(), ElementStatus::Error) << i;
  for (const int i : {3, 6}) EXPECT_EQ(r.members.at(i).Status(), ElementStatus::Ok) << i;
  EXPECT_EQ(r.members.at(6).member.id, -12);
}

TEST(ElementInput, MissingLengthIsAWarningSayingHowItWasChecked) {
  CheckedRun r("NO=1,1,1\n1 IPE300\n2 IPE300\n3 L60\n");
  ASSERT_EQ(r.members.size(), 3u);
  EXPECT_TRUE(Says(r.members.at(1), Severity::Warning, "slenderness and compression not checked"));
  EXPECT_TRUE(Says(r.members.at(2), Severity::Warning, "beam: it is checked as fully braced"));
  EXPECT_TRUE(Says(r.members.at(3), Severity::Warning, "slenderness and compression not checked"));
  // One warning about the length per element, not one from the reader and one from the check.
  for (int i = 1; i <= 3; ++i) {
    int aboutLength = 0;
    for (const auto& d : r.members.at(i).diagnostics) aboutLength += d.subject == "L=";
    EXPECT_EQ(aboutLength, 1) << i;
  }
  for (int i = 1; i <= 3; ++i) EXPECT_NE(r.members.at(i).Status(), ElementStatus::Error);
  // Fully braced: 0.66 Fy, Mmax = 557.07 × 1584/100000 = 8.82.
  ASSERT_TRUE(r.members.at(2).results.Mmax);
  EXPECT_DOUBLE_EQ(*r.members.at(2).results.Mmax, 8.82);
  EXPECT_EQ(r.members.at(3).results.Pmax, 0);
}

TEST(ElementInput, FyOrDataUnitsProblemsReachEveryElement) {
  CheckedRun fy("CONSTANTS\nFy=240\nNO=2\n1 IPE300 L=300\n2 IPE200 L=300\n");
  ASSERT_EQ(fy.members.size(), 2u);
  for (const auto& [i, m] : fy.members) {
    EXPECT_EQ(m.Status(), ElementStatus::Error) << i;
    EXPECT_TRUE(Says(m, Severity::Error, "Fy = 240 kg/cm² is outside")) << i;
  }
  CheckedRun units("NO=1 UNITS=[ton]-[m\n1 IPE300 L=3\n");
  ASSERT_EQ(units.members.size(), 1u);
  EXPECT_EQ(units.members.at(1).Status(), ElementStatus::Error);
  EXPECT_EQ(units.members.at(1).member.Lx, 3);  // read in cm, and said
}

TEST(ElementInput, KindAndLengthGivenInPlaceOfTheElementsOwn) {
  CheckedRun r("NO=1\n1 IPE300 L=abc\n");
  ASSERT_EQ(r.result.elements.size(), 1u);
  const MemberInput m = MemberOfElement(r.ctx, r.result.elements[0], 1, MemberKind::Beam, 600.0);
  EXPECT_EQ(m.kind, MemberKind::Beam);
  EXPECT_EQ(m.Lx, 600);
  EXPECT_FALSE(HasError(m.diagnostics));  // the unreadable L= is not used
  const MemberInput none = MemberOfDesignation(r.ctx, MemberKind::Beam, 0, UnitSystem{});
  EXPECT_EQ(none.Lx, 0);
  ASSERT_EQ(none.diagnostics.size(), 1u);
  EXPECT_EQ(none.diagnostics[0].severity, Severity::Warning);
  const MemberInput metres = MemberOfDesignation(r.ctx, MemberKind::Beam, 6, UnitFactors("UNITS=[kg]-[m]"));
  EXPECT_EQ(metres.Lx, 600);
  EXPECT_TRUE(metres.diagnostics.empty());
}

}  // namespace
}  // namespace tavo
