// tavo run on several threads writes what it writes on one, byte for byte: the table, the JSON
// stream and the three result files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

#include "app/process.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using tavo::test::ReadFile;
using tavo::test::RunTavo;
using tavo::test::ScratchDir;

namespace {

// Every family, faulty lines (an unknown profile, a bad length, a bad ID), warnings, and more
// notes than the table keeps (its list of notes is cut at 1 MB: a length of 3 000 letters is
// quoted whole in its note).
std::string MixedInput(int n) {
  static const std::string kLongLength = "IPE30  L=" + std::string(3000, 'Q');
  static const std::string kMix[] = {"IPE30  L=400", "2IPE20  (d=20)  L=320", "XYZ30  L=300", "BOX 300*10*300*15  L=320",
                                     "PG 600*8*250*15  L=900", "2L60<>  L=abc", "2UNP20  (d=12)  L=520",
                                     "IPE30+2PL200*10", "TUBE 273*6  L=6,5", kLongLength};
  std::string s = "Software=Ardekon  Version=7.12  Module=tavo  Title=Jobs\n";
  s += "NO=" + std::to_string(n / 3) + "," + std::to_string(n / 3) + "," + std::to_string(n - 2 * (n / 3)) +
       "  Units=[kg]-[cm]  FILE=ETABS\n";
  for (int i = 1; i <= n; ++i) s += (i == 77 ? std::string("x77") : std::to_string(i % 30000)) + "   " + kMix[i % 10] + "\n";
  return s;
}

// The date and time of a run are the only bytes that may differ.
std::string WithoutDate(std::string text) {
  static const std::regex date(R"((Date: )[^\r\n\\]*)");
  return std::regex_replace(text, date, "$1");
}

TEST(RunJobs, EveryThreadCountWritesTheSameBytes) {
  ScratchDir dir;
  const std::string input = dir.Write("mixed.Ardekon", MixedInput(4000)).string();
  std::map<std::string, std::string> first;
  for (const char* jobs : {"1", "3"}) {
    SCOPED_TRACE(std::string("--jobs ") + jobs);
    const fs::path out = dir.path() / (std::string("out") + jobs);
    fs::create_directory(out);
    const auto table = RunTavo({"run", input, "--jobs", jobs, "--out-dir", out.string()}, dir.path());
    const auto json = RunTavo({"run", input, "--jobs", jobs, "--json", "--no-files"}, dir.path());
    ASSERT_EQ(table.status, 3) << table.err;  // errors among the elements
    std::map<std::string, std::string> got{{"table", table.out.substr(0, table.out.find("Result files:"))},
                                           {"json", json.out},
                                           {"csv", WithoutDate(ReadFile(out / "mixed_Out.csv"))},
                                           {"rtf", WithoutDate(ReadFile(out / "mixed_Out.rtf"))},
                                           {"listing", ReadFile(out / "book.tmp")}};
    EXPECT_NE(got["table"].find("more notes"), std::string::npos);
    EXPECT_NE(got["json"].find("\"id\":3999,"), std::string::npos) << got["json"].substr(got["json"].size() - 300);
    EXPECT_GT(got["rtf"].size(), 2'000'000u);
    if (first.empty()) {
      first = got;
      continue;
    }
    for (const auto& [name, bytes] : got) {
      ASSERT_EQ(bytes.size(), first[name].size()) << name;
      EXPECT_TRUE(bytes == first[name]) << name << " differs";
    }
  }
}

}  // namespace
