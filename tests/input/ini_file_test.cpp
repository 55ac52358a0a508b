#include "input/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/messages.h"
#include "core/module_context.h"
#include "core/text_util.h"
#include "support/test_support.h"

namespace tavo {
namespace {

const char* kSettings =
    "; suite settings\r\n"
    "[Other]\r\n"
    "fy=9999\r\n"
    "\r\n"
    "[TAVO]\r\n"
    "; the steel module\r\n"
    "units = [kg]-[cm]\r\n"
    "Fy=2600\r\n"
    "\r\n"
    "[last]\r\n"
    "x=1\r\n";

TEST(IniFile, FindsSectionsAndKeysWithoutCase) {
  const IniFile ini = IniFile::Parse(kSettings);
  EXPECT_EQ(ini.Get("tavo", "FY"), "2600");
  EXPECT_EQ(ini.Get("Tavo", "units"), "[kg]-[cm]");
  EXPECT_EQ(ini.Get("other", "fy"), "9999");
  EXPECT_EQ(ini.Get("tavo", "x"), "");  // keys of the next section are not ours
  EXPECT_EQ(ini.Get("missing", "fy"), "");
}

TEST(IniFile, WritingAKeyKeepsEveryOtherLine) {
  IniFile ini = IniFile::Parse(kSettings);
  ini.Set("tavo", "fy", " 2400 ");
  std::string expected = kSettings;
  expected.replace(expected.find("Fy=2600"), 7, "FY=2400");
  EXPECT_EQ(ini.Text(), expected);
  ini.Set("tavo", "newkey", "v");
  EXPECT_NE(ini.Text().find("FY=2400\r\nNEWKEY=v\r\n\r\n[last]"), std::string::npos);
  ini.Set("fresh", "a", "1");
  EXPECT_NE(ini.Text().find("x=1\r\n\r\n[fresh]\r\nA=1\r\n"), std::string::npos);
}

TEST(IniFile, LongValuesAreCutAt750) {
  const IniFile ini = IniFile::Parse("[tavo]\nk=" + std::string(100000, 'v') + "\n");
  EXPECT_EQ(ini.Get("tavo", "k").size(), 750u);
}

TEST(Settings, DuplicateSectionWarnsAndUsesTheFirst) {
  test::ScratchDir dir;
  const auto file = dir.Write("constants.ini", "[tavo]\nFY=2500\n[tavo]\nFY=2700\n");
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  EXPECT_EQ(ReadSetting(ctx, "tavo", "FY", file.string()), "2500");
  EXPECT_TRUE(m.Saw("twice"));
  ASSERT_TRUE(WriteSetting(ctx, "tavo", "fy", "2800", file.string()));
  EXPECT_EQ(test::ReadFile(file), "[tavo]\nFY=2800\n[tavo]\nFY=2700\n");
}

TEST(Settings, MissingFileReadsEmptyAndWriteCreatesIt) {
  test::ScratchDir dir;
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  const std::string file = dir.str() + "constants.ini";
  EXPECT_EQ(ReadSetting(ctx, "tavo", "fy", file), "");
  ASSERT_TRUE(WriteSetting(ctx, "tavo", "units", "[kg]-[cm]", file));
  EXPECT_EQ(test::ReadFile(file), "[tavo]\nUNITS=[kg]-[cm]\n");
  EXPECT_TRUE(m.calls.empty());
}

TEST(Settings, UnwritableFolderGivesMessageAndKeepsTheFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  test::ScratchDir dir;
  const auto file = dir.Write("constants.ini", "[tavo]\nFY=2500\n");
  ::chmod(dir.path().c_str(), 0555);
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  EXPECT_FALSE(WriteSetting(ctx, "tavo", "FY", "2600", file.string()));
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_TRUE(m.Saw("could not be saved"));
  EXPECT_EQ(test::ReadFile(file), "[tavo]\nFY=2500\n");
}

TEST(Settings, BinaryFileIsNotOverwritten) {
  test::ScratchDir dir;
  const std::string binary("\x7f" "ELF\0\0\0[tavo]", 12);
  const auto file = dir.Write("constants.ini", binary);
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  EXPECT_EQ(ReadSetting(ctx, "tavo", "fy", file.string()), "");
  EXPECT_FALSE(WriteSetting(ctx, "tavo", "FY", "2600", file.string()));
  EXPECT_EQ(test::ReadFile(file), binary);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST(IniFile, StrayCarriageReturnsAndAMissingFinalNewlineSurviveAWrite) {
  IniFile ini = IniFile::Parse("[tavo]\nnote=a\r\r\nx=1\r\nlast=}");
  ini.Set("tavo", "FY", "2400");
  EXPECT_EQ(ini.Text(), "[tavo]\nnote=a\r\r\nx=1\r\nlast=}\r\nFY=2400\r\n");
  EXPECT_EQ(ini.Get("tavo", "last"), "}");
  // Writing the same key again is a no-op on the text.
  IniFile again = IniFile::Parse(ini.Text());
  again.Set("tavo", "fy", "2400");
  EXPECT_EQ(again.Text(), ini.Text());
}

// Found by fuzzing the writer: a file whose last line ends in a carriage return without a line
// feed lost that byte when a key was added after it, and a line ending "\r\r" read back as
// another text.
TEST(IniFile, ALastLineEndingInACarriageReturnKeepsIt) {
  for (const char* text : {"[tavo]\nnote=a\r\r", "[tavo]\nnote=a\r", "\r\r"}) {
    SCOPED_TRACE(text);
    IniFile ini = IniFile::Parse(text);
    ini.Set("tavo", "FY", "2400");
    const std::string written = ini.Text();
    EXPECT_EQ(written.substr(0, std::string(text).size()), text);  // every byte of the file, in place
    EXPECT_EQ(IniFile::Parse(written).Get("tavo", "fy"), "2400");
  }
  IniFile ini = IniFile::Parse("[tavo]\nnote=a\r\r");
  ini.Set("tavo", "FY", "2400");
  EXPECT_EQ(ini.Text(), "[tavo]\nnote=a\r\r\nFY=2400\n");
}

// A value in quotes of its own was written bare, and the reader took its quotes off.
TEST(IniFile, AQuotedValueReadsBackWithItsQuotes) {
  for (const char* value : {"\"x\"", "\"a b\"", "\"\"", "\"\"\"", "  \"trimmed\"  "}) {
    SCOPED_TRACE(value);
    IniFile ini = IniFile::Parse("[tavo]\ntitle=old\n");
    ini.Set("tavo", "title", value);
    EXPECT_EQ(ini.Get("tavo", "title"), Trim(value));
    EXPECT_EQ(IniFile::Parse(ini.Text()).Get("tavo", "title"), Trim(value));
  }
  // A value the reader gives back as it is stays unquoted in the file.
  IniFile plain = IniFile::Parse("");
  plain.Set("tavo", "title", "\"half");
  EXPECT_EQ(plain.Text(), "[tavo]\nTITLE=\"half\n");
}

}  // namespace
}  // namespace tavo
