#include "core/text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/text_util.h"
#include "core/units.h"
#include "core/utf8.h"

namespace tavo {
namespace {

TEST(Fill, ReplacesPlaceholdersInBothHalves) {
  EXPECT_EQ(Fill("Not found: {path}||پیدا نشد: {path}", {{"path", "a/b.txt"}}), "Not found: a/b.txt||پیدا نشد: a/b.txt");
  EXPECT_EQ(Fill("{n} of {m}||{m} / {n}", {{"n", "2"}, {"m", "7"}}), "2 of 7||7 / 2");
  EXPECT_EQ(Fill("{a}{a}", {{"a", "x"}}), "xx");
  EXPECT_EQ(Fill("no values||بدون مقدار", {}), "no values||بدون مقدار");
}

TEST(Fill, LeavesUnknownAndUnclosedBracesAlone) {
  EXPECT_EQ(Fill("{other} and {path}", {{"path", "p"}}), "{other} and p");
  EXPECT_EQ(Fill("{{path}}", {{"path", "p"}}), "{p}");
  EXPECT_EQ(Fill("open {path", {{"path", "p"}}), "open {path");
  EXPECT_EQ(Fill("{}", {{"", "empty"}}), "empty");
}

TEST(Fill, DoesNotExpandInsideValues) {
  EXPECT_EQ(Fill("{a}|{b}", {{"a", "{b}"}, {"b", "B"}}), "{b}|B");
  EXPECT_EQ(Fill("{a}", {{"a", "{a}"}}), "{a}");
}

TEST(Fill, HalvesSplitAtTheTemplatesOwnSeparator) {
  const auto [en, fa] = FillHalves("Bad {v}||بد {v}", {{"v", "a||b"}});
  EXPECT_EQ(en, "Bad a||b");
  EXPECT_EQ(fa, "بد a||b");
}

TEST(ExtractItem, KeyedListsAndDefaults) {
  EXPECT_DOUBLE_EQ(ExtractItem("NO=2,1,1 UNITS=[kg]-[cm]", "NO", 1, 0), 2);
  EXPECT_DOUBLE_EQ(ExtractItem("NO=2,1,1 UNITS=[kg]-[cm]", "NO", 3, 0), 1);
  EXPECT_DOUBLE_EQ(ExtractItem("NO=3 UNITS=[kg]-[cm]", "NO", 2, 0), 0);  // beyond the list
  EXPECT_DOUBLE_EQ(ExtractItem("NO=3,4 X=5,6", "NO", 3, -1), -1);          // the next "=" ends the list
  EXPECT_DOUBLE_EQ(ExtractItem("ANO=7", "NO", 1, -1), -1);                 // the key needs a blank before it
  EXPECT_DOUBLE_EQ(ExtractItem("A=1\tNO=9", "NO", 1, -1), 9);              // or a tab
  EXPECT_DOUBLE_EQ(ExtractItem("no=5", "NO", 0, -1), 5);                   // n below 1 counts as 1
}

TEST(ExtractItem, CommaKeyAndEmptyKeySplitTheText) {
  EXPECT_DOUBLE_EQ(ExtractItem("10,20,30", ",", 2, 0), 20);
  EXPECT_DOUBLE_EQ(ExtractItem("10,20,30", ",", 4, -1), -1);
  EXPECT_DOUBLE_EQ(ExtractItem("10,20,30", "", 3, 0), 30);
}

TEST(ExtractItem, PlateListsPickTheirSeparator) {
  EXPECT_DOUBLE_EQ(ExtractItem("PG 600*8*250*15", "PG|PL|", 1, 0), 600);
  EXPECT_DOUBLE_EQ(ExtractItem("PG 600*8*250*15", "PG|PL|", 3, 0), 250);
  EXPECT_DOUBLE_EQ(ExtractItem("PG 600*8*250*15", "PG|PL|", 5, 99), 99);
  EXPECT_DOUBLE_EQ(ExtractItem("PG600X8X250X15", "PG|PL|", 2, 0), 8);
  EXPECT_DOUBLE_EQ(ExtractItem("PG600X8X250X15", "PG|PL|", 4, 0), 15);
  EXPECT_DOUBLE_EQ(ExtractItem("IPE30+2PL200*10", "PL|PL|", 2, 0), 10);
  EXPECT_DOUBLE_EQ(ExtractItem("A=3*4*5", "A|*|", 3, 0), 5);
}

TEST(ExtractItem, DefaultIsConvertedToDisplayUnits) {
  const UnitSystem tonm = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_DOUBLE_EQ(ExtractItem("FX=1", "Fy", 1, 2400, "S", tonm), 24000);
  EXPECT_DOUBLE_EQ(ExtractItem("FX=1", "Fy", 1, 2400, "BAR", tonm), 2400);
}

TEST(ExtractSpacing, KeysInOrderAndTheBlankRule) {
  EXPECT_DOUBLE_EQ(ExtractSpacing("2UNP20  (d=12)", 1, 0), 12);
  EXPECT_DOUBLE_EQ(ExtractSpacing("2UNP20(d=12)", 1, -1), -1);  // no blank before "("
  EXPECT_DOUBLE_EQ(ExtractSpacing("2IPE20  d=15", 1, 0), 15);
  EXPECT_DOUBLE_EQ(ExtractSpacing("2IPE20 d=15", 1, -1), -1);   // " d" needs two blanks
  EXPECT_DOUBLE_EQ(ExtractSpacing("2L60 (E=4) (D=9)", 1, 0), 4);
  EXPECT_DOUBLE_EQ(ExtractSpacing("2L60", 1, 7), 7);
}

TEST(KeyValue, WordAfterKeyOrDefault) {
  EXPECT_EQ(KeyValue("A=1 SAP=Y", "sap", 0, "N"), "Y");
  EXPECT_EQ(KeyValue("A=1 SAP=Y", "etabs", 0, "n"), "N");
  EXPECT_EQ(KeyValue("NO=3 UNITS=[kg]-[cm] FILE=sap more", "FILE", 5, "ETABS"), "SAP");
  EXPECT_EQ(KeyValue("NO=3", "FILE", 5, "ETABS"), "ETABS");
}

TEST(LeadingNumber, ReadsUpToTheNextBlank) {
  EXPECT_DOUBLE_EQ(LeadingNumber("  12 IPE 200"), 12);
  EXPECT_DOUBLE_EQ(LeadingNumber("8*250"), 8);
  EXPECT_DOUBLE_EQ(LeadingNumber("300-400"), 300);
  EXPECT_DOUBLE_EQ(LeadingNumber("-2.5e1x"), -25);
  EXPECT_DOUBLE_EQ(LeadingNumber("L60"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1 2"), 1);
}

TEST(VMinVMax, TieReturnsSecond) {
  EXPECT_EQ(VMax(3, 5), 5);
  EXPECT_EQ(VMin(3, 5), 3);
  const double negZero = -0.0;
  EXPECT_TRUE(std::signbit(VMax(0.0, negZero)));
  EXPECT_FALSE(std::signbit(VMin(negZero, 0.0)));
}

TEST(ShortestText, PlainDecimalsWithoutTrailingZeros) {
  EXPECT_EQ(ShortestText(25), "25");
  EXPECT_EQ(ShortestText(0.8), "0.8");
  EXPECT_EQ(ShortestText(12.5), "12.5");
  EXPECT_EQ(ShortestText(21000000), "21000000");
  EXPECT_EQ(ShortestText(-1.25), "-1.25");
  EXPECT_EQ(ShortestText(1e-5), "0.00001");
  EXPECT_EQ(ShortestText(60.0 * 0.1 * 10), "60");
}

// Beyond the range of fixed decimals the digits are still all there: 1e-20 was written "0" and
// 1e300 cut off at 63 characters.
TEST(ShortestText, EveryMagnitudeReadsBack) {
  EXPECT_EQ(ShortestText(1e-20), "0.00000000000000000001");
  EXPECT_EQ(ShortestText(-1.25e-17), "-0.0000000000000000125");
  EXPECT_EQ(ShortestText(1.5e20), "150000000000000000000");
  EXPECT_EQ(ShortestText(1e300), "1" + std::string(300, '0'));
  for (const double v : {1.2345678901234567e-10, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
                         -9.87654321e-50, 3.0000000000000004e25}) {
    const std::string text = ShortestText(v);
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
  }
}

// A number is the whole token or nothing: "6,5", "5m" and "24OO" are not numbers, where the
// leading-number reading would have made 6, 5 and 24 of them.
TEST(ParseNumber, WholeTokenOnly) {
  EXPECT_EQ(ParseNumber("2400"), 2400);
  EXPECT_EQ(ParseNumber("-5"), -5);
  EXPECT_EQ(ParseNumber("+2.5"), 2.5);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  EXPECT_EQ(ParseNumber("3e9"), 3e9);
  EXPECT_EQ(ParseNumber("1E-2"), 0.01);
  for (const char* bad : {"", " ", "abc", "5m", "6,5", "24OO", "1e", "1e+", "--1", ".", "1e999", "nan", "inf", "2 4"})
    EXPECT_FALSE(ParseNumber(bad)) << bad;
}

TEST(Utf8Prefix, CutsBetweenCharacters) {
  EXPECT_EQ(Utf8Prefix("abcdef", 3), "abc");
  EXPECT_EQ(Utf8Prefix("ab", 3), "ab");
  EXPECT_EQ(Utf8Prefix("aفب", 2), "a");  // "ف" takes two bytes: not cut in half
  EXPECT_EQ(Utf8Prefix("aفب", 3), "aف");
}

TEST(CompactAround, BlanksAroundTheMarksGo) {
  EXPECT_EQ(CompactAround("Fy = 2500  UNITS =\t[kg]-[cm]", "="), "Fy=2500  UNITS=[kg]-[cm]");
  EXPECT_EQ(CompactAround("NO=3 , 1,  1", "=,"), "NO=3,1,1");
  EXPECT_EQ(CompactAround("  a  b  ", "="), "  a  b  ");
}

TEST(ScanAssignments, KeysValuesAndLooseWords) {
  const auto w = ScanAssignments("NO = 2, 1,1  Units=[ton] - [m]  FILE=SAP  extra UNITS=[kg]-[cm");
  ASSERT_EQ(w.size(), 5u);
  EXPECT_EQ(w[0].key, "NO");
  EXPECT_EQ(w[0].value, "2,1,1");
  EXPECT_TRUE(w[0].assigns);
  EXPECT_EQ(w[1].key, "Units");
  EXPECT_EQ(w[1].value, "[ton] - [m]");  // a unit text may hold blanks
  EXPECT_EQ(w[2].text, "FILE=SAP");
  EXPECT_EQ(w[3].key, "extra");
  EXPECT_FALSE(w[3].assigns);
  EXPECT_EQ(w[4].value, "[kg]-[cm");  // its second "]" missing: it ends at the next blank
  const auto e = ScanAssignments("Fy=");
  ASSERT_EQ(e.size(), 1u);
  EXPECT_TRUE(e[0].assigns);
  EXPECT_EQ(e[0].value, "");
  EXPECT_TRUE(ScanAssignments("   ").empty());
}

}  // namespace
}  // namespace tavo
