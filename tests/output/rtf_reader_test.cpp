#include "output/rtf_reader.h"

#include <gtest/gtest.h>

#include "output/rtf_writer.h"
#include "support/test_support.h"

namespace tavo {
namespace {

TEST(ReadRtfText, GroupsControlWordsAndParagraphs) {
  const auto t = ReadRtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\b Bold\\b0  text\\par\r\nnext\\line x\\tab y}");
  EXPECT_EQ(t.Utf8(), "Bold text\nnext\nx\ty");
}

TEST(ReadRtfText, EscapesHexAndUnicodeWithFallbackSkip) {
  EXPECT_EQ(ReadRtfText("{\\rtf1 a\\\\b\\{c\\}}").Utf8(), "a\\b{c}");
  EXPECT_EQ(ReadRtfText("{\\rtf1 caf\\'e9 \\'80}").Utf8(), "café €");
  EXPECT_EQ(ReadRtfText("{\\rtf1 \\u10004?x}").Utf8(), "\u2714x");
  // \uc2: two fallback characters (a \'hh counts as one) are dropped.
  EXPECT_EQ(ReadRtfText("{\\rtf1\\uc2 \\u1587\\'3f\\'3fa}").Utf8(), "سa");
  EXPECT_EQ(ReadRtfText("{\\rtf1\\uc0 \\u955 b}").Utf8(), "λb");
  // A negative value is the 16-bit unit; a surrogate pair makes one character.
  EXPECT_EQ(ReadRtfText("{\\rtf1 \\u-10179?\\u-8704?}").Utf8(), "\U0001F600");
  // \ucN belongs to its group.
  EXPECT_EQ(ReadRtfText("{\\rtf1{\\uc3 \\u955 abc}\\u955?d}").Utf8(), "λλd");
}

TEST(ReadRtfText, SkipsDestinationsAndKeepsFontNames) {
  const auto t = ReadRtfText(
      "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil{\\*\\panose 0}Segoe UI Symbol;}}"
      "{\\colortbl;\\red1\\green2\\blue3;}{\\*\\generator Writer;}{\\info{\\title T}}"
      "\\f0 A{\\f1 \\u10004?}B}");
  EXPECT_EQ(t.Utf8(), "A\u2714B");
  EXPECT_EQ(t.FontName(0), "Arial");
  EXPECT_EQ(t.FontName(1), "Segoe UI Symbol");
  EXPECT_EQ(t.FontName(2), "Arial");
  EXPECT_EQ(t.FontName(99), "");
}

TEST(ReadRtfText, SurvivesTruncatedAndUnbalancedInput) {
  EXPECT_EQ(ReadRtfText("{\\rtf1 abc").Utf8(), "abc");
  EXPECT_EQ(ReadRtfText("}}{\\rtf1 x}}}").Utf8(), "x");
  EXPECT_EQ(ReadRtfText("{\\rtf1 \\'4").Utf8(), "");
  EXPECT_EQ(ReadRtfText("\\").Utf8(), "");
  EXPECT_EQ(ReadRtfText("").Utf8(), "");
}

TEST(RtfEscape, ReadsBackThroughTheReader) {
  const std::string text = "A = 12 cm² {x} \\ این مقطع ✔ \U0001F600";
  EXPECT_EQ(ReadRtfText("{\\rtf1\\uc1 " + RtfEscape(text) + "}").Utf8(), text);
  EXPECT_EQ(RtfEscape("cm²"), "cm\\u178?");
  EXPECT_EQ(RtfEscape("ت"), "\\u1578?");
  EXPECT_EQ(RtfEscape("\uFFFD"), "\\u-3?");
  EXPECT_TRUE(HasRtlText("این"));
  EXPECT_FALSE(HasRtlText("A = 12 cm²"));
}

TEST(ReadRtfText, TheShippedFormulaTemplate) {
  const auto t = ReadRtfText(test::ReadFile(test::SourcePath("data/resources/formula_tavo.rtf")));
  const std::string s = t.Utf8();
  EXPECT_NE(s.find("<###Ok\u2714"), std::string::npos);
  EXPECT_NE(s.find("<###Not\u2718"), std::string::npos);
  EXPECT_NE(s.find("<###Cc Cc = 6440 / \u221AFy Cc###>"), std::string::npos);
}

}  // namespace
}  // namespace tavo
