#include "output/number_mask.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavo {
namespace {

// Every expected text below is worked out by hand from the mask rules.

TEST(FormatMask, DigitPositionsRightAlignAndRound) {
  EXPECT_EQ(FormatMask("######", {12.4}), "    12");
  EXPECT_EQ(FormatMask("######", {123456.0}), "123456");
  EXPECT_EQ(FormatMask("###", {-5.0}), " -5");
  EXPECT_EQ(FormatMask("##.#", {3.14159}), " 3.1");
  EXPECT_EQ(FormatMask("##.#", {12.46}), "12.5");
  EXPECT_EQ(FormatMask("##.#", {0.8}), " 0.8");
  EXPECT_EQ(FormatMask("#.##", {-0.5}), "-.50");  // no room for the zero: it goes
}

TEST(FormatMask, PointFirstDropsTheLeadingZero) {
  EXPECT_EQ(FormatMask(".#####", {0.5}), ".50000");
  EXPECT_EQ(FormatMask(".####", {0.00216}), ".0022");
  EXPECT_EQ(FormatMask(".### .###", {0.8, 0.25}), ".800 .250");
}

TEST(FormatMask, OverflowIsPrintedInFullBehindPercent) {
  EXPECT_EQ(FormatMask(".#####", {1.5}), "%1.50000");
  EXPECT_EQ(FormatMask("##.#", {123.4}), "%123.4");
  EXPECT_EQ(FormatMask("###", {12345.0}), "%12345");
  EXPECT_EQ(FormatMask("###", {-123.0}), "%-123");
}

TEST(FormatMask, ScientificKeepsOnePositionForTheSign) {
  EXPECT_EQ(FormatMask("###^^^^", {1234.5}), " 12E+02");
  EXPECT_EQ(FormatMask("###^^^^", {0.000123}), " 12E-05");
  EXPECT_EQ(FormatMask("###^^^^", {-1234.5}), "-12E+02");
  EXPECT_EQ(FormatMask("###^^^^", {99.6}), " 10E+01");  // rounding carries into the exponent
  EXPECT_EQ(FormatMask("###^^^^", {0.0}), "  0E+00");
  EXPECT_EQ(FormatMask("#####^^^^", {98765.4}), " 9877E+01");
  EXPECT_EQ(FormatMask("#####^^^^", {603.8}), " 6038E-01");
  EXPECT_EQ(FormatMask("##.##^^^^", {234.56}), " 2.35E+02");
  // A mask may ask for more digits than a number has: zeros, for zero as for any value.
  const std::string wide = "##." + std::string(80, '#') + "^^^^";
  EXPECT_EQ(FormatMask(wide, {0.0}), " 0." + std::string(80, '0') + "E+00");
  EXPECT_EQ(FormatMask(wide, {-1.5}), "-1.5" + std::string(79, '0') + "E+00");
}

TEST(FormatMask, SinglePositionScientificIsADigit) {
  EXPECT_EQ(FormatMask("#^^^^", {1234.5}), "1E+03");
  EXPECT_EQ(FormatMask("#^^^^", {9.6}), "1E+01");
  EXPECT_EQ(FormatMask("#^^^^", {0.000628}), "6E-04");
  EXPECT_EQ(FormatMask("#^^^^", {-2.0}), "%-2E+00");
}

TEST(FormatMask, LiteralsTextsAndEscapes) {
  EXPECT_EQ(FormatMask("c   &", {std::string("5 IPE30")}), "c   5 IPE30");
  EXPECT_EQ(FormatMask("###    1    USER     $ &", {5.0, std::string("5 IPE30")}), "  5    1    USER     $ 5 IPE30");
  EXPECT_EQ(FormatMask("#####_,#####", {27.0, 16.0}), "   27,   16");
  EXPECT_EQ(FormatMask(" T=&,&", {std::string("30"), std::string("15")}), " T=30,15");
  EXPECT_EQ(FormatMask("##e&", {12.0, std::string("2  ")}), "12e2  ");
  EXPECT_EQ(FormatMask("_#_&", {}), "#&");
  EXPECT_EQ(FormatMask("abc&def", {}), "abc");  // nothing to print: literals up to the first field
  EXPECT_EQ(FormatMask("plain text", {1.0}), "plain text");
  EXPECT_EQ(FormatMask("&", {2.5}), "2.5");      // a number in a text field: its shortest text
  EXPECT_EQ(FormatMask("###", {std::string(" 42")}), " 42");
}

TEST(FormatMask, ExtraValuesStartTheMaskAgain) {
  EXPECT_EQ(FormatMask("####e& ", {1235.0, std::string("0  "), 987.0, std::string("1  ")}), "1235e0    987e1   ");
  EXPECT_EQ(FormatMask("#e&", {1.0, std::string("3  "), 2.0, std::string("2  ")}), "1e3  2e2  ");
  EXPECT_EQ(FormatMask("### A=###### AS=#####_,#####", {1.0, 53.81, 21.6, 24.0}), "  1 A=    54 AS=   22,   24");
  // Half a mask's values: the literal after the last field is printed, nothing beyond the next field.
  EXPECT_EQ(FormatMask("##.# ##.#", {3.0}), " 3.0 ");
}

TEST(FormatMask, NeverPrintsNanOrInfinity) {
  EXPECT_EQ(FormatMask("###", {std::nan("")}), "  0");
  EXPECT_EQ(FormatMask("###^^^^", {HUGE_VAL}), "  0E+00");
}

TEST(SplitScientific, MantissaAndLeftAlignedExponent) {
  auto c = SplitScientific(" 12E+02");
  EXPECT_EQ(c.mantissa, 12);
  EXPECT_EQ(c.exponent, "2  ");
  c = SplitScientific(" 6038E-01");
  EXPECT_EQ(c.mantissa, 6038);
  EXPECT_EQ(c.exponent, "-1 ");
  c = SplitScientific("6E-04");
  EXPECT_EQ(c.mantissa, 6);
  EXPECT_EQ(c.exponent, "-4 ");
  c = SplitScientific("%-2E+00");
  EXPECT_EQ(c.mantissa, -2);
  EXPECT_EQ(c.exponent, "0  ");
}

TEST(CompactScientificTexts, TwoFourAndOneSignificantDigits) {
  const auto t = CompactScientificTexts({1234.5, 8356.1, 603.8, 557.1, 80.5, 628.4, 125.2});
  ASSERT_EQ(t.size(), 7u);
  EXPECT_EQ(t[0].mantissa, 12);
  EXPECT_EQ(t[0].exponent, "2  ");
  EXPECT_EQ(t[1].mantissa, 8356);
  EXPECT_EQ(t[1].exponent, "0  ");
  EXPECT_EQ(t[2].mantissa, 6038);
  EXPECT_EQ(t[2].exponent, "-1 ");
  EXPECT_EQ(t[4].mantissa, 8050);
  EXPECT_EQ(t[4].exponent, "-2 ");
  EXPECT_EQ(t[5].mantissa, 6);
  EXPECT_EQ(t[5].exponent, "2  ");
  EXPECT_EQ(t[6].mantissa, 1);
}

}  // namespace
}  // namespace tavo
