#include "checks/check_member.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "section_builders.h"

namespace tavo {
namespace {

using test::Angle;
using test::Box;
using test::Channel;
using test::PlateGirder;
using test::Rolled;
using test::Tube;

MemberInput Beam(double lx, double fy = 2400) {
  MemberInput m;
  m.kind = MemberKind::Beam;
  m.Lx = lx;
  m.fy = fy;
  m.id = 12;
  return m;
}

// IPE 300 as the catalogue gives it, with the properties the checks read.
Section Ipe300() {
  Section s = Rolled("IPE", "IPE30", 30, 15, 0.71, 1.07);
  s.props.A = 53.81;
  s.props.I1 = 8356;
  s.props.S1 = 557.1;
  s.props.r1 = 12.46;
  s.props.I2 = 603.8;
  s.props.r2 = 3.35;
  s.props.rt = 3.95;
  s.props.Af = 16.05;
  s.props.Depth = 30;
  s.props.Width = 15;
  return s;
}

TEST(CheckMember, PropertiesArePassedThroughUntouched) {
  Section in = Ipe300();
  in.props.A1 = 21.3;
  in.props.Z1 = 628.4;
  in.props.J = 20.1;
  const CheckedMember m = CheckMember(in, Beam(150));
  const SectionProperties& p = m.section.props;
  EXPECT_EQ(p.A, 53.81);
  EXPECT_EQ(p.A1, 21.3);
  EXPECT_EQ(p.Z1, 628.4);
  EXPECT_EQ(p.J, 20.1);
  EXPECT_EQ(p.S1, 557.1);
  EXPECT_EQ(p.rt, 3.95);
  EXPECT_EQ(p.Af, 16.05);
  EXPECT_EQ(m.member.id, 12);
}

TEST(CheckMember, LengthsAreCopiedToBothAxes) {
  const CheckedMember m = CheckMember(Ipe300(), Beam(350));
  EXPECT_EQ(m.section.cs.Lx, 350);
  EXPECT_EQ(m.section.cs.Ly, 350);
  // lambda = max(350/3.35, 350/12.46) = 104.48: the weak axis sees the same length.
  ASSERT_TRUE(m.results.lambda);
  EXPECT_NEAR(*m.results.lambda, 350 / 3.35, 1e-9);
}

TEST(CheckMember, RolledBeamEndToEnd) {
  // IPE 300 at Fy 2400: class C, Lc = 194.43 (see the compactness tests).
  // L = 150 < Lc: Fb = 1584, Mmax = 557.1 × 1584 / 100000 = 8.824 → 8.82.
  CheckedMember m = CheckMember(Ipe300(), Beam(150));
  EXPECT_EQ(m.results.cls, "C");
  EXPECT_NEAR(m.results.Lc, 194.42825, 1e-5);
  EXPECT_DOUBLE_EQ(*m.results.Fb, 1584);
  EXPECT_DOUBLE_EQ(*m.results.Mmax, 8.82);
  // L = 600 ≥ Lc: step a 840000/(600 × 30/16.05) = 749; q = 600/3.95 = 151.9 ≥ 122.47, so
  // 12000000/151.9² = 520.07; the larger, 749, stands. Mmax = 557.1 × 749 / 100000 = 4.17.
  m = CheckMember(Ipe300(), Beam(600));
  EXPECT_NEAR(*m.results.Fb, 749.0, 1e-9);
  EXPECT_DOUBLE_EQ(*m.results.Mmax, 4.17);
  // Tmax = 0.6 × 2400 × 53.81 / 1000 = 77.486 → 77.5.
  EXPECT_DOUBLE_EQ(m.results.Tmax, 77.5);
  EXPECT_TRUE(m.results.ok);
  EXPECT_FALSE(m.results.weld);
  EXPECT_EQ(m.section.cs.FullText, "IPE30");
}

TEST(CheckMember, ParametricTextsAreRebuilt) {
  Section pg = PlateGirder(50, 0.8, 25, 1.2, 25, 1.2);
  pg.cs.BaseText = "PG 500*8*250*12";
  const CheckedMember m = CheckMember(pg, Beam(0));
  EXPECT_EQ(m.section.cs.BaseText, "PG500*8*250*12*250*12");
  EXPECT_EQ(m.section.cs.FullText, "PG500*8*250*12*250*12");
}

TEST(CheckMember, SpacingTextsUseTheLengthFactor) {
  Section s = Rolled("2IPE", "2IPE30", 30, 15, 0.71, 1.07, 2);
  s.cs.d = 20;
  MemberInput in = Beam(0);
  in.lengthFactor = 100;  // input in metres
  EXPECT_EQ(CheckMember(s, in).section.cs.FullText, "2IPE30  (d=0.2)");
  in.lengthFactor = 0;  // nonsense factor: taken as cm
  EXPECT_EQ(CheckMember(s, in).section.cs.FullText, "2IPE30  (d=20)");
}

TEST(CheckMember, DefinedValuesPerFamily) {
  // Angles: no class, Lc 0, hence no Fb even for a beam.
  Section a = Angle("L60", 6, 0.6, 1.69);
  a.props.A = 6.91;
  a.props.r1 = a.props.r2 = 1.82;
  CheckedMember m = CheckMember(a, Beam(100));
  EXPECT_EQ(m.results.cls, "");
  EXPECT_EQ(m.results.Lc, 0);
  EXPECT_FALSE(m.results.Fb);
  EXPECT_FALSE(m.results.Mmax);
  // Channels: class, Lc 0, no Fb.
  m = CheckMember(Channel("UNP200", 20, 7.5, 0.85, 1.15, 2.01), Beam(100));
  EXPECT_EQ(m.results.cls, "C");
  EXPECT_EQ(m.results.Lc, 0);
  EXPECT_FALSE(m.results.Fb);
  // Tubes: Lc 0 but Fb from the class (D/t = 96: compact).
  Section t = Tube(48, 0.5);
  t.props.S1 = 100;
  m = CheckMember(t, Beam(1000));
  EXPECT_EQ(m.results.Lc, 0);
  EXPECT_DOUBLE_EQ(*m.results.Fb, 1584);
  EXPECT_DOUBLE_EQ(*m.results.Mmax, 1.58);
  // Boxes take their own rule.
  m = CheckMember(Box(60, 1, 10, 1, 9), Beam(100));
  EXPECT_EQ(m.results.cls, "N");
  EXPECT_NEAR(m.results.Lc, 53000.0 * 10 / 2400, 1e-9);
}

TEST(CheckMember, BadInputsFallBackToDefaults) {
  MemberInput in = Beam(-5, 0);
  const CheckedMember m = CheckMember(Ipe300(), in);
  EXPECT_EQ(m.section.cs.Lx, 0);
  EXPECT_EQ(m.member.fy, 2400);
  EXPECT_DOUBLE_EQ(*m.results.Fb, 1584);  // 0.66 × 2400, short beam
  in = Beam(std::nan(""));
  EXPECT_EQ(CheckMember(Ipe300(), in).section.cs.Lx, 0);
}

TEST(CheckMember, UnrecognisedSectionGivesZerosNotNaN) {
  Section s;
  s.cs.family = "";
  s.recognised = false;
  const CheckedMember m = CheckMember(s, Beam(300));
  EXPECT_EQ(m.results.cls, "");  // no family, no compactness rule
  EXPECT_TRUE(std::isfinite(m.results.Lc));
  EXPECT_FALSE(m.results.lambda);
  EXPECT_EQ(m.results.Tmax, 0);
  EXPECT_EQ(m.results.Pmax, 0);
  EXPECT_EQ(m.results.Lc, 0);
  EXPECT_FALSE(m.results.Fb);
}

// ----- element status: the cover-plate weld -------------------------------------------------

Section Plated(const std::string& family, double tf, double tpl) {
  Section s = Rolled(family, family + "30", 30, 30, 1.1, tf);
  s.cs.PlateWidth = 30;
  s.cs.PlateThickness = tpl;
  return s;
}

TEST(ElementStatus, CoverPlateTooThickForItsWeldIsNotOk) {
  // IPB flange 2.0, plate 0.8: awMin 0.8 (thicker part 2.0) ≥ awMax 0.7 → not OK.
  CheckedMember m = CheckMember(Plated("IPB", 2.0, 0.8), Beam(100));
  ASSERT_TRUE(m.results.weld);
  EXPECT_DOUBLE_EQ(m.results.weld->awMin, 0.8);
  EXPECT_DOUBLE_EQ(m.results.weld->awMax, 0.7);
  EXPECT_FALSE(m.results.ok);
  EXPECT_FALSE(ElementStatusOk(m.section));
  // The plate is the thicker part: plate 2.5 on flange 1.5: awMin 0.8 < awMax 1.4.
  m = CheckMember(Plated("IPB", 1.5, 2.5), Beam(100));
  EXPECT_DOUBLE_EQ(m.results.weld->awMin, 0.8);
  EXPECT_DOUBLE_EQ(m.results.weld->awMax, 1.4);
  EXPECT_TRUE(m.results.ok);
}

TEST(ElementStatus, OnlySingleIHAndCastellatedWithPlates) {
  for (const char* code : {"IPE", "INP", "IPB", "HPE", "HNP", "HPB", "CNP", "CPE", "CPB"})
    EXPECT_FALSE(CheckMember(Plated(code, 2.0, 0.8), Beam(100)).results.ok) << code;
  // Four-letter codes (doubled profiles) and other families carry no weld line.
  for (const char* code : {"2IPE", "3IPB", "2CPE"}) {
    const CheckedMember m = CheckMember(Plated(code, 2.0, 0.8), Beam(100));
    EXPECT_TRUE(m.results.ok) << code;
    EXPECT_FALSE(m.results.weld) << code;
  }
  Section c = Channel("2UNP200", 20, 7.5, 0.85, 2.0, 2.01, 2);
  c.cs.PlateWidth = 20;
  c.cs.PlateThickness = 0.8;
  EXPECT_TRUE(CheckMember(c, Beam(100)).results.ok);
  // Without a plate there is nothing to weld.
  const CheckedMember bare = CheckMember(Rolled("IPB", "IPB30", 30, 30, 1.1, 2.0), Beam(100));
  EXPECT_TRUE(bare.results.ok);
  EXPECT_FALSE(bare.results.weld);
}

// ----- verdicts: what each member kind is checked for ------------------------------------------

MemberInput As(MemberKind kind, double lx) {
  MemberInput m = Beam(lx);
  m.kind = kind;
  return m;
}

bool Bilingual(const std::string& text) {
  const auto sep = text.find("||");
  return sep != std::string::npos && sep > 0 && sep + 2 < text.size();
}

std::vector<Diagnostic> Warnings(const CheckedMember& m) {
  std::vector<Diagnostic> w;
  for (const auto& d : m.diagnostics)
    if (d.severity == Severity::Warning) w.push_back(d);
  return w;
}

// IPE 300 with a weak-axis radius of 2.5 cm, so that the limits fall on round lengths.
Section Slim() {
  Section s = Ipe300();
  s.props.r2 = 2.5;
  return s;
}

TEST(Verdict, CompressionBeyondKLr200IsNotOk) {
  // L = 500 gives KL/r = 200 exactly, still allowed; L = 507.5 gives 203.
  CheckedMember m = CheckMember(Slim(), As(MemberKind::Column, 500));
  EXPECT_DOUBLE_EQ(*m.results.lambda, 200);
  EXPECT_TRUE(m.results.ok);
  EXPECT_TRUE(m.results.notOkReason.empty());
  m = CheckMember(Slim(), As(MemberKind::Column, 507.5));
  EXPECT_FALSE(m.results.ok);
  EXPECT_EQ(m.Status(), ElementStatus::NotOk);
  EXPECT_TRUE(Bilingual(m.results.notOkReason)) << m.results.notOkReason;
  EXPECT_NE(m.results.notOkReason.find("KL/r = 203"), std::string::npos) << m.results.notOkReason;
  EXPECT_NE(m.results.notOkReason.find("200"), std::string::npos);
  EXPECT_EQ(m.results.notOkReason.find("tension"), std::string::npos);
  // A bracing with a length is checked in compression too: 203 is beyond it.
  m = CheckMember(Slim(), As(MemberKind::Bracing, 507.5));
  EXPECT_FALSE(m.results.ok);
  EXPECT_NE(m.results.notOkReason.find("compression"), std::string::npos);
  EXPECT_EQ(m.results.notOkReason.find("tension"), std::string::npos);
  EXPECT_DOUBLE_EQ(m.results.Tmax, 77.5);  // the tension capacity is still there
  // Just over the limit the shown slenderness is not rounded down onto it.
  m = CheckMember(Slim(), As(MemberKind::Column, 500.1));
  EXPECT_FALSE(m.results.ok);
  EXPECT_NE(m.results.notOkReason.find("KL/r = 200.04"), std::string::npos) << m.results.notOkReason;
  // A beam is not a compression member: the same length leaves it OK.
  EXPECT_TRUE(CheckMember(Slim(), Beam(507.5)).results.ok);
}

TEST(Verdict, TensionBeyondLr300IsNotOk) {
  // L = 750 gives exactly 300, where Tmax is 0; L = 745 gives 298.
  CheckedMember m = CheckMember(Slim(), As(MemberKind::Bracing, 750));
  EXPECT_EQ(m.results.Tmax, 0);
  EXPECT_FALSE(m.results.ok);
  EXPECT_NE(m.results.notOkReason.find("L/r = 300"), std::string::npos) << m.results.notOkReason;
  EXPECT_NE(m.results.notOkReason.find("tension"), std::string::npos);
  EXPECT_NE(m.results.notOkReason.find("compression"), std::string::npos);  // both limits broken
  EXPECT_TRUE(Bilingual(m.results.notOkReason));
  m = CheckMember(Slim(), As(MemberKind::Bracing, 745));
  EXPECT_GT(m.results.Tmax, 0);
  EXPECT_EQ(m.results.notOkReason.find("tension"), std::string::npos);
  // A column is not judged in tension: only its compression limit speaks.
  m = CheckMember(Slim(), As(MemberKind::Column, 750));
  EXPECT_FALSE(m.results.ok);
  EXPECT_EQ(m.results.notOkReason.find("tension"), std::string::npos);
}

TEST(Verdict, NotOkReasonsAddUp) {
  // A cover plate too thick for its weld and a column too slender: both reasons, in both languages.
  Section s = Plated("IPB", 2.0, 0.8);
  s.props.A = 100, s.props.r1 = 10, s.props.r2 = 1;
  const CheckedMember m = CheckMember(s, As(MemberKind::Column, 250));
  EXPECT_FALSE(m.results.ok);
  const std::string& why = m.results.notOkReason;
  const auto sep = why.find("||");
  ASSERT_NE(sep, std::string::npos);
  EXPECT_NE(why.find("welded"), std::string::npos);
  EXPECT_NE(why.find("KL/r = 250"), std::string::npos);
  EXPECT_LT(why.find("KL/r = 250"), sep);                   // English half
  EXPECT_NE(why.find("KL/r = 250", sep), std::string::npos);  // and Persian half
}

TEST(Verdict, BeamWithoutAllowableBendingSaysBendingNotChecked) {
  // Channels and angles have no allowable bending stress: the beam is not a bare "OK".
  const CheckedMember channel = CheckMember(Channel("UNP200", 20, 7.5, 0.85, 1.15, 2.01), Beam(100));
  ASSERT_FALSE(channel.results.Fb);
  auto w = Warnings(channel);
  ASSERT_EQ(w.size(), 1u);
  EXPECT_NE(w[0].text.find("Bending not checked"), std::string::npos);
  EXPECT_TRUE(Bilingual(w[0].text));
  EXPECT_EQ(w[0].subject, "UNP200");
  EXPECT_EQ(channel.Status(), ElementStatus::Ok);  // a warning, not an error
  Section a = Angle("L60", 6, 0.6, 1.69);
  a.props.A = 6.91;
  a.props.r1 = a.props.r2 = 1.82;
  w = Warnings(CheckMember(a, Beam(100)));
  ASSERT_EQ(w.size(), 1u);
  EXPECT_NE(w[0].text.find("Bending not checked"), std::string::npos);
  // A rolled beam long enough that neither flange area nor rt gives an Fb.
  Section bare = Ipe300();
  bare.props.Af = 0, bare.props.rt = 0;
  EXPECT_EQ(Warnings(CheckMember(bare, Beam(600))).size(), 1u);
  // Where Fb exists, nothing to say; and a bracing is no bending member.
  EXPECT_TRUE(Warnings(CheckMember(Ipe300(), Beam(150))).empty());
  EXPECT_TRUE(Warnings(CheckMember(Channel("UNP200", 20, 7.5, 0.85, 1.15, 2.01), As(MemberKind::Bracing, 100)))
                  .empty());
}

TEST(Verdict, ColumnWithoutLengthSaysCompressionNotChecked) {
  for (const MemberKind kind : {MemberKind::Column, MemberKind::Bracing}) {
    const CheckedMember m = CheckMember(Ipe300(), As(kind, 0));
    const auto w = Warnings(m);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].text.find("No member length"), std::string::npos);
    EXPECT_EQ(w[0].subject, "L=");
    EXPECT_TRUE(m.results.ok);
  }
  EXPECT_TRUE(Warnings(CheckMember(Ipe300(), As(MemberKind::Column, 300))).empty());
}

TEST(Verdict, ZeroRadiusWithALengthIsNotOk) {
  Section s = Ipe300();
  s.props.r2 = 0;
  const CheckedMember m = CheckMember(s, As(MemberKind::Column, 300));
  EXPECT_FALSE(m.results.lambda);
  EXPECT_FALSE(m.results.ok);
  EXPECT_TRUE(Bilingual(m.results.notOkReason));
}

}  // namespace
}  // namespace tavo
