// What the command line does with an element whose input is not read as written: the run table
// marks it and lists the reason under the table, the JSON stream carries its status and notes,
// no number of it is printed as a result, and the exit status tells a script (3, or with
// --strict also on warnings). Elements that only carry a warning keep their numbers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

#include "app/process.h"
#include "support/test_support.h"

using ::testing::HasSubstr;
using ::testing::Not;
using tavo::test::RunTavo;
using tavo::test::ScratchDir;

namespace {

constexpr const char* kHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=diagnostics\n";

class DiagnosticsCli : public ::testing::Test {
 protected:
  tavo::test::RunResult Run(const std::string& body, std::vector<std::string> extra = {}) {
    const auto input = scratch_.Write("d.Ardekon", std::string(kHeader) + body);
    std::vector<std::string> args{"run", input.string(), "--no-files"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunTavo(args, scratch_.path());
  }
  // The table line of element id (the ID column is right-aligned after the marker column).
  static std::string RowOf(const std::string& table, int id) {
    std::istringstream in(table);
    std::string line;
    const std::string key = " " + std::to_string(id) + "  ";
    while (std::getline(in, line))
      if (line.size() > 10 && line.substr(0, 10).find(key) != std::string::npos) return line;
    return {};
  }
  ScratchDir scratch_;
};

TEST_F(DiagnosticsCli, ErrorElementIsMarkedListedAndHasNoNumbers) {
  // 4IPE30 is no profile the program builds; the IPE30 beside it is checked as usual.
  const auto r = Run("NO=2,0,0  Units=[kg]-[cm]\n1  4IPE30  L=300\n2  IPE30  L=300\n");
  EXPECT_EQ(r.status, 3) << r.err;
  const std::string bad = RowOf(r.out, 1), good = RowOf(r.out, 2);
  ASSERT_FALSE(bad.empty()) << r.out;
  EXPECT_EQ(bad[0], 'E');
  EXPECT_THAT(bad, HasSubstr("ERROR"));
  EXPECT_THAT(bad, Not(HasSubstr("OK")));
  // The old rule fell back to a single IPE30: element 2's numbers must not appear for element 1.
  EXPECT_EQ(good[0], ' ');
  ASSERT_THAT(good, HasSubstr("OK"));
  std::istringstream cells(good.substr(1));
  std::string cell, last;
  std::vector<std::string> numbers;
  while (cells >> cell)
    if (cell.find('.') != std::string::npos) numbers.push_back(cell);
  ASSERT_EQ(numbers.size(), 3u) << good;  // Lc, Fa, Pmax of a column
  for (const auto& n : numbers) EXPECT_THAT(bad, Not(HasSubstr(n)));
  EXPECT_THAT(r.out, HasSubstr("d.Ardekon:3: error: ID 1: A count of 4 IPE profiles"));
  EXPECT_THAT(r.out, HasSubstr("1 OK, 0 not OK, 1 with errors"));
}

TEST_F(DiagnosticsCli, JsonCarriesStatusAndNotesAndNullsTheNumbersOfAnError) {
  const auto r = Run("NO=2,0,0  Units=[kg]-[cm]\n1  4IPE30  L=300\n2  IPE30  L=300\n", {"--json"});
  EXPECT_EQ(r.status, 3) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 2u);
  EXPECT_EQ(j[0]["status"], "error");
  ASSERT_EQ(j[0]["notes"].size(), 1u);
  EXPECT_EQ(j[0]["notes"][0]["severity"], "error");
  EXPECT_THAT(j[0]["notes"][0]["text"].get<std::string>(), HasSubstr("count of 4"));
  EXPECT_TRUE(j[0]["check"].is_null());
  EXPECT_TRUE(j[0]["properties"].is_null());
  EXPECT_EQ(j[1]["status"], "OK");
  EXPECT_TRUE(j[1]["notes"].empty());
  EXPECT_EQ(j[1]["check"]["status"], "OK");
  EXPECT_GT(j[1]["check"]["Pmax"].get<double>(), 0);
}

TEST_F(DiagnosticsCli, AllCheckedExitsZeroAndPersianNotesArePersian) {
  const auto ok = Run("NO=1,0,0  Units=[kg]-[cm]\n1  IPE30  L=300\n");
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_THAT(ok.out, Not(HasSubstr("Notes")));
  const auto input = scratch_.Write("fa.Ardekon", std::string(kHeader) + "NO=1,0,0  Units=[kg]-[cm]\n1  4IPE30  L=300\n");
  const auto fa = RunTavo({"--persian", "run", input.string(), "--no-files"}, scratch_.path());
  EXPECT_EQ(fa.status, 3);
  EXPECT_THAT(fa.out, HasSubstr("پشتیبانی نمی‌شود"));
}

TEST_F(DiagnosticsCli, SectionAndReportSayWhyAndExitThree) {
  const auto section = RunTavo({"section", "4IPE30"}, scratch_.path());
  EXPECT_EQ(section.status, 3);
  EXPECT_THAT(section.out, HasSubstr("Error:"));
  EXPECT_THAT(section.out, HasSubstr("count of 4"));
  EXPECT_THAT(section.out, Not(HasSubstr("Pmax")));
  const auto json = RunTavo({"section", "--json", "4IPE30"}, scratch_.path());
  EXPECT_EQ(json.status, 3);
  const auto j = nlohmann::json::parse(json.out);
  EXPECT_EQ(j["status"], "error");
  EXPECT_TRUE(j["properties"].is_null());
  const auto report = RunTavo({"report", "4IPE30", "--kind", "beam"}, scratch_.path());
  EXPECT_EQ(report.status, 3);
  EXPECT_THAT(report.out, HasSubstr("Error: A count of 4 IPE profiles"));
  EXPECT_THAT(report.out, HasSubstr("Not checked"));
  EXPECT_THAT(report.out, Not(HasSubstr("Mmax")));
}

// A drawing of the nearest catalogue section would be taken for the one written: none is made.
TEST_F(DiagnosticsCli, DrawMakesNoPictureOfASectionInError) {
  const auto out = scratch_.path() / "l55.dxf";  // DXF: drawn without Qt too
  const auto wrong = RunTavo({"draw", "L55", "--out", out.string()}, scratch_.path());
  EXPECT_EQ(wrong.status, 3);
  EXPECT_THAT(wrong.err, HasSubstr("L55"));
  EXPECT_FALSE(std::filesystem::exists(out));
  const auto right = RunTavo({"draw", "L50", "--out", out.string()}, scratch_.path());
  EXPECT_EQ(right.status, 0) << right.err;
  EXPECT_TRUE(std::filesystem::exists(out));
}

}  // namespace
