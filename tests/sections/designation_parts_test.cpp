// Every other part of the designation reader is tested through ComputeSection
// (section_values_test, section_parser_test).
#include "sections/designation_parts.h"
#include "families/family_table.h"
#include "sections/section_notes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/text_util.h"
#include "core/units.h"

namespace tavo {
namespace {

TEST(MmText, WritesTheShortestTextOfTheMillimetreValue) {
  EXPECT_EQ(MmText(20), "200");
  EXPECT_EQ(MmText(0.8), "8");
  EXPECT_EQ(MmText(0.71), "7.1");
  EXPECT_EQ(MmText(0.3), "3");  // 10·0.3 is 3.0000000000000004 before rounding
  EXPECT_EQ(MmText(20.3), "203");
  EXPECT_EQ(MmText(0.025), "0.25");
  EXPECT_EQ(MmText(0.09), "0.9");  // 10·0.09 is 0.8999999999999999
  EXPECT_EQ(MmText(0), "0");
  EXPECT_EQ(MmText(-0.0), "0");
  EXPECT_EQ(MmText(1e-6), "0.00001");  // never an exponent
  for (const auto& [value, text] : {std::pair{0.1 + 0.2, "0.3"}, std::pair{1234567.0, "1234567"}, std::pair{-0.0, "0"},
                                    std::pair{119.99999821186066, "119.999998211861"}})
    EXPECT_EQ(NumberText(value), text) << value;
}

// A designation holds millimetres and is read into centimetres (÷ 10): the text written for
// a length read that way gives back the very same length, and the same text again.
TEST(MmText, ReadsBackAsTheSameLength) {
  const auto read = [](const std::string& mm) { return *ParseNumber(mm) / 10; };
  std::vector<std::string> written = {"200", "8", "7.1", "0.9", "0.25", "12.5", "1234.5678", "0.001", "2500",
                                      "119.999998", "0.123456789", "99999.99999", "3.14159265358979"};
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    char buf[40];
    const int decimals = static_cast<int>(rng() % 7);
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::uniform_real_distribution<double>(0, 5000)(rng));
    written.push_back(ShortestText(*ParseNumber(buf)));
  }
  for (const std::string& mm : written) {
    const double cm = read(mm);
    ASSERT_EQ(read(MmText(cm)), cm) << mm;
    ASSERT_EQ(MmText(cm), mm);
  }
  // Any other length comes back within the 15 digits the text keeps, and its text is stable.
  for (int i = 0; i < 20000; ++i) {
    const double cm = std::uniform_real_distribution<double>(1e-3, 1e4)(rng);
    const double back = read(MmText(cm));
    ASSERT_NEAR(back, cm, cm * 1e-14) << cm;
    ASSERT_EQ(MmText(back), MmText(cm)) << cm;
  }
}

TEST(SectionNotes, WarningsAloneAreNoErrorAndATextIsSaidOnce) {
  SectionNotes notes;
  notes.AddWarning("spacing below the smallest", "فاصله کمتر از کمینه");
  notes.AddWarning("spacing below the smallest", "فاصله کمتر از کمینه");
  EXPECT_EQ(notes.Items().size(), 1u);
  EXPECT_FALSE(notes.HasError());
  notes.Add("size not in the catalogue", "در جدول نیست", "L55");
  EXPECT_TRUE(notes.HasError());
  EXPECT_EQ(notes.Text(), "spacing below the smallest; size not in the catalogue||فاصله کمتر از کمینه؛ در جدول نیست");
}

}  // namespace
}  // namespace tavo
