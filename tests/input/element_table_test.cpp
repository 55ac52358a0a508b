#include "input/element_table.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

ElementSummary Summary(bool ok, bool error, const char* warning = nullptr) {
  ElementSummary s;
  s.checked = true;
  s.ok = ok;
  s.error = error;
  if (warning) AddDiagnostic(s.diagnostics, Severity::Warning, warning, warning, "L=");
  return s;
}

TEST(ElementTable, KeepsEachLineAndVerdictApart) {
  ElementTable t;
  t.Append({7, "7 IPE30  L=400"}, Summary(true, false));
  t.Append({-3, "-3 XYZ12"}, Summary(false, true));
  t.Append({9, ""}, Summary(false, false, "no length"));
  t.Append({12, "12 2UNP20  (d=12)"}, Summary(true, false));
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t.text(0), "7 IPE30  L=400");
  EXPECT_EQ(t.text(1), "-3 XYZ12");
  EXPECT_EQ(t.text(2), "");
  EXPECT_EQ(t.text(3), "12 2UNP20  (d=12)");
  EXPECT_EQ(t.element(1).id, -3);
  EXPECT_EQ(t.element(3).text, "12 2UNP20  (d=12)");
  EXPECT_TRUE(t.ok(0));
  EXPECT_FALSE(t.ok(1));  // an error is never OK
  EXPECT_TRUE(t.error(1));
  EXPECT_FALSE(t.error(2));
  EXPECT_TRUE(t.warned(2));
  EXPECT_FALSE(t.warned(0));
  EXPECT_TRUE(t.diagnostics(0).empty());
  ASSERT_EQ(t.diagnostics(2).size(), 1u);
  EXPECT_EQ(t.diagnostics(2).front().subject, "L=");
}

TEST(ElementTable, VerdictsFoundAgainReplaceTheOldOnes) {
  ElementTable t;
  t.Append({1, "1 IPE30"}, Summary(true, false));
  t.Append({2, "2 IPE30"}, Summary(true, false, "Fy out of range"));
  t.SetSummary(0, Summary(false, false, "now warned"));
  t.SetSummary(1, Summary(true, false));
  EXPECT_FALSE(t.ok(0));
  EXPECT_EQ(t.diagnostics(0).size(), 1u);
  EXPECT_TRUE(t.diagnostics(1).empty());
  EXPECT_FALSE(t.warned(1));
  // Texts are untouched by a new verdict, and a table cut short keeps its first lines.
  t.Append({3, "3 BOX 300*10*300*15"}, Summary(true, false));
  t.Truncate(2);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t.text(1), "2 IPE30");
  t.Append({4, "4 TUBE 273*6"}, Summary(true, false));
  EXPECT_EQ(t.text(2), "4 TUBE 273*6");
}

TEST(ElementTable, AReplacedLineMovesTheOthersAndKeepsTheirVerdicts) {
  ElementTable t;
  t.Append({1, "1 IPE20  L=300"}, Summary(true, false));
  t.Append({2, "2 IPB20"}, Summary(false, true));
  t.Append({3, "3 UNP20  L=400"}, Summary(true, false));
  // Longer, then shorter than before: the lines after it still read as they were.
  t.SetText(1, "2   2IPB20+2PL200*10  (D=30)  L=420");
  EXPECT_EQ(t.text(0), "1 IPE20  L=300");
  EXPECT_EQ(t.text(1), "2   2IPB20+2PL200*10  (D=30)  L=420");
  EXPECT_EQ(t.text(2), "3 UNP20  L=400");
  t.SetText(0, "1 L60");
  EXPECT_EQ(t.text(0), "1 L60");
  EXPECT_EQ(t.text(1), "2   2IPB20+2PL200*10  (D=30)  L=420");
  EXPECT_EQ(t.text(2), "3 UNP20  L=400");
  EXPECT_TRUE(t.error(1));  // the verdict is the caller's to set again
  t.SetText(2, "33 UNP22");
  EXPECT_EQ(t.id(2), 33);
  EXPECT_EQ(t.element(2).text, "33 UNP22");
}

TEST(ElementTable, AnElementWithoutASectionOrNeverCheckedIsNeverOk) {
  ElementTable t;
  ElementSummary noSection = Summary(true, false);
  noSection.recognised = false;
  t.Append({1, "1  L=300"}, noSection);
  t.Append({2, "2"}, ElementSummary{});  // never handed to the check
  t.Append({3, "3 IPE20"}, Summary(true, false));
  EXPECT_FALSE(t.ok(0));
  EXPECT_FALSE(t.ok(1));
  EXPECT_TRUE(t.ok(2));
  t.SetSummary(2, noSection);
  EXPECT_FALSE(t.ok(2));
}

}  // namespace
}  // namespace tavo
