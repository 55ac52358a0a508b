#include "checks/check_member.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "section_builders.h"

namespace tavo {
namespace {

using namespace test;

MemberInput As(MemberKind kind, double lx, double fy = 2400) {
  MemberInput m;
  m.kind = kind, m.Lx = lx, m.fy = fy, m.id = 12;
  return m;
}
MemberInput Beam(double lx, double fy = 2400) { return As(MemberKind::Beam, lx, fy); }

// IPE 300 as the catalogue gives it, with the properties the checks read.
Section Ipe300(double r2 = 3.35) {
  Section s = Rolled("IPE", "IPE30", 30, 15, 0.71, 1.07);
  auto& p = s.props;
  p.A = 53.81, p.I1 = 8356, p.S1 = 557.1, p.r1 = 12.46, p.I2 = 603.8, p.r2 = r2, p.rt = 3.95, p.Af = 16.05;
  p.Depth = 30, p.Width = 15, p.A1 = 21.3, p.Z1 = 628.4, p.J = 20.1;
  return s;
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

TEST(CheckMember, RolledBeamEndToEnd) {
  // IPE 300 at Fy 2400: class C, Lc = 194.43. L = 150 < Lc: Fb = 1584, Mmax = 557.1 × 1584 / 100000 = 8.82.
  CheckedMember m = CheckMember(Ipe300(), Beam(150));
  const SectionProperties& p = m.section.props;  // passed through untouched
  EXPECT_EQ(std::vector({p.A, p.A1, p.Z1, p.J, p.S1, p.rt, p.Af}),
            std::vector({53.81, 21.3, 628.4, 20.1, 557.1, 3.95, 16.05}));
  EXPECT_EQ(m.member.id, 12);
  EXPECT_EQ(m.results.cls, "C");
  EXPECT_NEAR(m.results.Lc, 194.42825, 1e-5);
  EXPECT_DOUBLE_EQ(*m.results.Fb, 1584);
  EXPECT_DOUBLE_EQ(*m.results.Mmax, 8.82);
  EXPECT_TRUE(Warnings(m).empty());
  // L = 600 ≥ Lc: step a 840000/(600 × 30/16.05) = 749; q = 600/3.95 = 151.9 gives 520.07; 749 stands.
  m = CheckMember(Ipe300(), Beam(600));
  EXPECT_NEAR(*m.results.Fb, 749.0, 1e-9);
  EXPECT_DOUBLE_EQ(*m.results.Mmax, 4.17);
  EXPECT_DOUBLE_EQ(m.results.Tmax, 77.5);  // 0.6 × 2400 × 53.81 / 1000 = 77.486
  EXPECT_TRUE(m.results.ok);
  EXPECT_FALSE(m.results.weld);
  EXPECT_EQ(m.section.cs.FullText, "IPE30");
  // Both axes get the length: lambda = max(350/3.35, 350/12.46).
  m = CheckMember(Ipe300(), Beam(350));
  EXPECT_EQ(m.section.cs.Lx, 350);
  EXPECT_EQ(m.section.cs.Ly, 350);
  EXPECT_NEAR(*m.results.lambda, 350 / 3.35, 1e-9);
}

TEST(CheckMember, TextsAreRebuiltWithTheLengthFactor) {
  Section pg = PlateGirder(50, 0.8, 25, 1.2, 25, 1.2);
  pg.cs.BaseText = "PG 500*8*250*12";
  const CheckedMember m = CheckMember(pg, Beam(0));
  EXPECT_EQ(m.section.cs.BaseText, "PG500*8*250*12*250*12");
  EXPECT_EQ(m.section.cs.FullText, "PG500*8*250*12*250*12");
  Section s = Rolled("2IPE", "2IPE30", 30, 15, 0.71, 1.07, 2);
  s.cs.d = 20;
  MemberInput in = Beam(0);
  in.lengthFactor = 100;  // input in metres
  EXPECT_EQ(CheckMember(s, in).section.cs.FullText, "2IPE30  (d=0.2)");
  in.lengthFactor = 0;  // nonsense factor: taken as cm
  EXPECT_EQ(CheckMember(s, in).section.cs.FullText, "2IPE30  (d=20)");
}

TEST(CheckMember, DefinedValuesPerFamily) {
  // Angles: no class, Lc 0, no Fb; channels a class but no Fb: a beam of either says bending is not checked.
  Section a = Angle("L60", 6, 0.6, 1.69);
  a.props.A = 6.91, a.props.r1 = a.props.r2 = 1.82;
  const Section channel = Channel("UNP200", 20, 7.5, 0.85, 1.15, 2.01);
  for (const auto& [s, cls] : {std::pair{a, ""}, std::pair{channel, "C"}}) {
    const CheckedMember m = CheckMember(s, Beam(100));
    EXPECT_EQ(m.results.cls, cls);
    EXPECT_EQ(m.results.Lc, 0);
    EXPECT_FALSE(m.results.Fb);
    EXPECT_FALSE(m.results.Mmax);
    const auto w = Warnings(m);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].text.find("Bending not checked"), std::string::npos);
    EXPECT_TRUE(Bilingual(w[0].text));
    EXPECT_EQ(w[0].subject, s.cs.BaseText);
    EXPECT_EQ(m.Status(), ElementStatus::Ok);  // a warning, not an error
    EXPECT_TRUE(Warnings(CheckMember(s, As(MemberKind::Bracing, 100))).empty());  // no bending member
    // The limit-state code gives every section a flexural strength: nothing is left unchecked.
    MemberInput lrfd = Beam(100);
    lrfd.code = DesignCode::Aisc360Lrfd;
    const CheckedMember byCode = CheckMember(s, lrfd);
    ASSERT_TRUE(byCode.aisc);
    for (const Diagnostic& d : byCode.diagnostics) EXPECT_EQ(d.text.find("Bending not checked"), std::string::npos);
  }
  // Tubes: Lc 0 but Fb from the class (D/t = 96: compact).
  Section t = Tube(48, 0.5);
  t.props.S1 = 100;
  CheckedMember m = CheckMember(t, Beam(1000));
  EXPECT_EQ(m.results.Lc, 0);
  EXPECT_DOUBLE_EQ(*m.results.Fb, 1584);
  EXPECT_DOUBLE_EQ(*m.results.Mmax, 1.58);
  // Boxes take their own rule.
  m = CheckMember(Box(60, 1, 10, 1, 9), Beam(100));
  EXPECT_EQ(m.results.cls, "N");
  EXPECT_NEAR(m.results.Lc, 53000.0 * 10 / 2400, 1e-9);
  // A rolled beam long enough that neither flange area nor rt gives an Fb.
  Section bare = Ipe300();
  bare.props.Af = 0, bare.props.rt = 0;
  EXPECT_EQ(Warnings(CheckMember(bare, Beam(600))).size(), 1u);
}

TEST(CheckMember, BadInputsFallBackToDefaults) {
  const CheckedMember m = CheckMember(Ipe300(), Beam(-5, 0));
  EXPECT_EQ(m.section.cs.Lx, 0);
  EXPECT_EQ(m.member.fy, 2400);
  EXPECT_DOUBLE_EQ(*m.results.Fb, 1584);  // 0.66 × 2400, short beam
  EXPECT_EQ(CheckMember(Ipe300(), Beam(std::nan(""))).section.cs.Lx, 0);
  // An unrecognised section gives zeros, not NaN.
  Section s;
  s.recognised = false;
  const CheckedMember u = CheckMember(s, Beam(300));
  EXPECT_EQ(u.results.cls, "");  // no family, no compactness rule
  EXPECT_EQ(u.results.Lc, 0);
  EXPECT_FALSE(u.results.lambda);
  EXPECT_FALSE(u.results.Fb);
  EXPECT_EQ(u.results.Tmax, 0);
  EXPECT_EQ(u.results.Pmax, 0);
  // ... and no verdict: even with nothing said about it, it is an error, never OK.
  EXPECT_FALSE(u.results.ok);
  EXPECT_EQ(u.Status(), ElementStatus::Error);
  ASSERT_TRUE(HasError(u.diagnostics));
  EXPECT_TRUE(std::any_of(u.diagnostics.begin(), u.diagnostics.end(), [](const Diagnostic& d) {
    return d.severity == Severity::Error && d.text.find("No section could be computed") != std::string::npos;
  }));
}

// ----- element status: the cover-plate weld -------------------------------------------------

Section Plated(const std::string& family, double tf, double tpl) {
  Section s = Rolled(family, family + "30", 30, 30, 1.1, tf);
  s.cs.PlateWidth = 30, s.cs.PlateThickness = tpl;
  return s;
}

TEST(ElementStatus, CoverPlateWeldOfSingleIHAndCastellatedOnly) {
  // IPB flange 2.0, plate 0.8: awMin 0.8 (thicker part 2.0) ≥ awMax 0.7 → not OK.
  CheckedMember m = CheckMember(Plated("IPB", 2.0, 0.8), Beam(100));
  ASSERT_TRUE(m.results.weld);
  EXPECT_DOUBLE_EQ(m.results.weld->awMin, 0.8);
  EXPECT_DOUBLE_EQ(m.results.weld->awMax, 0.7);
  EXPECT_FALSE(m.results.ok);
  EXPECT_FALSE(ElementStatusOk(m.section));
  // The plate is the thicker part: plate 2.5 on flange 1.5: awMin 0.8 < awMax 1.4.
  m = CheckMember(Plated("IPB", 1.5, 2.5), Beam(100));
  EXPECT_DOUBLE_EQ(m.results.weld->awMax, 1.4);
  EXPECT_TRUE(m.results.ok);
  for (const char* code : {"IPE", "INP", "IPB", "HPE", "HNP", "HPB", "CNP", "CPE", "CPB"})
    EXPECT_FALSE(CheckMember(Plated(code, 2.0, 0.8), Beam(100)).results.ok) << code;
  // Doubled profiles, channels and bare profiles carry no weld line.
  Section c = Channel("2UNP200", 20, 7.5, 0.85, 2.0, 2.01, 2);
  c.cs.PlateWidth = 20, c.cs.PlateThickness = 0.8;
  for (const Section& s : {Plated("2IPE", 2.0, 0.8), Plated("3IPB", 2.0, 0.8), Plated("2CPE", 2.0, 0.8), c,
                           Rolled("IPB", "IPB30", 30, 30, 1.1, 2.0)}) {
    const CheckedMember ok = CheckMember(s, Beam(100));
    EXPECT_TRUE(ok.results.ok) << s.cs.family;
    EXPECT_FALSE(ok.results.weld) << s.cs.family;
  }
}

// ----- verdicts: what each member kind is checked for ------------------------------------------
// IPE 300 with a weak-axis radius of 2.5 cm, so that the limits fall on round lengths.

TEST(Verdict, SlendernessLimitsByKind) {
  const struct {
    MemberKind kind;
    double L;
    bool ok;
    const char* said;      // in the reason, where not OK
    const char* notSaid;
  } cases[] = {
      {MemberKind::Column, 500, true, "", ""},  // KL/r = 200 exactly, still allowed
      {MemberKind::Column, 507.5, false, "KL/r = 203", "tension"},
      {MemberKind::Column, 500.1, false, "KL/r = 200.04", "tension"},  // not rounded down onto the limit
      {MemberKind::Bracing, 507.5, false, "compression", "tension"},
      {MemberKind::Beam, 507.5, true, "", ""},  // a beam is not a compression member
      {MemberKind::Bracing, 750, false, "L/r = 300", ""},  // Tmax 0 at 300, and compression too
      {MemberKind::Bracing, 745, false, "compression", "tension"},
      {MemberKind::Column, 750, false, "KL/r = 300", "tension"},  // a column is not judged in tension
  };
  for (const auto& c : cases) {
    const CheckedMember m = CheckMember(Ipe300(2.5), As(c.kind, c.L));
    EXPECT_EQ(m.results.ok, c.ok) << c.L;
    if (c.ok) {
      EXPECT_TRUE(m.results.notOkReason.empty()) << m.results.notOkReason;
      continue;
    }
    EXPECT_EQ(m.Status(), ElementStatus::NotOk);
    EXPECT_TRUE(Bilingual(m.results.notOkReason)) << m.results.notOkReason;
    EXPECT_NE(m.results.notOkReason.find(c.said), std::string::npos) << c.L << ": " << m.results.notOkReason;
    if (*c.notSaid) { EXPECT_EQ(m.results.notOkReason.find(c.notSaid), std::string::npos) << m.results.notOkReason; }
  }
  const CheckedMember brace = CheckMember(Ipe300(2.5), As(MemberKind::Bracing, 750));
  EXPECT_EQ(brace.results.Tmax, 0);
  EXPECT_NE(brace.results.notOkReason.find("tension"), std::string::npos);
  EXPECT_DOUBLE_EQ(CheckMember(Ipe300(2.5), As(MemberKind::Bracing, 507.5)).results.Tmax, 77.5);
}

TEST(Verdict, NotOkReasonsAddUp) {
  // A cover plate too thick for its weld and a column too slender: both reasons, in both languages.
  Section s = Plated("IPB", 2.0, 0.8);
  s.props.A = 100, s.props.r1 = 10, s.props.r2 = 1;
  const std::string why = CheckMember(s, As(MemberKind::Column, 250)).results.notOkReason;
  const auto sep = why.find("||");
  ASSERT_NE(sep, std::string::npos);
  EXPECT_NE(why.find("welded"), std::string::npos);
  EXPECT_LT(why.find("KL/r = 250"), sep);
  EXPECT_NE(why.find("KL/r = 250", sep), std::string::npos);
  // A zero radius with a length is not OK either.
  const CheckedMember zero = CheckMember(Ipe300(0), As(MemberKind::Column, 300));
  EXPECT_FALSE(zero.results.lambda);
  EXPECT_FALSE(zero.results.ok);
  EXPECT_TRUE(Bilingual(zero.results.notOkReason));
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

}  // namespace
}  // namespace tavo
