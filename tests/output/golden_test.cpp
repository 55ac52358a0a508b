// Reports, section records and result files of real sections against the reviewed files in
// tests/golden/output. TAVO_UPDATE_GOLDEN=1 rewrites them (only on purpose: review the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "checks/check_member.h"
#include "families/family_table.h"
#include "checks/element_check.h"
#include "core/module_context.h"
#include "input/input_session.h"
#include "output/report_writers.h"
#include "output/results_writer.h"
#include "output/section_records.h"
#include "output/section_report.h"
#include "resources/resource_store.h"
#include "sections/profile_catalogue.h"
#include "sections/section_parser.h"
#include "support/test_support.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

void ExpectGolden(const std::string& name, const std::string& actual) {
  test::ExpectGolden(fs::path(TAVO_GOLDEN_DIR) / "output" / name, actual);
}

const ProfileCatalogue& Catalogue() {
  static const ProfileCatalogue catalogue(test::SourcePath("data/cte/"));
  return catalogue;
}

CheckedMember Check(const std::string& designation, MemberKind kind, double length, int16_t id) {
  SectionInput in;
  in.catalogue = &Catalogue();
  in.families = tavo::StandardFamilies();
  MemberInput m;
  m.kind = kind;
  m.Lx = length;
  m.fy = 2400;
  m.id = id;
  return CheckMember(ComputeSection(designation, in), m);
}

struct ReportCase {
  const char* name;
  const char* designation;
  MemberKind kind;
  double length;
};

// One element of every family and member kind.
const ReportCase kReports[] = {
    {"pg_beam", "PG 600*8*250*15", MemberKind::Beam, 900},
    {"cross_column", "CROSS 400*300*8*200*12", MemberKind::Column, 350},
    {"box_column", "BOX 300*10*250*15  (D=20)", MemberKind::Column, 350},
    {"tube_bracing", "TUBE 273*10", MemberKind::Bracing, 400},
    {"ipe_plates_beam", "IPE30+2PL200*10", MemberKind::Beam, 600},
    {"inp_plates_beam", "INP24+2PL200*12", MemberKind::Beam, 400},
    {"hpb_column", "HPB240", MemberKind::Column, 600},
    {"hpe_half_beam", "HPE300-400", MemberKind::Beam, 600},
    {"cpe_beam", "CPE30", MemberKind::Beam, 900},
    {"ipe_triple_column", "3IPE30  (d=20)", MemberKind::Column, 400},
    {"ipe_web_plates_column", "IPE30+WPL200*8  DPL=25", MemberKind::Column, 400},
    {"unp_bracing", "UNP30", MemberKind::Bracing, 500},
    {"unp_double_column", "2UNP20  (d=12)", MemberKind::Column, 400},
    {"angle_bracing", "L60", MemberKind::Bracing, 250},
    {"angle_star_bracing", "2L80<>  (d=8)", MemberKind::Bracing, 300},
    {"angle_plate_column", "2L100 +PL120*10", MemberKind::Column, 0},
};

TEST(GoldenReports, TextAndRtfOfEveryFamilyAndKind) {
  ModuleContext ctx;
  ctx.metrics.fontSize = 10;
  int16_t id = 1;
  for (const auto& c : kReports) {
    SCOPED_TRACE(c.name);
    const CheckedMember m = Check(c.designation, c.kind, c.length, id++);
    ASSERT_TRUE(m.section.recognised) << c.designation << ": " << m.section.problem;
    Report r(ctx);
    WriteSectionReport(r, m);
    ExpectGolden(std::string("report_") + c.name + ".txt", RenderText(r));
    ExpectGolden(std::string("report_") + c.name + ".rtf", RenderRtf(r));
  }
}

TEST(GoldenReports, PersianReport) {
  ModuleContext ctx;
  ctx.language = 'F';
  Report r(ctx);
  WriteSectionReport(r, Check("IPE30+2PL200*10", MemberKind::Beam, 600, 5));
  ExpectGolden("report_ipe_plates_beam_fa.txt", RenderText(r));
  ExpectGolden("report_ipe_plates_beam_fa.rtf", RenderRtf(r));
  ExpectGolden("report_ipe_plates_beam_fa.html", RenderHtml(r));
}

TEST(GoldenRecords, BothLayoutsInKilogramCentimetreAndTonMetre) {
  const auto kgcm = UnitFactors("UNITS=[kg]-[cm]");
  const auto tonm = UnitFactors("UNITS=[ton]-[m]");
  std::string etabsKg, sapKg, etabsTon, sapTon;
  int16_t id = 1;
  for (const auto& c : kReports) {
    const CheckedMember m = Check(c.designation, c.kind, c.length, id);
    const std::string text = std::to_string(id) + "   " + c.designation;
    etabsKg += EtabsRecord(m.section.props, id, text, kgcm);
    sapKg += SapRecord(m.section.props, id, text, kgcm);
    etabsTon += EtabsRecord(m.section.props, id, text, tonm);
    sapTon += SapRecord(m.section.props, id, text, tonm);
    ++id;
  }
  ExpectGolden("records_etabs_kg_cm.txt", etabsKg);
  ExpectGolden("records_sap_kg_cm.txt", sapKg);
  ExpectGolden("records_etabs_ton_m.txt", etabsTon);
  ExpectGolden("records_sap_ton_m.txt", sapTon);
}

// A results run over a bundled example, in a scratch copy of the install tree's settings.
void RunExample(const std::string& example) {
  test::ScratchDir dir;
  fs::create_directories(dir.path() / "cte");
  fs::create_directories(dir.path() / "temp");
  fs::copy_file(test::SourcePath("data/install/constants.ini"), dir.path() / "cte" / "constants.ini");
  fs::copy_file(test::SourcePath("examples/" + example + ".Ardekon"), dir.path() / (example + ".Ardekon"));
  ModuleContext ctx;
  RecordingMessages messages;
  ctx.messages = &messages;
  ctx.installDir = dir.str();
  ctx.tempDir = dir.str() + "temp/";
  SetInputPath(ctx, dir.str() + example + ".Ardekon");
  InputSession session;
  ASSERT_TRUE(OpenInput(ctx, session));
  const auto elements = ReadAllElements(ctx, session);
  SectionInput in;
  in.catalogue = &Catalogue();
  in.families = tavo::StandardFamilies();
  in.dataUnits = ctx.dataUnitSystem;
  ResultsOptions options;
  options.date = "2000-01-01";
  options.time = "00:00:00";
  const DirectoryResourceStore templates(test::SourcePath("data/resources"));
  options.tableStore = &templates;
  const auto outcome = RunResults(
      ctx, elements, [&](const Element& e, MemberKind, int index) { return CheckElement(ctx, in, e, index); }, options);
  ASSERT_TRUE(outcome.ok);
  // The file name in the header is the scratch copy's; the golden names the example itself.
  auto stable = [&](std::string s) {
    for (size_t p = s.find(dir.str()); p != std::string::npos; p = s.find(dir.str())) s.replace(p, dir.str().size(), "");
    return s;
  };
  ExpectGolden(example + "_Out.csv", stable(test::ReadFile(outcome.files.csv)));
  ExpectGolden(example + "_book.tmp", stable(test::ReadFile(outcome.files.listing)));
  if (example == "frame") ExpectGolden(example + "_Out.rtf", stable(test::ReadFile(outcome.files.rtf)));
}

TEST(GoldenResultFiles, Frame) { RunExample("frame"); }
TEST(GoldenResultFiles, AllFamilies) { RunExample("all_families"); }
TEST(GoldenResultFiles, TowerInTonsAndMetres) { RunExample("tower_ton_m"); }

}  // namespace
}  // namespace tavo
