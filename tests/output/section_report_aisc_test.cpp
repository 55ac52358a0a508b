// The limit-state code's lines in the member report, written from results filled by hand so
// that what is checked is the report and not the strengths.
#include <gtest/gtest.h>

#include <sstream>

#include "core/module_context.h"
#include "output/report_samples.h"
#include "output/report_writers.h"
#include "output/section_report.h"

namespace tavo {
namespace {

CheckedMember TubeColumn() {
  CheckedMember m = test::TubeColumnReport();
  m.member.fy = 2400;
  m.member.fu = 3700;
  m.member.Lb = 200;
  m.member.Cb = 1.14;
  return m;
}

aisc::LimitState State(aisc::Strength strength, const char* clause, const char* equation, const char* name,
                       double nominal, double factor, double available) {
  aisc::LimitState s;
  s.strength = strength;
  s.clause = clause;
  s.equation = equation;
  s.name = name;
  s.nominal = nominal;
  s.factor = factor;
  s.available = available;
  return s;
}

// Compression by flexural buckling (governing) and by local buckling, flexure by yielding, and
// the interaction; forces of two combinations.
aisc::Result HandFilled(aisc::Method method) {
  const bool lrfd = method == aisc::Method::LRFD;
  aisc::Result r;
  r.method = method;
  r.covered = true;
  aisc::ElementClassification wall;
  wall.element = "wall";
  wall.ratio = 27.3;
  wall.compressionCase = 9;
  wall.lambdaR = 93.15;
  wall.compression = aisc::ElementClass::Nonslender;
  wall.flexureCase = 20;
  wall.lambdaP = 73.5;
  wall.lambdaRf = 317.5;
  wall.flexure = aisc::ElementClass::Compact;
  aisc::ElementClassification flange;
  flange.element = "flange 2";
  flange.ratio = 40.25;
  flange.flexureCase = 10;
  flange.lambdaP = 10.84;
  flange.lambdaRf = 28.5;
  flange.flexure = aisc::ElementClass::Slender;
  r.classification = {wall, flange};

  aisc::LimitState fb = State(aisc::Strength::Pc, "E3", "E3-1", "Flexural buckling", 180000, lrfd ? 0.9 : 1.67,
                              lrfd ? 162000 : 107784.43);
  fb.governing = true;
  fb.demand = 81000;
  fb.ratio = lrfd ? 0.5 : 0.751;
  fb.combination = "COMB1";
  aisc::LimitState lb = State(aisc::Strength::Pc, "E7", "E7-1", "Local buckling", 200000, lrfd ? 0.9 : 1.67,
                              lrfd ? 180000 : 119760.48);
  aisc::LimitState y = State(aisc::Strength::M3, "F8.1", "F8-1", "Yielding", 2500000, lrfd ? 0.9 : 1.67,
                             lrfd ? 2250000 : 1497005.99);
  y.governing = true;
  y.demand = 2700000;
  y.ratio = 1.2;
  y.combination = "WIND2";
  aisc::LimitState h = State(aisc::Strength::Combined, "H1.1", "H1-1a", "Interaction", 0, 0, 0);
  h.governing = true;
  h.ratio = 1.267;
  h.combination = "WIND2";
  r.limitStates = {fb, lb, y, h};
  r.governingRatio = 1.267;
  r.governingEquation = "H1-1a";
  r.governingCombination = "WIND2";
  AddDiagnostic(r.notes, Severity::Warning, "Tensile rupture taken on the gross area (An = Ag, U = 1)",
                "گسیختگی کششی روی سطح کل گرفته شد (An = Ag، U = 1)");
  return r;
}

class LimitStateReportTest : public ::testing::Test {
 protected:
  std::string Write(const CheckedMember& m) {
    Report r(ctx);
    WriteSectionReport(r, m);
    runs = r.runs();
    return RenderText(r);
  }
  // The rendered line holding `needle`; empty when there is none.
  static std::string LineWith(const std::string& text, const std::string& needle) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      if (line.find(needle) != std::string::npos) return line;
    return {};
  }
  ModuleContext ctx;
  std::vector<ReportRun> runs;
};

TEST_F(LimitStateReportTest, TodaysLinesStandUnchangedAheadOfThePart) {
  CheckedMember m = TubeColumn();
  const std::string today = Write(m);
  EXPECT_EQ(today.find("AISC"), std::string::npos);
  m.aisc = HandFilled(aisc::Method::LRFD);
  const std::string both = Write(m);
  // Everything before the verdict is today's report as it was, word for word.
  ASSERT_GT(both.size(), today.size());
  EXPECT_EQ(both.substr(0, today.size()), today);
  EXPECT_NE(both.find("Limit-state code AISC 360-16, LRFD", today.size()), std::string::npos);
}

TEST_F(LimitStateReportTest, LrfdLinesCarryEquationsFactorsUnitsAndTheGoverningMark) {
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::LRFD);
  const std::string t = Write(m);
  for (const char* line : {"   Fy = 2400 kg/cm²   Fu = 3700 kg/cm²\n", "   L = 400 cm   Lb = 200 cm   Cb = 1.14\n",
                           "   wall: 27.3\n       compression: λr = 93.15, nonslender\n       flexure: λp = 73.5, λr = 317.5, compact\n",
                           // No row for compression: no line for it.
                           "   flange 2: 40.25\n       flexure: λp = 10.84, λr = 28.5, slender\n",
                           "   Axial compression (Pc)\n",
                           // 180 000 kg is shown in ton, as Pmax is; 2 500 000 kg·cm in ton·m.
                           "   E3 (E3-1) Flexural buckling  ◄ governs\n       Rn = 180 ton, φ = 0.9, φRn = 162 ton\n"
                           "       demand = 81 ton, ratio = 0.5 (COMB1)\n",
                           "   E7 (E7-1) Local buckling\n       Rn = 200 ton, φ = 0.9, φRn = 180 ton\n   Flexure",
                           "   F8.1 (F8-1) Yielding  ◄ governs\n       Rn = 25 ton.m, φ = 0.9, φRn = 22.5 ton.m\n"
                           "       demand = 27 ton.m, ratio = 1.2 (WIND2)\n",
                           "   H1.1 (H1-1a) Interaction  ◄ governs\n       ratio = 1.267 (WIND2)\n",
                           "   Governing ratio 1.267 (H1-1a, WIND2)\n",
                           "   - Tensile rupture taken on the gross area (An = Ag, U = 1)\n"})
    EXPECT_NE(t.find(line), std::string::npos) << line << "\n" << t;
  // A ratio within its strength is green, one above it red.
  int coloured = 0;
  for (const ReportRun& run : runs) {
    if (run.text.find("ratio = 0.5 ") != std::string::npos) {
      EXPECT_EQ(run.colour, kOkColour);
      ++coloured;
    }
    if (run.text.find("ratio = 1.2 ") != std::string::npos) {
      EXPECT_EQ(run.colour, kNotOkColour);
      ++coloured;
    }
  }
  EXPECT_EQ(coloured, 2);
}

TEST_F(LimitStateReportTest, AsdWritesOmegaAndTheDividedStrength) {
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::ASD);
  const std::string t = Write(m);
  EXPECT_NE(t.find("Limit-state code AISC 360-16, ASD\n"), std::string::npos) << t;
  EXPECT_NE(t.find("E3 (E3-1) Flexural buckling  ◄ governs\n       Rn = 180 ton, Ω = 1.67, Rn/Ω = 107.8 ton\n"),
            std::string::npos)
      << t;
  EXPECT_EQ(t.find("φ"), std::string::npos);
}

TEST_F(LimitStateReportTest, OnlyTheGoverningLimitStateOfEachStrengthIsMarked) {
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::LRFD);
  m.aisc->limitStates[0].governing = false;
  m.aisc->limitStates[1].governing = true;
  const std::string t = Write(m);
  EXPECT_EQ(LineWith(t, "E3-1").find("◄"), std::string::npos) << t;
  EXPECT_NE(LineWith(t, "E7-1").find("◄ governs"), std::string::npos) << t;
}

TEST_F(LimitStateReportTest, ForcesInTheDisplayUnits) {
  ctx.displayUnits = UnitFactors("units=[kN]-[m]");
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::LRFD);
  const std::string t = Write(m);
  // The unit tables take a kN as 1000/9.81 kg: 180 000 kg = 1765.8 kN, 2 500 000 kg·cm = 245.25 kN·m.
  EXPECT_NE(t.find("Rn = 1766 kN, "), std::string::npos) << t;
  EXPECT_NE(t.find("Rn = 245.2 kN.m, "), std::string::npos) << t;
  EXPECT_NE(LineWith(t, "Fy =").find("Fy = 235440 kN/m²"), std::string::npos) << t;
  EXPECT_NE(LineWith(t, "Lb =").find("L = 4 m   Lb = 2 m"), std::string::npos) << t;
}

TEST_F(LimitStateReportTest, PersianRunTakesItsNamesFromTheTables) {
  ctx.language = 'F';
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::LRFD);
  const std::string t = Write(m);
  for (const char* text : {"آیین‌نامهٔ حالات حدی AISC 360-16، روش LRFD", "نسبت‌های پهنا به ضخامت",
                           "دیواره: 27.3", "فشار: λr = 93.15، غیرلاغر", "بال دوم: 40.25", "خمش: λp = 10.84, λr = 28.5، لاغر", "فشار محوری (Pc)",
                           "E3 (E3-1) کمانش خمشی  ► حاکم\n       Rn = 180 ton، φ = 0.9", "کمانش موضعی", "E7 (E7-1)", "نسبت حاکم 1.267 (H1-1a, WIND2)",
                           "تقاضا = 81 ton، نسبت = 0.5 (COMB1)", "یادداشت‌ها", "گسیختگی کششی"})
    EXPECT_NE(t.find(text), std::string::npos) << text << "\n" << t;
  EXPECT_EQ(t.find("Flexural buckling"), std::string::npos);
  EXPECT_EQ(t.find("governs"), std::string::npos);
  // A name the tables do not hold is shown as the check gave it rather than dropped.
  m.aisc->limitStates[1].name = "Bearing of the end plate";
  EXPECT_NE(Write(m).find("E7 (E7-1) Bearing of the end plate"), std::string::npos);
}

TEST_F(LimitStateReportTest, PersianNamesAreTranslatedPhraseByPhrase) {
  ctx.language = 'F';
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::LRFD);
  m.aisc->limitStates[0].name = "Flexural buckling about the weak axis";
  m.aisc->limitStates[1].name = "Flange local buckling (noncompact)";
  m.aisc->limitStates[2].name = "Lateral-torsional buckling (inelastic)";
  m.aisc->classification[1].element = "cover plate overhang on flange 1 (tension)";
  // A girder's negative moment has its own strength and caption.
  aisc::LimitState negative = m.aisc->limitStates[2];
  negative.strength = aisc::Strength::M3Negative;
  negative.name = "Lateral-torsional buckling, inelastic, negative M3";
  m.aisc->limitStates.push_back(negative);
  const std::string t = Write(m);
  for (const char* text : {"کمانش خمشی حول محور ضعیف", "کمانش موضعی بال (غیرفشرده)", "کمانش جانبی-پیچشی (غیرالاستیک)",
                           "لبهٔ آزاد ورق تقویتی روی بال اول (کششی): 40.25", "خمش حول محور قوی، لنگر منفی (M3-)",
                           "کمانش جانبی-پیچشی, غیرالاستیک, لنگر منفی M3"})
    EXPECT_NE(t.find(text), std::string::npos) << text << "\n" << t;
  // A phrase inside a word is not one: "compact" in "noncompact" stays whole.
  EXPECT_EQ(t.find("nonفشرده"), std::string::npos);
}

TEST_F(LimitStateReportTest, ForcesAndMomentsEachInOneUnit) {
  CheckedMember m = TubeColumn();
  m.aisc = HandFilled(aisc::Method::LRFD);
  // A small moment beside a large one is shown in the large one's unit, not rescaled on its own.
  aisc::LimitState small = m.aisc->limitStates[2];
  small.strength = aisc::Strength::M2;
  small.clause = "F8.1";
  small.equation = "F8-1b";
  small.nominal = 5000;
  small.available = 4500;
  small.demand.reset();
  small.ratio.reset();
  m.aisc->limitStates.insert(m.aisc->limitStates.begin() + 3, small);
  // Torsion, after the interaction, is a moment with a caption of its own.
  aisc::LimitState torsion = small;
  torsion.strength = aisc::Strength::T;
  torsion.clause = "H3.1";
  torsion.equation = "H3-1";
  torsion.name = "Torsional yielding (H3-3)";
  torsion.nominal = 150000;
  torsion.available = 135000;
  torsion.governing = true;  // the only one of its strength
  m.aisc->limitStates.push_back(torsion);
  const std::string t = Write(m);
  EXPECT_NE(t.find("Rn = 0.05 ton.m, φ = 0.9, φRn = 0.045 ton.m"), std::string::npos) << t;
  EXPECT_NE(t.find("   Torsion (T)\n   H3.1 (H3-1) Torsional yielding (H3-3)  ◄ governs\n       Rn = 1.5 ton.m, φ = 0.9, "
                   "φRn = 1.35 ton.m\n"),
            std::string::npos)
      << t;
}

TEST_F(LimitStateReportTest, WithoutForcesTheStrengthsStandAlone) {
  CheckedMember m = TubeColumn();
  aisc::Result r = HandFilled(aisc::Method::LRFD);
  r.governingRatio.reset();
  for (aisc::LimitState& s : r.limitStates) {
    s.demand.reset();
    s.ratio.reset();
  }
  r.limitStates.pop_back();
  m.aisc = r;
  const std::string t = Write(m);
  EXPECT_NE(t.find("No forces for this element: strengths only"), std::string::npos) << t;
  EXPECT_EQ(t.find("demand ="), std::string::npos) << t;
  EXPECT_EQ(t.find("Governing ratio"), std::string::npos) << t;
}

}  // namespace
}  // namespace tavo
