// tavo design and tavo run --design as a user runs them: the lightest passing sections first,
// ranges that restrict, options that cannot be used refused with a reason, and a run that
// writes its proposals to a copy beside the input without touching the input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "app/own_install.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using tavo::test::ReadFile;

namespace {

const std::string kHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=Design\r\n";

class DesignCli : public tavo::test::OwnInstall {
 protected:
  nlohmann::json Json(const tavo::test::RunResult& r) { return nlohmann::json::parse(r.out, nullptr, false); }
  // The check of one section as `tavo section` gives it.
  nlohmann::json SectionCheck(const std::string& designation, const char* kind, const char* length) {
    const auto r = Tavo({"section", designation, "--kind", kind, "--length", length, "--json"});
    return Json(r)["check"];
  }
};

TEST_F(DesignCli, ListsTheLightestPassingSectionsFirst) {
  // Without demands every size OK by its own rules passes (the slender small ones do not).
  const auto all = Tavo({"design", "--kind", "column", "--length", "300", "--set", "IPE", "--count", "100", "--json"});
  ASSERT_EQ(all.status, 0) << all.err;
  const nlohmann::json sizes = Json(all);
  ASSERT_TRUE(sizes.size() >= 10u && sizes.size() < 18u) << all.out;
  // The first size whose own check reaches 40 t in compression and 3 t·m in bending.
  std::string expected;
  for (const auto& s : sizes) {
    const nlohmann::json check = SectionCheck(s["designation"], "column", "300");
    if (check["status"] == "OK" && check["Pmax"].get<double>() >= 40 && check["Mmax"].get<double>() >= 3) {
      expected = s["designation"];
      break;
    }
  }
  ASSERT_FALSE(expected.empty());

  const auto r = Tavo({"design", "--kind", "column", "--length", "300", "--set", "IPE", "--P", "40000", "--M3", "300000",
                       "--count", "4", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const nlohmann::json list = Json(r);
  ASSERT_EQ(list.size(), 4u) << r.out;
  EXPECT_EQ(list[0]["designation"], expected);
  EXPECT_EQ(list[0].begin().key(), "designation") << "designation, weight, ratio in that order";
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_LE(list[i]["ratio"].get<double>(), 1.0);
    if (i > 0) {
      EXPECT_LE(list[i - 1]["weight"].get<double>(), list[i]["weight"].get<double>());
    }
  }
  // Weight per metre: the area at 7850 kg/m³.
  const auto props = Json(Tavo({"section", expected, "--json"}));
  const double area = props["properties"]["A"].get<double>();
  EXPECT_NEAR(list[0]["weight"].get<double>(), area * 0.785, 0.001);

  const auto table = Tavo({"design", "--kind", "column", "--length", "300", "--set", "IPE", "--P", "40000", "--M3", "300000"});
  EXPECT_EQ(table.status, 0);
  EXPECT_THAT(table.out, HasSubstr("1  " + expected));
}

TEST_F(DesignCli, RangesRestrictAndBadOptionsAreRefused) {
  const auto r = Tavo({"design", "--kind", "beam", "--length", "400", "--set", "PG", "--M3", "2000000", "--depth-min", "400",
                       "--depth-max", "500", "--width-max", "250", "--plate-t", "10..15", "--web-t", "8..10", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const nlohmann::json list = Json(r);
  ASSERT_EQ(list.size(), 10u);
  for (const auto& p : list) {
    // "PG hw*tw*bf*tf" in mm.
    double hw = 0, tw = 0, bf = 0, tf = 0;
    char x = 0;
    std::istringstream in(p["designation"].get<std::string>().substr(3));
    in >> hw >> x >> tw >> x >> bf >> x >> tf;
    EXPECT_TRUE(hw + 2 * tf >= 400 && hw + 2 * tf <= 500) << p;
    EXPECT_LE(bf, 250) << p;
    EXPECT_TRUE(tf >= 10 && tf <= 15) << p;
    EXPECT_TRUE(tw >= 8 && tw <= 10) << p;
  }

  const struct {
    std::vector<std::string> options;
    int status;
    const char* said;
  } bad[] = {
      {{"--set", "HEX"}, 2, "unknown set \"HEX\""},
      {{"--set", "PG", "--plate-t", "8..3"}, 2, "8..3 is empty"},
      {{"--set", "PG", "--web-t", "six"}, 2, "not a range"},
      {{"--set", "IPE", "--depth-min", "500", "--depth-max", "300"}, 2, "depth range 500..300 mm is empty"},
      {{"--set", "IPE", "--depth-min", "5000"}, 2, "no candidate of IPE"},
      {{"--set", "IPE", "--P", "1e9"}, 1, "No candidate of IPE"},
      {{"--set", "IPE", "--code", "lrfd"}, 2, "--code"},
  };
  for (const auto& b : bad) {
    std::vector<std::string> args{"design", "--kind", "column", "--length", "300", "--json"};
    args.insert(args.end(), b.options.begin(), b.options.end());
    const auto out = Tavo(args);
    EXPECT_EQ(out.status, b.status) << b.said << "\n" << out.err;
    EXPECT_THAT(out.err, HasSubstr(b.said));
    if (b.status == 1) {
      EXPECT_EQ(Json(out), nlohmann::json::array());
    }
  }
}

TEST_F(DesignCli, RunWritesTheProposalsToACopyAndLeavesTheInput) {
  const std::string body = kHeader +
                           "NO=4\r\n1   IPB20   L=300  : first floor\r\n 2  2UNP20 ][ (d=12)  L = 250\r\n3 IPE20\r\n"
                           "4  IPB30 L=300\r\n";
  const fs::path in = scratch_.Write("frame.Ardekon", body);
  const fs::path copy = scratch_.path() / "frame.design.Ardekon", csv = scratch_.path() / "frame.design.csv";
  scratch_.Write("frame.design.Ardekon", "an older copy\n");

  const auto r = Tavo({"run", in.string(), "--design", "IPE"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(in), body) << "the input is only read";
  const std::string table = ReadFile(csv);
  std::vector<std::string> proposed;
  std::istringstream rows(table);
  std::string row;
  std::getline(rows, row);
  EXPECT_EQ(row, "ID,old designation,old weight kg/m,old ratio,new designation,new weight kg/m,new ratio");
  while (std::getline(rows, row)) {
    const size_t open = row.find(",\"", row.find(",\"") + 1);
    proposed.push_back(row.substr(open + 2, row.find('"', open + 2) - open - 2));
  }
  ASSERT_EQ(proposed.size(), 4u) << table;
  // The third element is an IPE already: the lightest IPE at least as strong is itself.
  EXPECT_EQ(proposed[2], "IPE200");
  // No IPE is as strong as an IPB300 in compression: no proposal, the line stays.
  EXPECT_EQ(proposed[3], "");
  EXPECT_THAT(r.out, HasSubstr("no candidate of IPE passes"));
  // Under today's rules each proposal is at least as strong as the section it replaces.
  const char* old[] = {"IPB20", "2UNP20 ][ (d=12)", "IPE20"};
  const char* lengths[] = {"300", "250", "0"};
  for (size_t i = 0; i < 3; ++i) {
    const nlohmann::json before = SectionCheck(old[i], "column", lengths[i]);
    const nlohmann::json after = SectionCheck(proposed[i], "column", lengths[i]);
    for (const char* capacity : {"Pmax", "Tmax", "Mmax"}) {
      if (before[capacity].is_null()) continue;  // a capacity the old section has not: nothing to reach
      ASSERT_TRUE(after[capacity].is_number()) << proposed[i] << " " << capacity;
      EXPECT_GE(after[capacity].get<double>(), before[capacity].get<double>()) << proposed[i] << " " << capacity;
    }
  }
  // Only the designations changed: ID, spacing, length and remark stay as written.
  EXPECT_EQ(ReadFile(copy), kHeader + "NO=4\r\n1   " + proposed[0] + "   L=300  : first floor\r\n 2  " + proposed[1] +
                                "  L = 250\r\n3 " + proposed[2] + "\r\n4  IPB30 L=300\r\n");
  EXPECT_THAT(r.out, HasSubstr(copy.string()));
  EXPECT_THAT(r.out, HasSubstr(proposed[0]));

  // Another set: the copy is replaced whole, and nothing else is left in the folder.
  const auto again = Tavo({"run", in.string(), "--design", "IPB"});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_THAT(ReadFile(copy), HasSubstr("1   IPB200   L=300"));
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(scratch_.path()))
    if (e.is_regular_file()) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"frame.Ardekon", "frame.design.Ardekon", "frame.design.csv"}));
  EXPECT_EQ(ReadFile(in), body);

  // A set that does not exist: refused, and the copy is left as it was.
  const std::string before = ReadFile(copy);
  const auto unknown = Tavo({"run", in.string(), "--design", "HEX"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_THAT(unknown.err, HasSubstr("unknown set"));
  EXPECT_EQ(ReadFile(copy), before);
}

// Under the limit-state code a run proposes for each element's own forces (the forces file
// beside the input), the same section `tavo design` proposes for those forces.
TEST_F(DesignCli, RunUnderTheLimitStateCodeDesignsForEachElementsForces) {
  const fs::path in = scratch_.Write("lrfd.Ardekon", kHeader + "NO=2\r\n1 IPB30 L=300\r\n2 IPB30 L=400\r\n");
  scratch_.Write("lrfd.forces.csv", "ID,OutputCase,P,M3\n1,C1,-60000,500000\n2,C1,-20000,0\n2,C2,-5000,900000\n");
  const auto r = Tavo({"run", in.string(), "--code", "aisc360-lrfd", "--design", "IPB"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string table = ReadFile(scratch_.path() / "lrfd.design.csv");
  const struct {
    const char* length;
    std::vector<std::vector<std::string>> combinations;  // each: P, M3 (kg, kg·cm; P in compression)
  } elements[] = {{"300", {{"60000", "500000"}}}, {"400", {{"20000", "0"}, {"5000", "900000"}}}};
  for (size_t i = 0; i < 2; ++i) {
    // With one combination `tavo design` is given it; with two, the lightest passing both.
    std::set<std::string> passingAll;
    bool first = true;
    for (const auto& comb : elements[i].combinations) {
      const auto d = Tavo({"design", "--code", "aisc360-lrfd", "--kind", "column", "--length", elements[i].length, "--set",
                           "IPB", "--P", comb[0], "--M3", comb[1], "--count", "100", "--json"});
      ASSERT_EQ(d.status, 0) << d.err;
      std::set<std::string> passing;
      for (const auto& p : Json(d)) passing.insert(p["designation"].get<std::string>());
      if (first) {
        passingAll = passing;
      } else {
        std::erase_if(passingAll, [&](const std::string& x) { return !passing.count(x); });
      }
      first = false;
    }
    // IPB sizes grow in weight with their size: the lightest is the smallest number.
    std::string lightest;
    for (const std::string& x : passingAll)
      if (lightest.empty() || std::stoi(x.substr(3)) < std::stoi(lightest.substr(3))) lightest = x;
    ASSERT_FALSE(lightest.empty());
    const std::string row = std::to_string(i + 1) + ",\"IPB30\",";
    const size_t at = table.find(row);
    ASSERT_NE(at, std::string::npos) << table;
    const std::string line = table.substr(at, table.find('\n', at) - at);
    EXPECT_THAT(line, HasSubstr(",\"" + lightest + "\",")) << line;
  }
}

}  // namespace

// A member over its strength keeps its ratio in the table: it is why a lighter or stronger
// section is asked for.
TEST_F(DesignCli, RunShowsTheRatioOfAMemberOverItsStrength) {
  const fs::path in = scratch_.Write("over.Ardekon", kHeader + "NO=0,1\r\n1 IPE20 L=500\r\n");
  scratch_.Write("over.forces.csv", "ID,OutputCase,M3\n1,C1,900000\n");
  const auto r = Tavo({"run", in.string(), "--code", "aisc360-lrfd", "--design", "IPE"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream rows(ReadFile(scratch_.path() / "over.design.csv"));
  std::string header, row;
  std::getline(rows, header);
  std::getline(rows, row);
  // ID,"old designation",old weight,old ratio,...
  std::vector<std::string> cells;
  std::string cell;
  for (std::istringstream cs(row); std::getline(cs, cell, ',');) cells.push_back(cell);
  ASSERT_GE(cells.size(), 4u) << row;
  EXPECT_GT(std::stod(cells[3]), 1.0) << row;
}
