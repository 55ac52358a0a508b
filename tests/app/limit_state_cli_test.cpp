// The limit-state code through the tavo program: --code and --fu on run, section and report, the
// forces file beside the input or named, the "aisc360" object of the JSON outputs, the ratio
// column of the result files; and today's rules giving the same bytes as before.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/own_install.h"
#include "cli/check_json.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using tavo::test::ReadFile;
using tavo::test::RunTavo;
using tavo::test::ScratchDir;

namespace {

const std::string kHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=CLI\n";

class LimitStateCli : public tavo::test::OwnInstall {
 protected:
  // A bundled example, copied so that its result files land in the scratch folder.
  std::string Example(const std::string& name) {
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples" / name, scratch_.path() / name,
                  fs::copy_options::overwrite_existing);
    return (scratch_.path() / name).string();
  }
};

// The aisc360 object's keys and their JSON types, whatever the strengths turn out to be.
void ExpectAiscShape(const nlohmann::json& a, const std::string& method, bool withForces) {
  ASSERT_TRUE(a.is_object()) << a.dump();
  EXPECT_EQ(a["method"], method);
  EXPECT_TRUE(a["covered"].is_boolean());
  ASSERT_TRUE(a["classification"].is_array());
  for (const auto& e : a["classification"]) {
    EXPECT_TRUE(e["element"].is_string());
    EXPECT_TRUE(e["ratio"].is_number());
    EXPECT_TRUE(e["compression"].is_null() || e["compression"]["class"].is_string());
    EXPECT_TRUE(e["flexure"].is_null() || e["flexure"]["lambda_p"].is_number());
  }
  ASSERT_TRUE(a["available"].is_object());
  for (const char* s : {"Pc", "Pt", "M3", "M2", "V2", "V3"}) EXPECT_TRUE(a["available"][s].is_number()) << s;
  ASSERT_TRUE(a["limit_states"].is_array());
  for (const auto& l : a["limit_states"]) {
    for (const char* k : {"strength", "clause", "equation", "name"}) EXPECT_TRUE(l[k].is_string()) << k;
    for (const char* k : {"nominal", "available", "factor"}) EXPECT_TRUE(l[k].is_number()) << k;
    EXPECT_TRUE(l["governing"].is_boolean());
    EXPECT_EQ(l.contains("ratio"), withForces);
  }
  EXPECT_EQ(a.contains("governing_ratio"), withForces);
  EXPECT_TRUE(a["notes"].is_array());
}

// Today's rules by default, by --code asd89 and by CODE=asd89 in the settings: the same output,
// with no trace of the limit-state code; the result files as the golden ones but for their date.
TEST_F(LimitStateCli, TodaysRulesGiveTheSameBytes) {
  const std::string frame = Example("frame.Ardekon");
  const auto plain = Tavo({"run", frame, "--no-files"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  const auto named = Tavo({"run", frame, "--no-files", "--code", "asd89", "--fu", "4000"});
  EXPECT_EQ(named.out, plain.out);
  EXPECT_EQ(named.err, plain.err);
  EXPECT_THAT(plain.out, Not(HasSubstr("Ratio")));
  const auto json = Tavo({"run", frame, "--no-files", "--json"});
  EXPECT_THAT(json.out, Not(HasSubstr("aisc360")));
  const auto section = Tavo({"section", "--json", "--length", "300", "IPE20"});
  EXPECT_THAT(section.out, Not(HasSubstr("aisc360")));

  Settings("UNITS=[kg]-[cm]\nFY=2400\nFU=3700\nCODE=asd89\n");
  const auto fromSettings = Tavo({"run", frame, "--out-dir", scratch_.path().string()});
  EXPECT_EQ(fromSettings.out.substr(0, fromSettings.out.find("Result files:")), plain.out);
  // The CSV as the golden one, but for the line of the date and the file's folder.
  const auto withoutRunLines = [](const std::string& csv) {
    std::string kept;
    size_t at = 0;
    while (at < csv.size()) {
      size_t end = csv.find('\n', at);
      end = end == std::string::npos ? csv.size() : end + 1;
      const std::string line = csv.substr(at, end - at);
      if (line.rfind(" Date:", 0) != 0 && line.rfind(" File:", 0) != 0) kept += line;
      at = end;
    }
    return kept;
  };
  EXPECT_EQ(withoutRunLines(ReadFile(scratch_.path() / "frame_Out.csv")),
            withoutRunLines(ReadFile(fs::path(TAVO_GOLDEN_DIR) / "output/frame_Out.csv")));
}

// The bundled example under the limit-state code: the table's columns, each element's aisc360
// object, and the ratio column of the result files.
TEST_F(LimitStateCli, RunWithTheLimitStateCode) {
  const std::string frame = Example("frame.Ardekon");
  const auto table = Tavo({"run", frame, "--no-files", "--code", "aisc360-lrfd", "--fu", "4100"});
  EXPECT_NE(table.status, 1) << table.err;
  EXPECT_THAT(table.out, HasSubstr("Code:      aisc360-lrfd, Fu 4100 kg/cm²"));
  EXPECT_THAT(table.out, HasSubstr("Forces:    none"));
  EXPECT_THAT(table.out, HasSubstr("Pc kg"));
  EXPECT_THAT(table.out, HasSubstr("Ratio"));
  EXPECT_THAT(table.out, Not(HasSubstr("Fb kg/cm²")));

  for (const auto& [code, method] : {std::pair{"aisc360-lrfd", "LRFD"}, std::pair{"aisc360-asd", "ASD"}}) {
    const auto run = Tavo({"run", frame, "--no-files", "--json", "--code", code});
    const auto rows = nlohmann::json::parse(run.out, nullptr, false);
    ASSERT_TRUE(rows.is_array() && rows.size() == 9u) << run.out;
    for (const auto& e : rows) {
      SCOPED_TRACE(e["id"].dump());
      if (e["status"] == "error") {
        EXPECT_TRUE(e["aisc360"].is_null());
        continue;
      }
      ExpectAiscShape(e["aisc360"], method, false);
      // A member the code does not cover has no verdict of OK.
      if (e["aisc360"]["covered"] == false) { EXPECT_EQ(e["status"], "not OK"); }
    }
  }

  const auto files = Tavo({"run", frame, "--code", "aisc360-asd", "--out-dir", scratch_.path().string()});
  const std::string csv = ReadFile(scratch_.path() / "frame_Out.csv");
  EXPECT_THAT(csv, HasSubstr("\"R2\",\"Ratio\",\"Equation\",\"Notes\""));
  EXPECT_THAT(ReadFile(scratch_.path() / "frame_Out.rtf"), HasSubstr("Equation"));
}

// The forces file: beside the input it is found, named it is read; a named file that is not
// there stops the run; today's rules read none.
TEST_F(LimitStateCli, ForcesBesideTheInputOrNamed) {
  const std::string in = Input("small.Ardekon", kHeader + "NO=1\n1 IPE20 L=300\n");
  const std::string forces = "ID,OutputCase,P,M3\n1,COMB1,-10000000,0\n";
  Input("small.forces.csv", forces);
  const auto beside = Tavo({"run", in, "--no-files", "--code", "aisc360-lrfd"});
  EXPECT_THAT(beside.out, HasSubstr("Forces:    " + (scratch_.path() / "small.forces.csv").string()));
  const auto json = Tavo({"run", in, "--no-files", "--json", "--code", "aisc360-lrfd"});
  const auto rows = nlohmann::json::parse(json.out, nullptr, false);
  ASSERT_TRUE(rows.is_array() && rows.size() == 1u) << json.out;
  // A hundred tonnes on an IPE20 three metres long: never OK, and when the code covers it, the
  // ratio says why.
  EXPECT_EQ(rows[0]["status"], "not OK");
  EXPECT_THAT(beside.out, HasSubstr("NOT OK"));
  if (rows[0]["aisc360"]["covered"] == true && rows[0]["aisc360"].contains("governing_ratio")) {
    EXPECT_GT(rows[0]["aisc360"]["governing_ratio"].get<double>(), 1.0);
  }

  const std::string other = Input("other.csv", forces);
  const auto named = Tavo({"run", in, "--no-files", "--code", "aisc360-asd", "--forces", other});
  EXPECT_THAT(named.out, HasSubstr("Forces:    " + other));

  const auto missing = Tavo({"run", in, "--no-files", "--code", "aisc360-asd", "--forces", "nowhere.csv"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.err, HasSubstr("nowhere.csv: error: no such forces file"));
  EXPECT_TRUE(missing.out.empty()) << missing.out;

  const auto today = Tavo({"run", in, "--no-files", "--forces", other});
  EXPECT_EQ(today.status, 0) << today.err;
  EXPECT_THAT(today.err, HasSubstr("forces are read by the limit-state code only"));
  EXPECT_EQ(today.out, Tavo({"run", in, "--no-files"}).out);
}

// tavo section under the limit-state code: the member's data and forces as given, the JSON shape,
// and an unknown code in the settings said once with today's rules used.
TEST_F(LimitStateCli, SectionAndReportTakeTheCode) {
  const auto text = Tavo({"section", "--code", "aisc360-lrfd", "--fu", "4000", "--length", "300", "--lb", "150",
                          "--cb", "1.3", "--an", "20", "IPE20"});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("Limit-state code, LRFD: Fu = 4000 kg/cm², Lb = 150 cm, Cb = 1.3, An = 20 cm²"));
  const auto json = Tavo({"section", "--json", "--code", "aisc360-asd", "--fy", "2400", "--fu", "3700", "--length",
                          "300", "--P", "1000", "--M3", "20000", "IPE20"});
  const auto j = nlohmann::json::parse(json.out, nullptr, false);
  ASSERT_TRUE(j.is_object()) << json.out;
  ExpectAiscShape(j["aisc360"], "ASD", true);
  // Compression and tension are one axial force: not both.
  const auto both = Tavo({"section", "--code", "aisc360-asd", "--P", "1", "--T", "1", "IPE20"});
  EXPECT_NE(both.status, 0);
  const auto badCode = Tavo({"section", "--code", "lrfd", "IPE20"});
  EXPECT_NE(badCode.status, 0);
  EXPECT_THAT(badCode.err, HasSubstr("--code"));

  Settings("UNITS=[kg]-[cm]\nFY=2400\nCODE=lrfd\n");
  const auto unknown = Tavo({"section", "--length", "300", "IPE20"});
  EXPECT_THAT(unknown.err, HasSubstr("CODE = lrfd is not a design code"));
  EXPECT_THAT(unknown.out, Not(HasSubstr("Limit-state code")));
  // Given on the command line, the code replaces the settings' and nothing is said.
  const auto given = Tavo({"section", "--code", "aisc360-lrfd", "IPE20"});
  EXPECT_THAT(given.err, Not(HasSubstr("is not a design code")));
  EXPECT_THAT(given.out, HasSubstr("Limit-state code, LRFD"));

  const auto report = Tavo({"report", "--code", "aisc360-lrfd", "--fu", "4000", "--length", "300", "IPE20"});
  EXPECT_EQ(report.status, 0) << report.err;
  EXPECT_FALSE(report.out.empty());
}

// The aisc360 object from a result filled by hand: every number where it belongs, forces' keys
// only with forces, and absent numbers as null.
TEST(Aisc360Json, ResultFilledByHand) {
  using namespace tavo;
  aisc::Result r;
  r.method = aisc::Method::ASD;
  r.covered = true;
  aisc::ElementClassification flange;
  flange.element = "flange 1";
  flange.ratio = 5.5;
  flange.compressionCase = 1;
  flange.lambdaR = 16.2;
  flange.compression = aisc::ElementClass::Nonslender;
  flange.flexureCase = 10;
  flange.lambdaP = 10.9;
  flange.lambdaRf = 28.4;
  flange.flexure = aisc::ElementClass::Compact;
  aisc::ElementClassification stem;
  stem.element = "stem";
  stem.ratio = 12;
  r.classification = {flange, stem};
  r.available = {30000, 40000, 500000, 80000, 12000, 9000};
  aisc::LimitState pc{aisc::Strength::Pc, "E3", "E3-1", "Flexural buckling", 50100, 30000, 1.67, true, {}, {}, ""};
  pc.demand = 36000;
  pc.ratio = 1.2;
  pc.combination = "COMB2";
  aisc::LimitState m3{aisc::Strength::M3, "F2.1", "F2-1", "Yielding", 835000, 500000, 1.67, true, {}, {}, ""};
  r.limitStates = {pc, m3};
  r.governingRatio = 1.2;
  r.governingEquation = "E3-1";
  r.governingCombination = "COMB2";
  AddDiagnostic(r.notes, Severity::Warning, "An = Ag", "An = Ag", "An");

  const nlohmann::json j = cli::Aisc360Json(r, true);
  ExpectAiscShape(j, "ASD", true);
  EXPECT_EQ(j["classification"][0]["compression"]["case"], 1);
  EXPECT_DOUBLE_EQ(j["classification"][0]["compression"]["limit"].get<double>(), 16.2);
  EXPECT_EQ(j["classification"][0]["flexure"]["class"], "compact");
  EXPECT_DOUBLE_EQ(j["classification"][0]["flexure"]["lambda_r"].get<double>(), 28.4);
  EXPECT_TRUE(j["classification"][1]["compression"].is_null());
  EXPECT_DOUBLE_EQ(j["available"]["M3"].get<double>(), 500000);
  EXPECT_DOUBLE_EQ(j["available"]["V3"].get<double>(), 9000);
  EXPECT_EQ(j["limit_states"][0]["strength"], "Pc");
  EXPECT_EQ(j["limit_states"][0]["equation"], "E3-1");
  EXPECT_DOUBLE_EQ(j["limit_states"][0]["factor"].get<double>(), 1.67);
  EXPECT_DOUBLE_EQ(j["limit_states"][0]["ratio"].get<double>(), 1.2);
  EXPECT_EQ(j["limit_states"][0]["combination"], "COMB2");
  EXPECT_TRUE(j["limit_states"][1]["ratio"].is_null());
  EXPECT_TRUE(j["limit_states"][1]["combination"].is_null());
  EXPECT_EQ(j["governing_equation"], "E3-1");
  EXPECT_EQ(j["governing_combination"], "COMB2");
  EXPECT_EQ(j["notes"][0]["severity"], "warning");
  // Without forces no forces' keys; the strengths stay.
  const nlohmann::json bare = cli::Aisc360Json(r, false);
  ExpectAiscShape(bare, "ASD", false);
  EXPECT_DOUBLE_EQ(bare["limit_states"][1]["available"].get<double>(), 500000);

  // In an element's object only when the member was checked by the code, and null in error.
  CheckedMember m;
  m.member.id = 3;
  EXPECT_FALSE(cli::ElementJson(m).contains("aisc360"));
  m.aisc = r;
  EXPECT_EQ(cli::ElementJson(m)["aisc360"]["method"], "ASD");
  AddDiagnostic(m.diagnostics, Severity::Error, "bad", "bad", "x");
  EXPECT_TRUE(cli::ElementJson(m)["aisc360"].is_null());
}

}  // namespace
