#include "output/number_mask.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tavo {
namespace {

// Every expected text below is worked out by hand from the mask rules.

TEST(FormatMask, FieldsLiteralsAndRepeats) {
  // A mask may ask for more digits than a number has: zeros, for zero as for any value.
  const std::string wide = "##." + std::string(80, '#') + "^^^^";
  const struct {
    std::string mask, text;
    std::vector<MaskValue> values;
  } cases[] = {
      // Digit positions right align and round.
      {"######", "    12", {12.4}},
      {"######", "123456", {123456.0}},
      {"###", " -5", {-5.0}},
      {"##.#", " 3.1", {3.14159}},
      {"##.#", "12.5", {12.46}},
      {"##.#", " 0.8", {0.8}},
      {"#.##", "-.50", {-0.5}},  // no room for the zero: it goes
      // Point first drops the leading zero.
      {".#####", ".50000", {0.5}},
      {".####", ".0022", {0.00216}},
      {".### .###", ".800 .250", {0.8, 0.25}},
      // Overflow is printed in full behind percent.
      {".#####", "%1.50000", {1.5}},
      {"##.#", "%123.4", {123.4}},
      {"###", "%12345", {12345.0}},
      {"###", "%-123", {-123.0}},
      // Scientific keeps one position for the sign.
      {"###^^^^", " 12E+02", {1234.5}},
      {"###^^^^", " 12E-05", {0.000123}},
      {"###^^^^", "-12E+02", {-1234.5}},
      {"###^^^^", " 10E+01", {99.6}},  // rounding carries into the exponent
      {"###^^^^", "  0E+00", {0.0}},
      {"#####^^^^", " 9877E+01", {98765.4}},
      {"#####^^^^", " 6038E-01", {603.8}},
      {"##.##^^^^", " 2.35E+02", {234.56}},
      {wide, " 0." + std::string(80, '0') + "E+00", {0.0}},
      {wide, "-1.5" + std::string(79, '0') + "E+00", {-1.5}},
      // Single position scientific is a digit.
      {"#^^^^", "1E+03", {1234.5}},
      {"#^^^^", "1E+01", {9.6}},
      {"#^^^^", "6E-04", {0.000628}},
      {"#^^^^", "%-2E+00", {-2.0}},
      // Literals texts and escapes.
      {"c   &", "c   5 IPE30", {std::string("5 IPE30")}},
      {"###    1    USER     $ &", "  5    1    USER     $ 5 IPE30", {5.0, std::string("5 IPE30")}},
      {"#####_,#####", "   27,   16", {27.0, 16.0}},
      {" T=&,&", " T=30,15", {std::string("30"), std::string("15")}},
      {"##e&", "12e2  ", {12.0, std::string("2  ")}},
      {"_#_&", "#&", {}},
      {"abc&def", "abc", {}},  // nothing to print: literals up to the first field
      {"plain text", "plain text", {1.0}},
      {"&", "2.5", {2.5}},  // a number in a text field: its shortest text
      {"###", " 42", {std::string(" 42")}},
      // Extra values start the mask again.
      {"####e& ", "1235e0    987e1   ", {1235.0, std::string("0  "), 987.0, std::string("1  ")}},
      {"#e&", "1e3  2e2  ", {1.0, std::string("3  "), 2.0, std::string("2  ")}},
      {"### A=###### AS=#####_,#####", "  1 A=    54 AS=   22,   24", {1.0, 53.81, 21.6, 24.0}},
      // Half a mask's values: the literal after the last field is printed, nothing beyond the next field.
      {"##.# ##.#", " 3.0 ", {3.0}},
      // Never NaN or infinity.
      {"###", "  0", {std::nan("")}},
      {"###^^^^", "  0E+00", {HUGE_VAL}},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMask(c.mask, c.values), c.text) << c.mask;
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
