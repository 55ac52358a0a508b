#include "output/section_report.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include "core/module_context.h"
#include "output/report_samples.h"
#include "output/report_writers.h"

namespace tavo {
namespace {

CheckedMember PlateGirderBeam() {
  CheckedMember m;
  m.section.recognised = true;
  m.section.cs.family = "PG";
  m.section.family = StandardFamily("PG");
  m.section.cs.FullText = "PG600*8*250*15*250*15";
  m.section.cs.Lx = m.section.cs.Ly = 900;
  SectionProperties& p = m.section.props;
  p.A = 123.456, p.A1 = 48, p.A2 = 75, p.J = 80.5, p.rt = 6.789;
  p.I1 = 70000.123, p.S1 = 2258.07, p.r1 = 23.81, p.Z1 = 2500.5;
  p.I2 = 3906.3, p.S2 = 312.5, p.r2 = 5.62, p.Z2 = 475.25;
  m.member.kind = MemberKind::Beam;
  m.member.id = 12;
  m.member.Lx = 900;
  m.results.cls = "C";
  m.results.Lc = 312.25;
  m.results.Fb = 1440;
  m.results.Mmax = 32.52;
  return m;
}

class SectionReportTest : public ::testing::Test {
 protected:
  SectionReportTest() { ctx.metrics.fontSize = 8; }
  std::string Write(const CheckedMember& m, const SectionReportOptions& o = {}) {
    Report r(ctx);
    ok = WriteSectionReport(r, m, o);
    status = r.status;
    runs = r.runs();
    return RenderText(r);
  }
  ModuleContext ctx;
  bool ok = false;
  std::string status;
  std::vector<ReportRun> runs;
};

// The layout of every family is held by the golden reports; here the rounding of values chosen
// on their edges, and the styles of the runs.
TEST_F(SectionReportTest, BeamValuesRoundAndRunsCarryTheirStyles) {
  const std::string t = Write(PlateGirderBeam());
  for (const char* line : {"Beam:   ID = 12\n\n   PG600*8*250*15*250*15\n   A = 123.46 cm²\n", "   rt = 6.79 cm\n",
                           "   Ix  = 70000.12 cm4\n", "   Z/Sx  = 1.11 \n", "   Z/Sy  = 1.52 \n", "   Lc = 312.2 cm\n",
                           "   Fb = 1440 kg/cm² => Mmax =32.52ton.m\n", "   This Section is Compact\n"})
    EXPECT_NE(t.find(line), std::string::npos) << line << "\n" << t;
  EXPECT_TRUE(ok);
  EXPECT_EQ(status, "<void>");
  EXPECT_EQ(runs[0].colour, 1);
  EXPECT_TRUE(runs[0].bold && runs[0].underline);
  EXPECT_TRUE(runs[2].bold);  // the designation
  EXPECT_EQ(runs.back().text, "Compact");
  EXPECT_EQ(runs.back().colour, 15);
}

TEST_F(SectionReportTest, ClassWordsAndTheirColours) {
  CheckedMember m = PlateGirderBeam();
  m.results.cls = "N";
  Write(m);
  EXPECT_EQ(runs.back().text, "Non Compact");
  EXPECT_EQ(runs.back().colour, 12);
  m.results.cls = "S";
  Write(m);
  EXPECT_EQ(runs.back().text, "Slender !");
  ctx.language = 'F';
  const std::string fa = Write(m);
  EXPECT_NE(fa.find("تیر:   شناسه = 12\n"), std::string::npos);
  EXPECT_NE(fa.find("   این مقطع لاغر است\n"), std::string::npos);
}

TEST_F(SectionReportTest, TubeColumnHasNoRtNoLcAndShowsFa) {
  CheckedMember m = test::TubeColumnReport();
  const std::string t = Write(m);
  EXPECT_EQ(t.find("rt ="), std::string::npos);
  EXPECT_EQ(t.find("Lc ="), std::string::npos);
  EXPECT_EQ(t.find("Tmax"), std::string::npos);
  EXPECT_NE(t.find("Column:   ID = 5\n"), std::string::npos);
  EXPECT_NE(t.find("   Fa = 1254 kg/cm² => Pmax =107.4ton\n"), std::string::npos);
  // A column of no length shows neither Fa nor Tmax.
  m.member.Lx = 0;
  const std::string z = Write(m);
  EXPECT_EQ(z.find("Fa ="), std::string::npos);
  EXPECT_EQ(z.find("Tmax"), std::string::npos);
}

TEST_F(SectionReportTest, SingleAngleBracingBlanksItsAxisLettersAndNamesItsAxes) {
  CheckedMember m;
  m.section.cs.family = "L";
  m.section.family = StandardFamily("L");
  m.section.cs.Count = 1;
  m.section.cs.FullText = "L60*6";
  m.section.props.I1 = 22.8, m.section.props.S1 = 5.29, m.section.props.r1 = 1.82, m.section.props.Z1 = 9.5;
  m.section.props.I2 = 22.8, m.section.props.S2 = 5.29, m.section.props.r2 = 1.82, m.section.props.Z2 = 9.5;
  m.member.kind = MemberKind::Bracing;
  m.member.id = 8;
  m.results.Lc = 100;  // never shown for a bracing
  m.results.Tmax = 9.9;
  const std::string noLength = Write(m);
  EXPECT_NE(noLength.find("   Tmax = 9.9 ton\n"), std::string::npos);
  EXPECT_EQ(noLength.find("Fa ="), std::string::npos);
  EXPECT_EQ(noLength.find("Lc ="), std::string::npos);
  EXPECT_EQ(noLength.find("This Section"), std::string::npos);
  EXPECT_NE(noLength.find("Bracing:   ID = 8\n"), std::string::npos);
  EXPECT_NE(noLength.find("   I    = 22.8 cm4   ζζ\n"), std::string::npos);
  EXPECT_NE(noLength.find("   Z    = 9.5 cm³   ζζ\n"), std::string::npos);
  EXPECT_NE(noLength.find("   Z/S    = 1.8 \n"), std::string::npos);
  EXPECT_NE(noLength.find("   r    = 1.82 cm   ηη\n"), std::string::npos);
  int greek = 0;
  for (const auto& r : runs) greek += r.role == RunRole::AxisName;
  EXPECT_EQ(greek, 8);

  m.member.Lx = 250;
  m.results.lambda = 137.36;
  m.results.Fa = 556.5;
  m.results.Pmax = 3.8;
  EXPECT_NE(Write(m).find("   Fa = 556 kg/cm² => Pmax =3.8ton\n"), std::string::npos);
  // Without a radius of gyration the slenderness cannot be had.
  m.results.lambda.reset();
  m.results.Fa.reset();
  EXPECT_NE(Write(m).find("   Fa = slenderness not computable"), std::string::npos);
  // A doubled angle keeps its axis letters.
  m.section.cs.Count = 2;
  const std::string twin = Write(m);
  EXPECT_NE(twin.find("   Ix  = 22.8 cm4\n"), std::string::npos);
  EXPECT_EQ(twin.find("ζζ"), std::string::npos);
}

TEST_F(SectionReportTest, BeamWithoutFbSaysSo) {
  CheckedMember m = PlateGirderBeam();
  m.results.Fb.reset();
  m.results.Mmax.reset();
  EXPECT_NE(Write(m).find("   Fb = not computed for this section \n"), std::string::npos);
}

TEST_F(SectionReportTest, CoverPlateWeldLine) {
  CheckedMember m = PlateGirderBeam();
  m.section.cs.family = "IPE";
  m.section.family = StandardFamily("IPE");
  m.section.cs.PlateWidth = 20;
  m.section.cs.PlateThickness = 1;
  m.results.weld = WeldLimits{0.5, 0.9};
  std::string t = Write(m);
  EXPECT_NE(t.find("   aw(min) = 5 mm\n"), std::string::npos);
  EXPECT_TRUE(ok);

  m.results.weld = WeldLimits{0.8, 0.6};
  t = Write(m);
  EXPECT_NE(t.find("   Plate thickness (tpl) is not ok!  \u2718\n"), std::string::npos);
  EXPECT_FALSE(ok);
  EXPECT_EQ(status, "<void>");  // the report still ends without a verdict

  // Doubled profiles and profiles without plates have no weld line.
  m.section.cs.family = "2IPE";
  EXPECT_EQ(Write(m).find("aw(min)"), std::string::npos);
  m.section.cs.family = "IPE";
  m.section.family = StandardFamily("IPE");
  m.section.cs.PlateThickness = 0;
  EXPECT_EQ(Write(m).find("Plate thickness"), std::string::npos);
}

TEST_F(SectionReportTest, ExtraLinesFromTheDrawingStepInLightRed) {
  SectionReportOptions o;
  o.extraLines = {"Warning! Enlarge dpl!||هشدار! فاصله ورق‌ها را بیشتر کنید!"};
  const std::string t = Write(PlateGirderBeam(), o);
  EXPECT_EQ(t.substr(t.size() - 52), "   This Section is Compact\n   Warning! Enlarge dpl!\n");
  EXPECT_EQ(runs.back().colour, 12);
}

TEST_F(SectionReportTest, WritingAgainStartsAFreshReport) {
  Report r(ctx);
  WriteSectionReport(r, PlateGirderBeam());
  const size_t n = r.runs().size();
  r.WriteText("left over");
  WriteSectionReport(r, PlateGirderBeam());
  EXPECT_EQ(r.runs().size(), n);
}

TEST(PrintHeaderLines, SixLinesInOrder) {
  ModuleContext ctx;
  ctx.suiteVersion = "7.12";
  ctx.inputBase = "/work/frame";
  ctx.title = "Frame B";
  const auto lines = PrintHeaderLines(ctx, "2024-03-01", "09:30:00");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Ardekon version 7.12 outpu file");
  EXPECT_EQ(lines[1], MakerLine());
  EXPECT_EQ(lines[2], CopyrightLine());
  EXPECT_EQ(lines[3], "Filename: /work/frame.Ardekon");
  EXPECT_EQ(lines[4], "Title: Frame B");
  EXPECT_EQ(lines[5], "Date: 2024-03-01   Time: 09:30:00");
  EXPECT_EQ(DateText().size(), 10u);
  EXPECT_EQ(TimeText().size(), 8u);
}

}  // namespace
}  // namespace tavo
