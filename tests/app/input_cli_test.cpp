// The tavo program reading input as the user wrote it: Fy in the settings file's own units and
// given with --fy, --length in the data length unit for both section and report, one element
// list for info and run, and an input file that is only ever read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/own_install.h"
#include "app/process.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using tavo::test::ReadFile;
using tavo::test::RunTavo;
using tavo::test::ScratchDir;

namespace {

const std::string kHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=CLI\n";

// An install tree of its own, whose settings file says FY=2400 in [kg]-[cm].
class InputCli : public tavo::test::OwnInstall {};

TEST_F(InputCli, RunTakesFyFromTheCommandLine) {
  const std::string in = Input("fy.Ardekon", kHeader + "NO=0,1 UNITS=[ton]-[m]\n1 IPE300 L=6\n");
  const auto given = Tavo({"run", in, "--no-files", "--fy", "2500"});
  EXPECT_EQ(given.status, 0) << given.err;
  EXPECT_THAT(given.out, HasSubstr("Fy:        2500 kg/cm² (given)"));
  EXPECT_THAT(given.err, Not(HasSubstr("outside")));

  // Out of the usual range, but given: used, with a warning.
  const auto high = Tavo({"run", in, "--no-files", "--fy", "5000", "--json"});
  EXPECT_THAT(high.err, HasSubstr("Warning: Fy = 5000 kg/cm² is outside 2000 to 4000 kg/cm²"));
  const auto rows = nlohmann::json::parse(high.out, nullptr, false);
  ASSERT_TRUE(rows.is_array() && rows.size() == 1u) << high.out;
  EXPECT_EQ(rows[0]["check"]["status"], "OK");
  EXPECT_EQ(rows[0]["notes"][0]["severity"], "warning");

  // The same value from the input's constants block is an error: no verdict.
  const std::string block = Input("block.Ardekon", kHeader + "CONSTANTS\nFy=5000\nNO=0,1\n1 IPE300 L=600\n");
  const auto fromBlock = Tavo({"run", block, "--no-files", "--json"});
  EXPECT_THAT(fromBlock.err, HasSubstr("Error: Fy = 5000 kg/cm² is outside"));
  const auto blockRows = nlohmann::json::parse(fromBlock.out, nullptr, false);
  ASSERT_TRUE(blockRows.is_array() && blockRows.size() == 1u) << fromBlock.out;
  EXPECT_EQ(blockRows[0]["status"], "error");
  EXPECT_TRUE(blockRows[0]["check"].is_null());
  EXPECT_EQ(fromBlock.status, 3);
}

// The bundled tower in [ton]-[m] gives Fy 2.4 ton/cm² in its block; without the block the
// settings file gives the same 2400 kg/cm².
TEST_F(InputCli, TowerExampleInTonsAndMetres) {
  const std::string tower = ReadFile(tavo::test::SourcePath("examples/tower_ton_m.Ardekon"));
  const auto withBlock = Tavo({"info", Input("tower.Ardekon", tower)});
  EXPECT_EQ(withBlock.status, 0) << withBlock.err;
  EXPECT_THAT(withBlock.out, HasSubstr("Fy:              2400 kg/cm² (input)"));
  EXPECT_THAT(withBlock.out, Not(HasSubstr("Problems:")));

  std::string noBlock = tower;
  const auto from = noBlock.find("CONSTANTS\n"), to = noBlock.find("NO=");
  ASSERT_NE(from, std::string::npos);
  noBlock.erase(from, to - from);
  const auto settings = Tavo({"info", Input("tower2.Ardekon", noBlock)});
  EXPECT_THAT(settings.out, HasSubstr("Fy:              2400 kg/cm² (settings)"));
}

// info lists what run checks: before, the blank line became element "0 column 0" and the
// elements after it were listed too.
TEST_F(InputCli, InfoEndsTheListAtABlankLineLikeRun) {
  const std::string in = Input("blank.Ardekon", kHeader + "NO=4\n1 IPE20 L=300\n2 IPE22 L=300\n\n4 IPE24 L=300\n");
  const auto info = Tavo({"info", in, "--json"});
  const auto j = nlohmann::json::parse(info.out, nullptr, false);
  ASSERT_TRUE(j.is_object()) << info.out;
  ASSERT_EQ(j["elements"].size(), 2u);
  EXPECT_EQ(j["elements"][1]["id"], 2);
  ASSERT_FALSE(j["diagnostics"].empty());
  EXPECT_EQ(j["diagnostics"][0]["severity"], "error");
  EXPECT_THAT(j["diagnostics"][0]["text"].get<std::string>(), HasSubstr("element line 3 is blank"));

  const auto run = Tavo({"run", in, "--no-files", "--json"});
  const auto rows = nlohmann::json::parse(run.out, nullptr, false);
  ASSERT_TRUE(rows.is_array()) << run.out;
  EXPECT_EQ(rows.size(), 2u);

  const auto text = Tavo({"info", in});
  EXPECT_THAT(text.out, HasSubstr("Problems:\n" + in + ": error: The count line gives 4 elements"));
  EXPECT_THAT(text.out, Not(HasSubstr("IPE24")));
}

// The summary says what it could not read; before, L=abc was listed as length 0 and the bad
// units as [kg]-[cm] without a word.
TEST_F(InputCli, InfoSaysWhatItCouldNotRead) {
  const std::string in =
      Input("bad.Ardekon", kHeader + "NO=0,2 UNITS=[ton]-[m\n1 IPE20 L=abc\n40000 IPE22 L=3\n");
  const auto r = Tavo({"info", in});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("error: The units text [ton]-[m is not of the form [force]-[length]"));
  EXPECT_THAT(r.out, HasSubstr(in + ":3: error: The length L=ABC is not a non-negative number"));
  EXPECT_THAT(r.out, HasSubstr(in + ":4: error: The element ID 40000 is outside -32768 to 32767"));
  const auto j = nlohmann::json::parse(Tavo({"info", in, "--json"}).out, nullptr, false);
  ASSERT_TRUE(j.is_object());
  EXPECT_EQ(j["elements"][0]["diagnostics"][0]["subject"], "L=ABC");
  EXPECT_EQ(j["data_units"], "[kg]-[cm]");
}

// Before, info deleted an empty input file.
TEST_F(InputCli, InfoNeverDeletesOrChangesTheInput) {
  const std::string empty = Input("empty.Ardekon", "");
  const auto r = Tavo({"info", empty});
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("empty"));
  EXPECT_TRUE(fs::exists(empty));
  const std::string body = kHeader + "NO=1\n1 IPE20 L=300 : a remark\n";
  const std::string full = Input("full.Ardekon", body);
  EXPECT_EQ(Tavo({"info", full}).status, 0);
  EXPECT_EQ(ReadFile(full), body);
}

// --length is in the data length unit for both commands. Before, report read it in cm whatever
// --units said, so 6 (metres) became 6 cm and the beam was as good as braced: 8.82 ton·m.
TEST_F(InputCli, SectionAndReportTakeTheLengthInTheSameUnit) {
  const auto section =
      Tavo({"section", "IPE300", "--kind", "beam", "--length", "6", "--units", "[kg]-[m]", "--json"});
  ASSERT_EQ(section.status, 0) << section.err;
  const auto j = nlohmann::json::parse(section.out, nullptr, false);
  ASSERT_TRUE(j.is_object()) << section.out;
  EXPECT_DOUBLE_EQ(j["check"]["Mmax"].get<double>(), 4.17);

  const auto report = Tavo({"report", "IPE300", "--kind", "beam", "--length", "6", "--units", "[kg]-[m]"});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_THAT(report.out, HasSubstr("4.17"));
  EXPECT_THAT(report.out, Not(HasSubstr("8.82")));

  // With an input, its data units: L given as 6 m on the command line, not as 6 cm.
  const std::string in = Input("m.Ardekon", kHeader + "NO=0,1 UNITS=[ton]-[m]\n5 IPE300 L=3\n");
  const auto fromInput = Tavo({"report", "--input", in, "--id", "5", "--length", "6"});
  ASSERT_EQ(fromInput.status, 0) << fromInput.err;
  EXPECT_THAT(fromInput.out, HasSubstr("4.17"));

  const auto help = Tavo({"report", "--help"});
  EXPECT_THAT(help.out, HasSubstr("data length unit"));
}

}  // namespace
