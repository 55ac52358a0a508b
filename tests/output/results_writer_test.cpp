#include "output/results_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <unistd.h>

#include <cmath>
#include <csignal>
#include <filesystem>

#include "core/module_context.h"
#include "core/text_util.h"
#include "output/section_report.h"
#include "output/rtf_reader.h"
#include "resources/resource_store.h"
#include "support/test_support.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScratchDir;

class MapStore final : public ResourceStore {
 public:
  std::optional<std::string> bytes;
  std::optional<std::string> Find(std::string_view) const override { return bytes; }
  std::string Where() const override { return "map"; }
};

CheckedMember Member(double area) {
  CheckedMember m;
  m.section.cs.family = "IPE";
  SectionProperties& p = m.section.props;
  p.A = area, p.A1 = 21.6, p.A2 = 24.0, p.J = 1234.5, p.I1 = 8356.1, p.I2 = 603.8;
  p.S1 = 557.1, p.S2 = 80.5, p.Z1 = 628.4, p.Z2 = 125.2, p.r1 = 12.46, p.r2 = 3.3, p.Depth = 30, p.Width = 15;
  m.member.kind = MemberKind::Column;
  m.results.cls = "C";
  return m;
}

Element Elem(int16_t id, const std::string& text) { return Element{id, ElementText(text)}; }

class ResultsWriterTest : public ::testing::Test {
 protected:
  ResultsWriterTest() {
    ctx.messages = &messages;
    ctx.inputBase = dir.str() + "frame";
    ctx.tempDir = dir.str() + "temp/";
    fs::create_directories(ctx.tempDir);
    ctx.suiteVersion = "7.12";
    ctx.title = "Frame B";
    ctx.constantsUnits = "[kg]-[cm]";
    options.date = "2024-03-01";
    options.time = "09:30:00";
    store.bytes = ReadFile(test::SourcePath("data/resources/table_tavo.rtf"));
    options.tableStore = &store;
  }
  ScratchDir dir;
  ModuleContext ctx;
  RecordingMessages messages;
  MapStore store;
  ResultsOptions options;
};

// The layout of the three files is held by the golden result files; here where they go, the
// rows of values as given (not from a catalogue) and the count.
TEST_F(ResultsWriterTest, FilesBesideTheInputWithOneRowPerElement) {
  ResultsWriter w(ctx);
  ASSERT_TRUE(w.Start(options));
  w.Add(Member(53.81), Elem(1, "1   IPE30  L=320"), MemberKind::Column);
  w.Add(Member(0.5), Elem(2, "2 IPE30"), MemberKind::Column);
  ResultFiles files;
  ASSERT_TRUE(w.Finish(&files));
  EXPECT_EQ(files.csv, fs::path(dir.str() + "frame_Out.csv"));
  EXPECT_EQ(files.rtf, fs::path(dir.str() + "frame_Out.rtf"));
  EXPECT_EQ(files.listing, fs::path(ctx.tempDir + "book.tmp"));
  EXPECT_NE(ReadFile(files.csv).find("1,53.81,21.6,24,1234.5,8356.1,603.8,557.1,80.5,628.4,125.2,12.46,3.3,\"\"\r\n"
                                     "  1    1    USER     $ 1   IPE30  L=320\r\n"),
            std::string::npos);
  const std::string text = ReadRtfText(ReadFile(files.rtf)).Utf8();
  EXPECT_NE(text.find("2\t0.5\t21.6\t"), std::string::npos);
  EXPECT_EQ(text.find("<###"), std::string::npos);
  EXPECT_EQ(ReadFile(files.listing).rfind("\r\nID = 1 \r\n   1   IPE30  L=320\r\n   This Section is Compact\r\n", 0), 0u);
  EXPECT_EQ(w.rows(), 2);
  EXPECT_TRUE(messages.calls.empty());
}

TEST_F(ResultsWriterTest, RunModeEWritesRowsOnly) {
  options.writeRecords = false;
  ResultsWriter w(ctx);
  ASSERT_TRUE(w.Start(options));
  w.Add(Member(53.81), Elem(1, "1 IPE30"), MemberKind::Column);
  ASSERT_TRUE(w.Finish());
  const std::string csv = ReadFile(w.paths().csv);
  EXPECT_EQ(csv.find("USER"), std::string::npos);
  EXPECT_NE(csv.find("1,53.81,"), std::string::npos);
  EXPECT_EQ(ReadFile(w.paths().listing), "");
  // The run mode says so too.
  options.writeRecords = true;
  ctx.runMode = 'E';
  ResultsWriter e(ctx);
  ASSERT_TRUE(e.Start(options));
  e.Add(Member(53.81), Elem(1, "1 IPE30"), MemberKind::Column);
  ASSERT_TRUE(e.Finish());
  EXPECT_EQ(ReadFile(e.paths().csv).find("USER"), std::string::npos);
}

TEST_F(ResultsWriterTest, MissingTemplateSaysSoAndUsesTheBuiltInOne) {
  store.bytes.reset();
  ResultsWriter w(ctx);
  ASSERT_TRUE(w.Start(options));
  w.Add(Member(53.81), Elem(1, "1 IPE30"), MemberKind::Column);
  ASSERT_TRUE(w.Finish());
  ASSERT_EQ(messages.calls.size(), 1u);
  EXPECT_EQ(messages.calls[0].text, "File Does not Exist!");
  EXPECT_NE(ReadRtfText(ReadFile(w.paths().rtf)).Utf8().find("1\t53.81\t"), std::string::npos);
  // No store at all (an install tree without bin/dat) behaves the same.
  messages.calls.clear();
  options.tableStore = nullptr;
  ctx.installDir = dir.str();
  ResultsWriter v(ctx);
  ASSERT_TRUE(v.Start(options));
  ASSERT_TRUE(v.Finish());
  EXPECT_TRUE(messages.Saw("File Does not Exist!"));
}

TEST(FillTableTemplate, MarkersColoursAndATemplateWithoutPlaces) {
  ModuleContext ctx;
  ctx.suiteVersion = "7.12";
  ctx.inputBase = "c:\\work\\{frame}";
  ctx.title = "Tür";
  ctx.constantsUnits = "[ton]-[m]";
  auto f = FillTableTemplate("{\\rtf1{\\colortbl;\\red1\\green1\\blue1;}<###FILE###> <###TITLE###> <###UNITS###>"
                             "<###TABLE###>tail}",
                             ctx, "d", "t");
  EXPECT_EQ(f.headerColour, 2);
  EXPECT_EQ(f.prolog, "{\\rtf1{\\colortbl;\\red1\\green1\\blue1;\\red250\\green250\\blue150;}c:\\\\work\\\\\\{frame\\}.Ardekon "
                      "T\\u252?r [ton]-[m]");
  EXPECT_EQ(f.epilog, "tail}");
  f = FillTableTemplate("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}body}", ctx, "d", "t");
  EXPECT_EQ(f.headerColour, 1);
  EXPECT_EQ(f.prolog, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red250\\green250\\blue150;}body");
  EXPECT_EQ(f.epilog, "}");
}

TEST_F(ResultsWriterTest, InputBaseWithBackslashesNamesTheFilesBesideIt) {
  ctx.inputBase = dir.str() + "sub\\frame";
  fs::create_directories(dir.path() / "sub");
  ResultsWriter w(ctx);
  ASSERT_TRUE(w.Start(options));
  EXPECT_EQ(w.paths().csv, dir.path() / "sub" / "frame_Out.csv");
  EXPECT_EQ(w.paths().rtf, dir.path() / "sub" / "frame_Out.rtf");
  options.outDir = dir.path() / "elsewhere";
  options.listingDir = dir.path() / "elsewhere";
  fs::create_directories(options.outDir);
  ResultsWriter v(ctx);
  ASSERT_TRUE(v.Start(options));
  ASSERT_TRUE(v.Finish());
  EXPECT_TRUE(fs::exists(dir.path() / "elsewhere" / "frame_Out.csv"));
  EXPECT_TRUE(fs::exists(dir.path() / "elsewhere" / "book.tmp"));
}

TEST_F(ResultsWriterTest, ReadOnlyFolderKeepsThePreviousFiles) {
  const auto old = dir.Write("frame_Out.csv", "previous results");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(dir.path().c_str(), W_OK) == 0) {
    // Rights that ignore folder permissions (root): a folder that cannot be written for want
    // of existing fails the same way.
    options.outDir = dir.path() / "no-such-folder";
  }
  ResultsWriter w(ctx);
  EXPECT_FALSE(w.Start(options));
  w.Add(Member(1), Elem(1, "1 X"), MemberKind::Column);  // harmless after a failed start
  EXPECT_FALSE(w.Finish());
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(ReadFile(old), "previous results");
  ASSERT_EQ(messages.calls.size(), 1u);
  EXPECT_NE(messages.calls[0].text.find("previous result files are kept"), std::string::npos);
}

TEST_F(ResultsWriterTest, FullDiskKeepsThePreviousFilesAndLeavesNoTemporaries) {
  dir.Write("frame_Out.csv", "previous csv");
  dir.Write("frame_Out.rtf", "previous rtf");
  // A file size limit makes every write past it fail the way a full disk does.
  struct sigaction ignore {}, before {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &before);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 200000;
  setrlimit(RLIMIT_FSIZE, &small);
  bool finished = true;
  {
    ResultsWriter w(ctx);
    if (w.Start(options)) {
      for (int i = 1; i <= 2000; ++i) w.Add(Member(53.81), Elem(static_cast<int16_t>(i), "1 IPE30"), MemberKind::Column);
      finished = w.Finish();
    } else {
      finished = false;
    }
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &before, nullptr);
  EXPECT_FALSE(finished);
  EXPECT_EQ(ReadFile(dir.path() / "frame_Out.csv"), "previous csv");
  EXPECT_EQ(ReadFile(dir.path() / "frame_Out.rtf"), "previous rtf");
  for (const auto& e : fs::directory_iterator(dir.path()))
    EXPECT_EQ(e.path().filename().string().find(".frame_Out"), std::string::npos) << e.path();
  EXPECT_TRUE(messages.Saw("could not be written"));
}

TEST_F(ResultsWriterTest, RunResultsChecksEveryElementAndAsksNothing) {
  ctx.kindCounts = {1, 1, 0};
  ctx.N = 2;
  ctx.target = "SAP";
  const std::vector<Element> elements{Elem(1, "1 IPE30"), Elem(2, "2 IPE30")};
  std::vector<std::pair<int, MemberKind>> seen;
  std::vector<int> progress;
  const auto outcome = RunResults(
      ctx, elements,
      [&](const Element&, MemberKind kind, int index) {
        seen.emplace_back(index, kind);
        return Member(53.81);
      },
      options, [&](int p) { progress.push_back(p); });
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.elements, 2);
  EXPECT_EQ(seen, (std::vector<std::pair<int, MemberKind>>{{1, MemberKind::Column}, {2, MemberKind::Beam}}));
  EXPECT_EQ(progress, (std::vector<int>{0, 50, 100, -1}));
  EXPECT_TRUE(messages.calls.empty());  // whether to show the files is the program's question
  const std::string csv = ReadFile(outcome.files.csv);
  EXPECT_NE(csv.find("c   1 IPE30\r\n  1 A="), std::string::npos);
  EXPECT_NE(csv.find(" E=2100000\r\n2,"), std::string::npos);  // only the first element carries E
  EXPECT_EQ(csv.find(" E=", csv.find("c   2 IPE30")), std::string::npos);
}

TEST_F(ResultsWriterTest, DiagnosticsReachEveryFileAndErrorsGiveNoNumbers) {
  ResultsWriter w(ctx);
  ASSERT_TRUE(w.Start(options));
  CheckedMember warned = Member(53.81);
  AddDiagnostic(warned.diagnostics, Severity::Warning, "No length given; taken as braced", "طول داده نشده است", "L=");
  CheckedMember wrong = Member(99.5);
  AddDiagnostic(wrong.diagnostics, Severity::Error, "L55 is not in the catalogue", "L55 در جدول نیست", "L55");
  w.Add(warned, Elem(1, "1   IPE30"), MemberKind::Column);
  w.Add(wrong, Elem(2, "2   L55  L=300"), MemberKind::Column);
  ResultFiles files;
  ASSERT_TRUE(w.Finish(&files));
  const std::string csv = ReadFile(files.csv);
  // The warned element keeps its numbers and says why it deserves a look.
  EXPECT_NE(csv.find("1,53.81,21.6,24,1234.5,8356.1,603.8,557.1,80.5,628.4,125.2,12.46,3.3,"
                     "\"Warning: No length given; taken as braced (\"\"L=\"\")\"\r\n"),
            std::string::npos)
      << csv;
  // The element in error: no property written, no section record for an analysis program.
  EXPECT_NE(csv.find("2,,,,,,,,,,,,,\"Error: L55 is not in the catalogue\"\r\n"), std::string::npos) << csv;
  EXPECT_EQ(csv.find("99.5"), std::string::npos);
  EXPECT_EQ(csv.find("$ 2   L55"), std::string::npos);
  const std::string rtf = ReadFile(files.rtf);
  EXPECT_NE(rtf.find("Error: L55 is not in the catalogue\\cell"), std::string::npos);
  EXPECT_NE(rtf.find("Warning: No length given; taken as braced"), std::string::npos);
  const std::string listing = ReadFile(files.listing);
  EXPECT_NE(listing.find("ID = 2 \r\n   2   L55  L=300\r\n   Error: L55 is not in the catalogue\r\n"), std::string::npos)
      << listing;
  EXPECT_EQ(listing.find("Compact", listing.find("ID = 2")), std::string::npos);
}

TEST_F(ResultsWriterTest, NoElementsStillWritesTheHeadings) {
  const auto outcome = RunResults(ctx, {}, [](const Element&, MemberKind, int) { return CheckedMember{}; }, options);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.elements, 0);
  const std::string csv = ReadFile(outcome.files.csv);
  const std::string units = "\"\",\"cm²\",\"cm²\",\"cm²\",\"cm4\",\"cm4\",\"cm4\",\"cm³\",\"cm³\",\"cm³\",\"cm³\",\"cm\",\"cm\",\"\"\r\n";
  EXPECT_EQ(csv.substr(csv.size() - units.size()), units);
}

// A member checked by the limit-state code, its result filled by hand: the governing ratio (when
// forces were applied) is what the files and the grid show.
CheckedMember LimitStateMember(double area, std::optional<double> ratio, const std::string& equation) {
  CheckedMember m = Member(area);
  m.member.code = DesignCode::Aisc360Lrfd;
  aisc::Result r;
  r.covered = true;
  r.governingRatio = ratio;
  r.governingEquation = ratio ? equation : "";
  m.aisc = r;
  return m;
}

TEST_F(ResultsWriterTest, LimitStateCodeAddsTheRatioAndItsEquation) {
  ctx.code = DesignCode::Aisc360Lrfd;
  ResultsWriter w(ctx);
  ASSERT_TRUE(w.Start(options));
  w.Add(LimitStateMember(53.81, 1.23456, "H1-1a"), Elem(1, "1   IPE30"), MemberKind::Column);
  w.Add(LimitStateMember(53.81, std::nullopt, ""), Elem(2, "2   IPE30"), MemberKind::Column);
  CheckedMember wrong = LimitStateMember(99.5, 0.5, "E3-1");
  AddDiagnostic(wrong.diagnostics, Severity::Error, "L55 is not in the catalogue", "L55 در جدول نیست", "L55");
  w.Add(wrong, Elem(3, "3   L55"), MemberKind::Column);
  ResultFiles files;
  ASSERT_TRUE(w.Finish(&files));
  const std::string csv = ReadFile(files.csv);
  EXPECT_NE(csv.find("\"ID\",\"A\",\"A1\",\"A2\",\"J\",\"I1\",\"I2\",\"S1\",\"S2\",\"Z1\",\"Z2\",\"R1\",\"R2\",\"Ratio\","
                     "\"Equation\",\"Notes\"\r\n"),
            std::string::npos)
      << csv;
  // Rounded to three decimals, with the equation that gives it.
  EXPECT_NE(csv.find("1,53.81,21.6,24,1234.5,8356.1,603.8,557.1,80.5,628.4,125.2,12.46,3.3,1.235,\"H1-1a\",\"\"\r\n"),
            std::string::npos)
      << csv;
  // No forces: the cells are empty, not a ratio of 0.
  EXPECT_NE(csv.find("2,53.81,21.6,24,1234.5,8356.1,603.8,557.1,80.5,628.4,125.2,12.46,3.3,,,\"\"\r\n"), std::string::npos)
      << csv;
  // An element in error shows no ratio either.
  EXPECT_NE(csv.find("3,,,,,,,,,,,,,,,\"Error: L55"), std::string::npos) << csv;
  EXPECT_EQ(csv.find("0.5,\"E3-1\""), std::string::npos);
  const std::string text = ReadRtfText(ReadFile(files.rtf)).Utf8();
  EXPECT_NE(text.find("3.3\t1.235\tH1-1a"), std::string::npos) << text;
  EXPECT_NE(text.find("Ratio\tEquation"), std::string::npos);

  // Today's rules: thirteen columns whatever the member carries.
  ctx.code = DesignCode::Asd89;
  ResultsWriter old(ctx);
  ASSERT_TRUE(old.Start(options));
  old.Add(LimitStateMember(53.81, 1.23456, "H1-1a"), Elem(1, "1   IPE30"), MemberKind::Column);
  ASSERT_TRUE(old.Finish(&files));
  const std::string before = ReadFile(files.csv);
  EXPECT_NE(before.find("12.46,3.3,\"\"\r\n"), std::string::npos) << before;
  EXPECT_EQ(before.find("Ratio"), std::string::npos);
  EXPECT_EQ(before.find("H1-1a"), std::string::npos);
}

TEST(ResultGrid, RatioColumnOnlyUnderTheLimitStateCode) {
  ModuleContext ctx;
  const CheckedMember m = LimitStateMember(53.81, 0.75, "F2-1");
  ResultTableLayout t = ResultGridTable(ctx);
  ResultRowValues row = ResultGridRow(m, 4, ctx);
  EXPECT_EQ(t.headings.size(), 13u);
  ASSERT_EQ(row.size(), 13u);
  EXPECT_DOUBLE_EQ(row[1], 53.81);
  ctx.code = DesignCode::Aisc360Asd;
  t = ResultGridTable(ctx);
  row = ResultGridRow(m, 4, ctx);
  ASSERT_EQ(t.headings.size(), 14u);
  EXPECT_EQ(t.headings.back(), "Ratio");
  ASSERT_EQ(row.size(), 14u);
  EXPECT_DOUBLE_EQ(row.back(), 0.75);
  int spanned = 0;
  for (const int c : t.groupColumns) spanned += c;
  EXPECT_EQ(spanned, 14);
  // No forces: no ratio to show; an element in error: nothing but its ID.
  EXPECT_TRUE(std::isnan(ResultGridRow(LimitStateMember(53.81, std::nullopt, ""), 4, ctx).back()));
  CheckedMember wrong = m;
  AddDiagnostic(wrong.diagnostics, Severity::Error, "bad", "bad", "x");
  row = ResultGridRow(wrong, 4, ctx);
  EXPECT_DOUBLE_EQ(row[0], 4);
  EXPECT_TRUE(std::isnan(row[1]) && std::isnan(row.back()));
}

TEST(ResultNumberText, SameAsTheShortestTextForRoundedValues) {
  for (double v : {0.0, 1.0, -1.0, 0.001, 0.5, 12.345, 53.81, 1234.5, 8356.1, 99999.999, 1e7, 123456789.123, -0.007})
    EXPECT_EQ(ResultNumberText(v), ShortestText(v)) << v;
  for (int i = -20000; i <= 20000; i += 7) {
    const double v = RoundTo(i * 1.2345, 3);
    ASSERT_EQ(ResultNumberText(v), ShortestText(v)) << v;
  }
  EXPECT_EQ(ResultNumberText(std::nan("")), "0");
  EXPECT_EQ(ResultNumberText(-HUGE_VAL), "0");
}

}  // namespace
}  // namespace tavo
