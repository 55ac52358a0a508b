#include "input/edited_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "input/input_file.h"
#include "support/test_support.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// Remarks, a constants block, CRLF line ends and an element with a remark after it.
const std::string kFile =
    "Software=Ardekon  Version=7.12  Module=tavo  Title=t\r\n"
    ": a remark line\r\n"
    "CONSTANTS\r\n"
    "Fy=2400  UNITS=[kg]-[cm]\r\n"
    "NO=2,1,0  Units=[kg]-[cm]\r\n"
    ": columns\r\n"
    "  1   IPB20  L=320      : corner\r\n"
    "2\tIPE20 L = 300\r\n"
    "   : beams\r\n"
    "3   ipe30  L=600\r\n"
    "4   IPE40  L=600\r\n";

TEST(ElementLineNumbers, FindsTheElementLinesAsTheReaderDoes) {
  EXPECT_EQ(ElementLineNumbers(kFile, 3), (std::vector<size_t>{6, 7, 9}));
  EXPECT_EQ(ElementLineNumbers(kFile, 1), (std::vector<size_t>{6}));
  // Without a constants block the first line after the header is the count line; a blank line
  // ends the list.
  const std::string plain = "H\nNO=3\n1 IPE20\n\n2 IPE22\n";
  EXPECT_EQ(ElementLineNumbers(plain, 3), (std::vector<size_t>{2}));
  // No count line: no elements.
  EXPECT_TRUE(ElementLineNumbers("H\n1 IPE20\n", 1).empty());
}

TEST(ReplaceElementLines, ChangesOnlyTheEditedLinesAndKeepsIdsAndRemarks) {
  const std::string composed = ComposeElementLine("1 IPB20  L=320", "IPB22+2PL200*10", "350");
  EXPECT_EQ(composed, "1   IPB22+2PL200*10  L=350");
  EXPECT_EQ(ComposeElementLine("4 IPE40", "IPE45", ""), "4   IPE45");
  std::string problem;
  const auto out = ReplaceElementLines(
      kFile,
      {{1, ReadElementText("  1   IPB20  L=320"), ReadElementText(composed)},
       {3, "3   IPE30  L=600", "3   2UNP20  (D=12)  L=610"}},
      &problem);
  ASSERT_TRUE(out) << problem;
  std::string expected = kFile;
  expected.replace(expected.find("  1   IPB20  L=320"), 18, "  1   IPB22+2PL200*10  L=350");
  expected.replace(expected.find("3   ipe30  L=600"), 16, "3   2UNP20  (D=12)  L=610");
  EXPECT_EQ(*out, expected);

  // An ID the reader joins to the designation after it ("54.=IPE20") keeps the designation.
  const std::string odd = "e\nNO=1\n54.=";
  const std::string edited = ReadElementText(ComposeElementLine("54.=", "IPE20", "300"));
  const auto written = ReplaceElementLines(odd, {{1, "54.=", edited}}, &problem);
  ASSERT_TRUE(written) << problem;
  const size_t last = written->rfind('\n') + 1;
  EXPECT_EQ(ReadElementText(std::string_view(*written).substr(last)), edited) << *written;
}

TEST(ReplaceElementLines, RefusesWhenTheFileNoLongerHoldsWhatWasRead) {
  std::string problem;
  EXPECT_FALSE(ReplaceElementLines(kFile, {{2, "2 IPE22 L=300", "2 IPE24"}}, &problem));
  EXPECT_NE(problem.find("element 2"), std::string::npos) << problem;
  EXPECT_FALSE(ReplaceElementLines(kFile, {{5, "5 IPE20", "5 IPE22"}}, &problem));
  EXPECT_NE(problem.find("element 5"), std::string::npos) << problem;
}

TEST(SaveElementEdits, KeepsTheOldFileAsBackupAndLeavesItAloneOnFailure) {
  test::ScratchDir dir;
  const fs::path input = dir.Write("frame.Ardekon", kFile);
  const std::vector<ElementEdit> edits{{2, "2 IPE20 L=300", "2   IPE22  L=300"}};
  std::string error;
  ASSERT_TRUE(SaveElementEdits(input, edits, &error)) << error;
  EXPECT_EQ(test::ReadFile(dir.path() / "frame.Ardekon.bak"), kFile);
  std::string expected = kFile;
  expected.replace(expected.find("2\tIPE20 L = 300"), 15, "2   IPE22  L=300");
  EXPECT_EQ(test::ReadFile(input), expected);

  // Saved again over a stale reading: refused, nothing touched.
  EXPECT_FALSE(SaveElementEdits(input, edits, &error));
  EXPECT_EQ(test::ReadFile(input), expected);
  EXPECT_EQ(test::ReadFile(dir.path() / "frame.Ardekon.bak"), kFile);

  // The backup cannot be written (a folder stands in its place): the file stays as it was.
  const std::vector<ElementEdit> again{{2, "2 IPE22 L=300", "2   IPE24  L=300"}};
  fs::remove(dir.path() / "frame.Ardekon.bak");
  fs::create_directory(dir.path() / "frame.Ardekon.bak");
  EXPECT_FALSE(SaveElementEdits(input, again, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(test::ReadFile(input), expected);
  fs::remove(dir.path() / "frame.Ardekon.bak");
  if (::geteuid() != 0) {
    // A folder that cannot be written: the same (root writes anyway, so only as a user).
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_FALSE(SaveElementEdits(input, again, &error));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(test::ReadFile(input), expected);
  }
  // A file that is gone is said, not created.
  EXPECT_FALSE(SaveElementEdits(dir.path() / "none.Ardekon", again, &error));
  EXPECT_FALSE(fs::exists(dir.path() / "none.Ardekon"));
}

}  // namespace
}  // namespace tavo
