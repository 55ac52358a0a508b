#include "input/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text_util.h"
#include "support/input_fixture.h"

namespace tavo {
namespace {

using Fixture = test::OpenedInput;
const std::string& kHeader = test::kInputHeader;

TEST(WorkingCopy, CommentsAreStrippedAndFirstLineKept) {
  Fixture f;
  f.dir.Write("in.Ardekon", "Title: a: b\n: whole comment\n5 IPE 200 : remark\nNO=1\n");
  SetInputPath(f.ctx, f.dir.str() + "in.Ardekon");
  ASSERT_TRUE(MakeWorkingCopy(f.ctx));
  EXPECT_EQ(test::ReadFile(WorkingCopyPath(f.ctx)), "Title: a: b\n5 IPE 200 \nNO=1\n");
}

TEST(WorkingCopy, MissingEmptyAndBinaryInputsAreReported) {
  Fixture f;
  SetInputPath(f.ctx, f.dir.str() + "none.Ardekon");
  EXPECT_FALSE(MakeWorkingCopy(f.ctx));
  EXPECT_TRUE(f.messages.Saw("File does not exist: "));
  EXPECT_EQ(f.ctx.inputBase, "");

  Fixture g;
  EXPECT_FALSE(g.Open(""));
  EXPECT_TRUE(g.messages.Saw("The input file is empty"));
  EXPECT_TRUE(std::filesystem::exists(g.dir.path() / "in.Ardekon"));

  Fixture h;
  EXPECT_FALSE(h.Open(std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)));
  EXPECT_TRUE(h.messages.Saw("not a text input file"));
}

TEST(InputFile, HeaderCountsUnitsAndElements) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "NO=2,1,1 UNITS=[ton]-[m] FILE=SAP\n  12 IPE 200\n13 IPE20 L=3.5\n"));
  EXPECT_EQ(f.ctx.suiteVersion, "7.12");
  EXPECT_EQ(f.ctx.title, "Test");
  EXPECT_EQ(f.ctx.N, 4);
  EXPECT_EQ(f.ctx.kindCounts, (std::array<int, 3>{2, 1, 1}));
  EXPECT_EQ(f.ctx.dataUnits, "[ton]-[m]");
  EXPECT_EQ(f.ctx.constantsUnits, "[ton]-[m]");
  EXPECT_EQ(f.ctx.target, "SAP");
  const auto elements = ReadAllElements(f.ctx, f.session);
  ASSERT_EQ(elements.size(), 2u);  // the file ends before N
  EXPECT_EQ(elements[0].id, 12);
  EXPECT_EQ(TrimRight(elements[0].text), elements[0].text);  // held without padding
  EXPECT_EQ(Trim(elements[0].text), "12 IPE 200");
  EXPECT_EQ(PaddedElementText(elements[0].text), Trim(elements[0].text) + std::string(kElementTextLength - 10, ' '));
  EXPECT_DOUBLE_EQ(MemberLength(elements[1].text, f.ctx.dataUnitSystem), 350);
  EXPECT_DOUBLE_EQ(MemberLength(elements[0].text, f.ctx.dataUnitSystem), 0);
  EXPECT_EQ(KindOfIndex(f.ctx, 2), MemberKind::Column);
  EXPECT_EQ(KindOfIndex(f.ctx, 3), MemberKind::Beam);
  EXPECT_EQ(KindOfIndex(f.ctx, 4), MemberKind::Bracing);
}

TEST(InputFile, ConstantsBlockGivesTextAndUnits) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "CONSTANTS\nFY=2400 UNITS=[ton]-[m]\nNO=1,0,0\n1 IPE20\n"));
  EXPECT_EQ(f.ctx.constantsText, "FY=2400 UNITS=[ton]-[m] ");
  EXPECT_EQ(f.ctx.constantsUnits, "[ton]-[m]");
  EXPECT_EQ(f.ctx.dataUnits, "[kg]-[cm]");
  EXPECT_EQ(f.ctx.N, 1);
  EXPECT_EQ(f.ctx.displayUnits.forceName, "ton");
}

TEST(InputFile, WindowsLineEndsReadLikeUnix) {
  Fixture unix_, win;
  const std::string body = std::string(kHeader) + "CONSTANTS\nFy=2500\nNO=2 UNITS=[kg]-[cm]\n1 IPE20\n2 UNP20\n";
  std::string crlf;
  for (char c : body) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_TRUE(unix_.Open(body));
  ASSERT_TRUE(win.Open(crlf));
  EXPECT_EQ(win.ctx.title, unix_.ctx.title);
  EXPECT_EQ(win.ctx.constantsText, unix_.ctx.constantsText);
  EXPECT_DOUBLE_EQ(win.ctx.fy, 2500);
  const auto a = ReadAllElements(unix_.ctx, unix_.session);
  const auto b = ReadAllElements(win.ctx, win.session);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].text, b[i].text);
}

TEST(InputFile, OlderHeaderWarnsAndBadCountsBecomeZero) {
  Fixture f;
  ASSERT_TRUE(f.Open("Some old header\nNO=abc,-5 UNITS=[kg]-[cm]\n1 IPE20\n"));
  EXPECT_TRUE(f.messages.Saw("Reading an older version"));
  EXPECT_EQ(f.ctx.N, 0);
  Fixture g;
  ASSERT_TRUE(g.Open(std::string(kHeader) + "1 IPE20\n"));  // no count line at all
  EXPECT_EQ(g.ctx.N, 0);
  EXPECT_EQ(g.ctx.dataUnits, "[kg]-[cm]");
}

TEST(InputFile, ConstantsBlockWithoutCountLineEndsAtTheEnd) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "CONSTANTS\nFy=2500\n"));
  EXPECT_EQ(f.ctx.constantsText, "Fy=2500 ");
  EXPECT_EQ(f.ctx.N, 0);
}

TEST(InputFile, HugeLinesAreKeptWhole) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "NO=1\n7 IPE20 " + std::string(100000, 'x') + " L=300\n"));
  const auto elements = ReadAllElements(f.ctx, f.session);
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_EQ(elements[0].id, 7);
  EXPECT_EQ(elements[0].text.size(), 100014u);
  EXPECT_DOUBLE_EQ(MemberLength(elements[0].text, f.ctx.dataUnitSystem), 300);
}

TEST(GetHeaderValue, SpaceAndCommaSplitting) {
  const std::string h = "Software=Ardekon  Version=7.12  Module=tavo  Title=Test, second";
  EXPECT_EQ(GetHeaderValue(h, "version", 1, "space"), "7.12");
  EXPECT_EQ(GetHeaderValue(h, "title", 1, ""), "Test");
  EXPECT_EQ(GetHeaderValue(h, "title", 2, ""), "second");
  EXPECT_EQ(GetHeaderValue(h, "title", 3, ""), "");
  EXPECT_EQ(GetHeaderValue(h, "missing", 1, ""), "");
}

TEST(ReadDataLine, SkipsColonLinesAndRepeatsAtTheEnd) {
  test::ScratchDir dir;
  const auto p = dir.Write("w.tmp", "a\n x: y\n  b  \n");
  WorkingCopy copy;
  ASSERT_TRUE(copy.Open(p.string()));
  EXPECT_EQ(copy.ReadDataLine(), "a");
  EXPECT_EQ(copy.ReadDataLine(), "b");
  EXPECT_TRUE(copy.AtEnd());
  EXPECT_EQ(copy.ReadDataLine(), "b");
}

}  // namespace
// The table holds each text without its padding: a million-element run must not carry 150 MB
// of blanks; the fixed-length form is made on demand, for the outputs with fixed columns.
TEST(InputFile, ElementTextIsUpperCasedUnpaddedAndWhole) {
  EXPECT_EQ(ElementText("5  ipe20  l=300   "), "5  IPE20  L=300");
  EXPECT_EQ(ElementText("   "), "");
  EXPECT_EQ(ElementText(std::string(200, 'a')), std::string(200, 'A'));
  EXPECT_EQ(ElementText("7 ipe20" + std::string(143, ' ') + "l=600"), "7 IPE20" + std::string(143, ' ') + "L=600");
  EXPECT_EQ(PaddedElementText("5 IPE20").size(), kElementTextLength);
  EXPECT_EQ(PaddedElementText("5 IPE20").substr(0, 8), "5 IPE20 ");
  EXPECT_EQ(PaddedElementText(std::string(300, 'B')), std::string(kElementTextLength, 'B'));
}

}  // namespace tavo

namespace tavo {
namespace {

TEST(InputFile, TableEntryStartsWithoutAnInputFile) {
  Fixture f;
  f.dir.Write("cte/constants.ini", "[tavo]\nUNITS=[ton]-[m]\nFY=24000\n");
  f.ctx.runMode = 'E';
  SetInputPath(f.ctx, f.dir.str() + "new.Ardekon");
  ASSERT_TRUE(OpenInput(f.ctx, f.session));
  EXPECT_EQ(f.ctx.N, 0);
  EXPECT_EQ(f.ctx.constantsUnits, "[ton]-[m]");
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "new.Ardekon"));
  EXPECT_TRUE(f.messages.calls.empty());
}

TEST(InputFile, TableEntryKeepsABackupOfAnExistingFile) {
  Fixture f;
  f.ctx.runMode = 'E';
  const std::string body = "Software=Ardekon  Version=7.12  Module=tavo  Title=T\nNO=1\n1 IPE20\n";
  ASSERT_TRUE(f.Open(body, "old.Ardekon"));
  EXPECT_EQ(test::ReadFile(f.dir.path() / "old.Ardekon_bak"), body);
  EXPECT_EQ(f.ctx.N, 1);
}

// The count line: whole, non-negative counts of at most 10 000 000 elements in all, or nothing
// is read and the reason is given. Before, NO=3e9,1,1 gave two elements of the wrong kinds.
TEST(CountLine, CountsThatAreNotWholeOrTooLargeReadNoElements) {
  for (const char* line : {"NO=10e50", "NO=3e9,1,1", "NO=2.5", "NO=-1,2", "NO=1,2,3,4", "NO=9000000,2000000",
                           "NO=abc"}) {
    SCOPED_TRACE(line);
    Fixture f;
    ASSERT_TRUE(f.Open(std::string(kHeader) + line + "\n1 IPE20\n2 IPE20\n"));
    EXPECT_EQ(f.ctx.N, 0);
    EXPECT_EQ(f.ctx.kindCounts, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(test::Said(f.ctx.inputDiagnostics, Severity::Error, "whole numbers"));
    EXPECT_TRUE(ReadAllElements(f.ctx, f.session).empty());
  }
}

TEST(CountLine, BlanksAroundSignsAndMissingCountsAreRead) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "NO = 2, 1, 1   Units = [ton]-[m]  FILE = SAP\n1 IPE20\n"));
  EXPECT_EQ(f.ctx.kindCounts, (std::array<int, 3>{2, 1, 1}));
  EXPECT_EQ(f.ctx.dataUnits, "[ton]-[m]");
  EXPECT_EQ(f.ctx.target, "SAP");
  Fixture g;
  ASSERT_TRUE(g.Open(std::string(kHeader) + "NO=3,,2\n1 IPE20\n"));
  EXPECT_EQ(g.ctx.kindCounts, (std::array<int, 3>{3, 0, 2}));
  EXPECT_EQ(g.ctx.N, 5);
  Fixture h;
  ASSERT_TRUE(h.Open(std::string(kHeader) + "NO=10000000\n1 IPE20\n"));  // the limit itself is allowed
  EXPECT_EQ(h.ctx.N, 10000000);
  EXPECT_FALSE(HasError(h.ctx.inputDiagnostics));
}

TEST(CountLine, MissingCountLineAndUnknownWordsAreReported) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "1 IPE20\n"));
  EXPECT_EQ(f.ctx.N, 0);
  EXPECT_TRUE(test::Said(f.ctx.inputDiagnostics, Severity::Error, "no count line"));

  // A misspelt UNITS is not read: the elements would be in kg and cm, so it is said.
  Fixture g;
  ASSERT_TRUE(g.Open(std::string(kHeader) + "NO=1 UNIT=[ton]-[m] FILE=STAAD\n1 IPE20\n"));
  EXPECT_EQ(g.ctx.dataUnits, "[kg]-[cm]");
  EXPECT_TRUE(test::Said(g.ctx.inputDiagnostics, Severity::Warning, "UNIT=[ton]-[m], which is not one of"));
  EXPECT_TRUE(test::Said(g.ctx.inputDiagnostics, Severity::Warning, "FILE=STAAD is not a program"));
  EXPECT_EQ(g.ctx.target, "ETABS");

  Fixture h;
  ASSERT_TRUE(h.Open(std::string(kHeader) + "NO=1 NO=2\n1 IPE20\n"));
  EXPECT_EQ(h.ctx.N, 0);
  EXPECT_TRUE(HasError(h.ctx.inputDiagnostics));
}

// A unit text that can't be read exactly gives [kg]-[cm] and an error every element inherits.
// Before, [ton]-[m (its last "]" missing) was taken as [ton]-[cm].
TEST(UnitsText, MalformedOrUnknownUnitsGiveTheDefaultAndAnError) {
  for (const char* units : {"[ton]-[m", "[ton-[m]", "[tons]-[m]", "[ton]-[yd]", "[ton]*[m]"}) {
    SCOPED_TRACE(units);
    Fixture f;
    ASSERT_TRUE(f.Open(std::string(kHeader) + "NO=1 UNITS=" + units + "\n1 IPE20 L=3\n"));
    EXPECT_EQ(f.ctx.dataUnits, "[kg]-[cm]");
    EXPECT_FLOAT_EQ(f.ctx.dataUnitSystem.lengthFactor, 1.0f);
    EXPECT_TRUE(HasError(f.ctx.dataUnitsDiagnostics));
    EXPECT_TRUE(HasError(f.ctx.inputDiagnostics));
    EXPECT_EQ(f.ctx.dataUnitsDiagnostics[0].subject, std::string("UNITS=") + units);
  }
  Fixture g;
  ASSERT_TRUE(g.Open(std::string(kHeader) + "NO=1 UNITS=[KN]-[MM]\n1 IPE20\n"));
  EXPECT_EQ(g.ctx.dataUnits, "[KN]-[MM]");
  EXPECT_TRUE(g.ctx.dataUnitsDiagnostics.empty());
}

// One reader for every command: a blank line ends the list (it is not an element), a list
// shorter than the count is an error, lines past it a warning. Before, the list read by info
// and report went on past the blank line, which became an element with ID 0.
TEST(ElementList, BlankLineEndsTheListForEveryReader) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "NO=4\n1 IPE20\n2 IPE22\n\n4 IPE24\n"));
  const auto elements = ReadAllElements(f.ctx, f.session);
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[1].id, 2);
  EXPECT_TRUE(test::Said(f.ctx.inputDiagnostics, Severity::Error, "element line 3 is blank"));
}

// The element list of a file with this count line and these element lines, and what was said.
std::pair<size_t, Diagnostics> ListOf(const std::string& body) {
  Fixture f;
  EXPECT_TRUE(f.Open(std::string(kHeader) + body));
  const size_t n = ReadAllElements(f.ctx, f.session).size();
  return {n, f.ctx.inputDiagnostics};
}

TEST(ElementList, ShortAndLongListsAndRepeatedIdsAreReported) {
  const auto [shortList, shortSaid] = ListOf("NO=3\n1 IPE20\n2 IPE22\n");
  EXPECT_EQ(shortList, 2u);
  EXPECT_TRUE(test::Said(shortSaid, Severity::Error, "gives 3 elements, but the file holds only 2"));

  const auto [longList, longSaid] = ListOf("NO=2\n1 IPE20\n2 IPE22\n\n3 IPE24\n");
  EXPECT_EQ(longList, 2u);
  EXPECT_TRUE(test::Said(longSaid, Severity::Warning, "more element lines than the count line gives"));
  EXPECT_FALSE(HasError(longSaid));

  const auto [repeated, repeatedSaid] = ListOf("NO=3\n7 IPE20\n8 IPE22\n7 IPE24\n");
  EXPECT_EQ(repeated, 3u);
  EXPECT_TRUE(test::Said(repeatedSaid, Severity::Warning, "More than one element has the ID 7"));

  const auto [exact, exactSaid] = ListOf("NO=2\n1 IPE20\n2 IPE22\n\n");
  EXPECT_EQ(exact, 2u);
  EXPECT_TRUE(exactSaid.empty());
}

// Before, an indented remark ("  : beams") became a blank line and ended the list, a blank line
// after the header was taken for the count line (no elements), and a tab after the ID left the
// designation empty.
TEST(ElementList, IndentedRemarksBlankLinesBeforeTheCountAndTabs) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "\n\nNO=3\n  : columns\n1 IPE20\n\t: beams\n2\tIPE22\tL =\t300\n3 IPE24\n"));
  EXPECT_EQ(f.ctx.N, 3);
  const auto elements = ReadAllElements(f.ctx, f.session);
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(elements[1].id, 2);
  EXPECT_EQ(elements[1].text, "2 IPE22 L=300");
  EXPECT_TRUE(f.ctx.inputDiagnostics.empty()) << DiagnosticsLine(f.ctx.inputDiagnostics, 'E');

  Fixture g;
  ASSERT_TRUE(g.Open(std::string(kHeader) + "NO=0\n1 IPE20\n"));
  EXPECT_TRUE(ReadAllElements(g.ctx, g.session).empty());
  EXPECT_TRUE(test::Said(g.ctx.inputDiagnostics, Severity::Warning, "gives no elements"));
}

TEST(ElementList, IdsThatAreNotWhole16BitNumbersAreSaidSo) {
  EXPECT_FALSE(CheckElementId("12 IPE20").any());
  EXPECT_FALSE(CheckElementId("-32768 IPE20").any());
  EXPECT_FALSE(CheckElementId("32767\tIPE20").any());
  EXPECT_EQ(CheckElementId("40000 IPE20").subject, "40000");
  EXPECT_NE(CheckElementId("40000 IPE20").english.find("outside -32768 to 32767"), std::string::npos);
  EXPECT_EQ(CheckElementId("12.5 IPE20").subject, "12.5");
  EXPECT_EQ(CheckElementId("IPE20 L=300").subject, "IPE20");
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "NO=2\n40000 IPE20\n12.5 IPE22\n"));
  const auto elements = ReadAllElements(f.ctx, f.session);
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[0].id, 0);  // not 40000 cut to 16 bits, not 12
  EXPECT_EQ(elements[1].id, 0);
}

// L= in any spacing, anywhere on the line; a written length that is not a non-negative number
// is a problem, never a silent 0. Before, "L = 600" and an L= past column 150 gave 0.
TEST(MemberLength, WrittenLengthsAreReadOrReported) {
  const UnitSystem cm, m = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_DOUBLE_EQ(ReadMemberLength("1 IPE30 L = 600", cm).cm, 600);
  EXPECT_DOUBLE_EQ(ReadMemberLength("1 IPE30 L= 6", m).cm, 600);
  EXPECT_DOUBLE_EQ(ReadMemberLength("1 IPE30\tL =6.5", m).cm, 650);
  EXPECT_DOUBLE_EQ(ReadMemberLength("1 IPE30" + std::string(150, ' ') + "L=600", cm).cm, 600);
  EXPECT_DOUBLE_EQ(ReadMemberLength(" 1  L=320,0,0  H=3,3", cm).cm, 320);  // the table entry's form
  EXPECT_DOUBLE_EQ(ReadMemberLength("8 2L60<> L=480", cm).cm, 480);
  EXPECT_DOUBLE_EQ(ReadMemberLength("32 L70 L=290", cm).cm, 290);  // L70 is the section

  const LengthReading none = ReadMemberLength("1 IPE30 FL=5", cm);
  EXPECT_FALSE(none.written);
  EXPECT_TRUE(none.ok);
  EXPECT_EQ(none.cm, 0);

  for (const char* bad : {"1 IPE30 L=abc", "1 IPE30 L=-5", "1 IPE30 L=", "1 IPE30 L=6M", "1 IPE30 L=6,5X",
                          "1 IPE30 L=600 L=300"}) {
    SCOPED_TRACE(bad);
    const LengthReading r = ReadMemberLength(bad, cm);
    EXPECT_TRUE(r.written);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.cm, 0);
    EXPECT_FALSE(r.english.empty());
    EXPECT_NE(r.persian.find("L="), std::string::npos);
  }
  EXPECT_EQ(ReadMemberLength("1 IPE30 L=abc", cm).subject, "L=ABC");
  // A decimal comma can't be told from a second length: the first is used, and that is said.
  const LengthReading comma = ReadMemberLength("1 IPE30 L=6,5", m);
  EXPECT_TRUE(comma.ok);
  EXPECT_DOUBLE_EQ(comma.cm, 600);
  EXPECT_NE(comma.noteEnglish.find("only the first value, 6,"), std::string::npos);
  EXPECT_TRUE(ReadMemberLength(" 1  L=320,0,320", cm).noteEnglish.empty());
  EXPECT_TRUE(ReadMemberLength("1 IPE30 L=600 L = 600", cm).ok);  // the same length twice
}

}  // namespace
}  // namespace tavo
