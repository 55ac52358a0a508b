#include "input/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/messages.h"
#include "core/text_util.h"
#include "input/input_session.h"
#include "support/test_support.h"

namespace tavo {
namespace {

struct Fixture {
  test::ScratchDir dir;
  RecordingMessages messages;
  ModuleContext ctx;
  InputSession session;
  Fixture() {
    ctx.messages = &messages;
    ctx.installDir = dir.str();
    ctx.tempDir = dir.str() + "temp/";
  }
  bool Open(const std::string& content, const std::string& name = "in.Ardekon") {
    dir.Write(name, content);
    SetInputPath(ctx, dir.str() + name);
    return OpenInput(ctx, session);
  }
};

const char* kHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=Test, second\n";

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
  EXPECT_TRUE(g.messages.Saw("File does not exist"));

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

TEST(InputFile, HugeLinesAreCutToTheElementLength) {
  Fixture f;
  ASSERT_TRUE(f.Open(std::string(kHeader) + "NO=1\n7 IPE20 " + std::string(100000, 'x') + "\n"));
  const auto elements = ReadAllElements(f.ctx, f.session);
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_EQ(elements[0].id, 7);
  EXPECT_EQ(elements[0].text.size(), kElementTextLength);
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
// of blanks; the fixed-length form is made on demand.
TEST(InputFile, ElementTextIsCutUpperCasedAndUnpadded) {
  EXPECT_EQ(ElementText("5  ipe20  l=300   "), "5  IPE20  L=300");
  EXPECT_EQ(ElementText("   "), "");
  EXPECT_EQ(ElementText(std::string(200, 'a')), std::string(kElementTextLength, 'A'));
  EXPECT_EQ(ElementText("7 ipe20" + std::string(143, ' ') + "tail"), "7 IPE20");
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

}  // namespace
}  // namespace tavo
