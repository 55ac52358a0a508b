#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "checks/aisc360.h"
#include "checks/aisc360_common.h"
#include "checks/aisc360_torsion.h"
#include "core/language.h"

namespace tavo::aisc {
namespace {

LimitState Made(Strength s, const char* equation, double available) {
  LimitState ls;
  ls.strength = s;
  ls.equation = equation;
  ls.available = available;
  return ls;
}

// A covered result with the available strengths given, as the chapters would leave it.
Result MadeResult(double pc, double pt, double m3, double m2, double v2, double v3) {
  Result r;
  r.covered = true;
  // Two limit states for each axial strength, the second the lesser, as the chapters give them.
  if (pc > 0) {
    r.limitStates.push_back(Made(Strength::Pc, "E3-1", pc * 1.25));
    r.limitStates.push_back(Made(Strength::Pc, "E7-1", pc));
  }
  if (pt > 0) {
    r.limitStates.push_back(Made(Strength::Pt, "D2-1", pt * 1.1));
    r.limitStates.push_back(Made(Strength::Pt, "D2-2", pt));
  }
  if (m3 > 0) r.limitStates.push_back(Made(Strength::M3, "F2-1", m3));
  if (m2 > 0) r.limitStates.push_back(Made(Strength::M2, "F6-1", m2));
  if (v2 > 0) r.limitStates.push_back(Made(Strength::V2, "G2-1", v2));
  if (v3 > 0) r.limitStates.push_back(Made(Strength::V3, "G2-1", v3));
  MarkGoverning(r);
  return r;
}

Demand Row(const char* name, std::optional<double> p, std::optional<double> m3, std::optional<double> m2 = {},
           std::optional<double> v2 = {}, std::optional<double> t = {}) {
  Demand d;
  d.combination = name;
  d.P = p, d.M3 = m3, d.M2 = m2, d.V2 = v2, d.T = t;
  return d;
}

const LimitState* Find(const Result& r, Strength s, const std::string& equationOrClause) {
  for (const auto& ls : r.limitStates)
    if (ls.strength == s && (ls.equation == equationOrClause || ls.clause == equationOrClause)) return &ls;
  return nullptr;
}

Section Shape(const char* family) {
  Section s;
  s.cs.family = family;
  s.recognised = s.usable = true;
  return s;
}

TEST(Aisc360Demands, WorstRowPerStrengthAndTheH1Interaction) {
  Result r = MadeResult(80000, 110000, 2e6, 5e5, 30000, 20000);
  const std::vector<Demand> rows{
      Row("A", -40000, 800000, 50000),  // Pr/Pc = 0.5: H1-1a, 0.5 + 8/9 (0.4 + 0.1) = 0.9444
      Row("B", -8000, 1500000, 0),      // 0.1: H1-1b, 0.05 + 0.75 = 0.8
      Row("C", 33000, 1000000),         // tension 0.3: H1-1a, 0.3 + 8/9 0.5 = 0.7444
      Row("D", 11000, 1800000),         // tension 0.1: H1-1b, 0.05 + 0.9 = 0.95
  };
  ApplyDemands(r, Shape("IPE"), rows);

  // Compression: the worst row A on both limit states, each by its own available strength.
  const LimitState* e3 = Find(r, Strength::Pc, "E3-1");
  const LimitState* e7 = Find(r, Strength::Pc, "E7-1");
  ASSERT_TRUE(e3 && e7);
  EXPECT_EQ(*e7->demand, 40000);
  EXPECT_EQ(e7->combination, "A");
  EXPECT_DOUBLE_EQ(*e7->ratio, 0.5);
  EXPECT_DOUBLE_EQ(*e3->ratio, 0.4);
  // Tension is the other sign of P: row C.
  const LimitState* rupture = Find(r, Strength::Pt, "D2-2");
  EXPECT_EQ(rupture->combination, "C");
  EXPECT_DOUBLE_EQ(*rupture->ratio, 0.3);
  EXPECT_EQ(Find(r, Strength::M3, "F2-1")->combination, "D");
  EXPECT_DOUBLE_EQ(*Find(r, Strength::M3, "F2-1")->ratio, 0.9);
  EXPECT_DOUBLE_EQ(*Find(r, Strength::M2, "F6-1")->ratio, 0.1);
  // No shear in the file: nothing put on the shear limit states.
  EXPECT_FALSE(Find(r, Strength::V2, "G2-1")->demand.has_value());

  const LimitState* h11 = Find(r, Strength::Combined, "H1.1");
  const LimitState* h12 = Find(r, Strength::Combined, "H1.2");
  ASSERT_TRUE(h11 && h12);
  EXPECT_EQ(h11->equation, "H1-1a");
  EXPECT_EQ(h11->combination, "A");
  EXPECT_NEAR(*h11->ratio, 0.5 + 8.0 / 9.0 * 0.5, 1e-12);
  EXPECT_EQ(h11->name, "Combined axial force and flexure");
  EXPECT_FALSE(h11->demand.has_value());
  EXPECT_EQ(h12->equation, "H1-1b");
  EXPECT_EQ(h12->combination, "D");
  EXPECT_NEAR(*h12->ratio, 0.95, 1e-12);
  EXPECT_TRUE(h12->governing);
  EXPECT_FALSE(h11->governing);

  EXPECT_NEAR(*r.governingRatio, 0.95, 1e-12);
  EXPECT_EQ(r.governingEquation, "H1-1b");
  EXPECT_EQ(r.governingCombination, "D");
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.notes.empty());
}

TEST(Aisc360Demands, ARatioAboveOneFailsTheMember) {
  Result r = MadeResult(80000, 110000, 2e6, 5e5, 30000, 20000);
  const std::vector<Demand> rows{Row("ULS", -72000, 600000)};  // 0.9 + 8/9 0.3 = 1.1667
  ApplyDemands(r, Shape("IPE"), rows);
  EXPECT_NEAR(*r.governingRatio, 0.9 + 8.0 / 9.0 * 0.3, 1e-12);
  EXPECT_EQ(r.governingEquation, "H1-1a");
  EXPECT_FALSE(r.Ok());
}

TEST(Aisc360Demands, ForcesWithoutAStrengthAreErrors) {
  // No weak-axis strength: its demand is an error, and no interaction is made without it.
  Result r = MadeResult(80000, 110000, 2e6, 0, 30000, 20000);
  ApplyDemands(r, Shape("IPE"), std::vector<Demand>{Row("A", -40000, 800000, 50000)});
  ASSERT_TRUE(HasError(r.notes));
  EXPECT_EQ(r.notes[0].subject, "M2");
  EXPECT_NE(r.notes[0].text.find("||"), std::string::npos);
  EXPECT_EQ(Find(r, Strength::Combined, "H1.1"), nullptr);
  // Zero on that strength is no demand at all.
  Result calm = MadeResult(80000, 110000, 2e6, 0, 30000, 20000);
  ApplyDemands(calm, Shape("IPE"), std::vector<Demand>{Row("A", -40000, 800000, 0)});
  EXPECT_TRUE(calm.notes.empty());
  EXPECT_NE(Find(calm, Strength::Combined, "H1.1"), nullptr);
}

TEST(Aisc360Demands, NoRowsChangeNothing) {
  Result r = MadeResult(80000, 110000, 2e6, 5e5, 30000, 20000);
  const size_t before = r.limitStates.size();
  ApplyDemands(r, Shape("IPE"), std::vector<Demand>{});
  EXPECT_EQ(r.limitStates.size(), before);
  EXPECT_FALSE(r.governingRatio.has_value());
  for (const auto& ls : r.limitStates) EXPECT_FALSE(ls.demand.has_value());
}

TEST(Aisc360Demands, TorsionOfOtherShapesIsSaidUnchecked) {
  Result r = MadeResult(80000, 110000, 2e6, 5e5, 30000, 20000);
  ApplyDemands(r, Shape("IPE"), std::vector<Demand>{Row("A", -100, 1000, 0, 0, 5000)});
  ASSERT_EQ(r.notes.size(), 1u);
  EXPECT_EQ(r.notes[0].severity, Severity::Warning);
  EXPECT_EQ(EnglishHalf(r.notes[0].text), "Torsion not checked: the code gives no torsional strength for this shape");
  EXPECT_FALSE(PersianHalf(r.notes[0].text).empty());
  for (const auto& ls : r.limitStates) EXPECT_NE(ls.strength, Strength::T);
}

// A thin tube D 50 cm, t 0.3 cm, 6 m long, Fy 2400 kg/cm², worked by hand.
TEST(Aisc360Torsion, RoundTubeByH3_1AndH3_2) {
  const double E = 200000 * 100 / 9.80665, D = 50, t = 0.3, L = 600, fy = 2400;
  const double h32a = 1.23 * E / (std::sqrt(L / D) * std::pow(D / t, 5.0 / 4.0));
  const double h32b = 0.60 * E / std::pow(D / t, 3.0 / 2.0);
  EXPECT_NEAR(h32a, 1209.24, 0.01);
  EXPECT_NEAR(h32b, 568.71, 0.01);
  const TorsionCriticalStress fcr = RoundTorsionCriticalStress(D, t, L, fy);
  EXPECT_STREQ(fcr.equation, "H3-2a");
  EXPECT_NEAR(fcr.fcr, h32a, 1e-9);
  // Short members: (H3-2a) grows past the cap, and 0.6 Fy decides.
  EXPECT_DOUBLE_EQ(RoundTorsionCriticalStress(D, t, 50, fy).fcr, 0.6 * fy);
  // No length: (H3-2b) alone.
  EXPECT_NEAR(RoundTorsionCriticalStress(D, t, 0, fy).fcr, h32b, 1e-9);
  // C = 2J/D of the ring, J its polar moment of inertia.
  const double J = std::numbers::pi * (std::pow(D, 4) - std::pow(D - 2 * t, 4)) / 32;
  const double C = 2 * J / D;
  EXPECT_NEAR(RoundTorsionalConstant(D, t), C, 1e-9 * C);

  Section tube = Shape("TUBE");
  tube.cs.D = D, tube.cs.t = t;
  MemberData member;
  member.fy = fy, member.L = L;
  Diagnostics notes;
  const auto ls = TorsionLimitState(tube, member, notes);
  ASSERT_TRUE(ls.has_value());
  EXPECT_EQ(ls->strength, Strength::T);
  EXPECT_EQ(ls->equation, "H3-1");
  EXPECT_NEAR(ls->nominal, h32a * C, 1e-6 * h32a * C);
  EXPECT_NEAR(ls->available, 0.9 * h32a * C, 1e-6 * h32a * C);
  EXPECT_TRUE(notes.empty());
}

TEST(Aisc360Torsion, BoxByH3_3AndItsConstant) {
  // Flush webs: B = 20, H = 32, t = 1 cm; walls of h/t 30, well inside 2.45 √(E/Fy).
  Section box = Shape("BOX");
  box.cs.h = box.cs.hw = 30, box.cs.tw = 1, box.cs.b = 20, box.cs.tf = 1, box.cs.d = 19;
  MemberData member;
  member.method = Method::ASD;
  member.fy = 2400, member.L = 400;
  Diagnostics notes;
  const auto ls = TorsionLimitState(box, member, notes);
  ASSERT_TRUE(ls.has_value());
  const double C = 2 * 19.0 * 31.0 * 1.0 - 4.5 * (4 - std::numbers::pi);
  EXPECT_NEAR(C, 1174.137, 1e-3);
  EXPECT_NEAR(ls->nominal, 1440 * C, 1e-6);
  EXPECT_NEAR(ls->available, 1440 * C / 1.67, 1e-6);
  // Slender walls buckle: (H3-4) between the limits, (H3-5) beyond.
  const double root = std::sqrt(200000 * 100 / 9.80665 / 2400);
  EXPECT_STREQ(RectangularTorsionCriticalStress(2.7 * root, 2400).equation, "H3-4");
  EXPECT_NEAR(RectangularTorsionCriticalStress(2.7 * root, 2400).fcr, 0.6 * 2400 * 2.45 / 2.7, 1e-9);
  EXPECT_STREQ(RectangularTorsionCriticalStress(120, 2400).equation, "H3-5");
  EXPECT_NEAR(RectangularTorsionCriticalStress(120, 2400).fcr,
              0.458 * std::numbers::pi * std::numbers::pi * 200000 * 100 / 9.80665 / (120.0 * 120.0), 1e-9);
}

TEST(Aisc360Torsion, TorsionAboveAFifthOfTcJoinsByH3_6) {
  Section tube = Shape("TUBE");
  tube.cs.D = 50, tube.cs.t = 0.3;
  MemberData member;
  member.fy = 2400, member.L = 600;
  Diagnostics scratch;
  const double tc = TorsionLimitState(tube, member, scratch)->available;

  Result r = MadeResult(100000, 150000, 3e6, 3e6, 50000, 50000);
  const std::vector<Demand> rows{
      // 0.2 + 0.2 + (0.1 + 0.5)² = 0.76 by H3-6; H1-1a gives 0.2 + 8/9 0.2.
      Row("twist", -20000, 600000, 0, 5000, 0.5 * tc),
      // Torsion of 0.1 Tc is left to H1 (H3-6 would give 1.01): 0.5 + 8/9 0.5 = 0.9444.
      Row("bend", -50000, 1500000, 0, 0, -0.1 * tc),
  };
  ApplyDemands(r, tube, member, rows);
  const LimitState* torsion = Find(r, Strength::T, "H3-1");
  ASSERT_NE(torsion, nullptr);
  EXPECT_EQ(torsion->combination, "twist");
  EXPECT_NEAR(*torsion->ratio, 0.5, 1e-12);
  const LimitState* h36 = Find(r, Strength::Combined, "H3-6");
  ASSERT_NE(h36, nullptr);
  EXPECT_EQ(h36->combination, "twist");
  EXPECT_NEAR(*h36->ratio, 0.76, 1e-12);
  EXPECT_NEAR(*r.governingRatio, 0.5 + 8.0 / 9.0 * 0.5, 1e-12);
  EXPECT_EQ(r.governingEquation, "H1-1a");
  EXPECT_EQ(r.governingCombination, "bend");
  EXPECT_TRUE(r.notes.empty());

  // Without the member's Fy and length the torsion is said unchecked, not guessed.
  Result blind = MadeResult(100000, 150000, 3e6, 3e6, 50000, 50000);
  ApplyDemands(blind, tube, rows);
  EXPECT_EQ(Find(blind, Strength::T, "H3-1"), nullptr);
  EXPECT_TRUE(HasWarning(blind.notes));
}

}  // namespace
}  // namespace tavo::aisc
