// Every other part of the designation reader is tested through ComputeSection
// (section_values_test, section_parser_test).
#include "sections/designation_parts.h"
#include "families/family_table.h"
#include "sections/section_notes.h"

#include <gtest/gtest.h>

#include <random>

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
  EXPECT_EQ(MmText(0), "0");
  // The fast path agrees with the shared number-to-text rule everywhere.
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const double cm = std::uniform_real_distribution<double>(0, 500)(rng);
    const double rounded = std::round(cm * 1000) / 1000;
    for (const double v : {cm, rounded}) ASSERT_EQ(MmText(v), ShortestText(RoundTo(10 * v, 6))) << v;
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
