#include "output/formula_template.h"

#include <gtest/gtest.h>

#include "output/builtin_templates.h"
#include "support/test_support.h"

namespace tavo {
namespace {

TEST(FormulaTemplate, SymbolsAreTheCharactersAfterTheMarkersInTheirFont) {
  const auto t = FormulaTemplate::FromRtf(test::ReadFile(test::SourcePath("data/resources/formula_tavo.rtf")));
  EXPECT_EQ(t.OkSymbol().text, "\u2714");
  EXPECT_EQ(t.OkSymbol().font, "Segoe UI Symbol");
  EXPECT_EQ(t.NotOkSymbol().text, "\u2718");
  // Any template's own symbols are used.
  const auto other = FormulaTemplate::FromRtf("{\\rtf1 <###OkY and <###NotN}");
  EXPECT_EQ(other.OkSymbol().text, "Y");
  EXPECT_EQ(other.NotOkSymbol().text, "N");
  EXPECT_EQ(other.OkSymbol().font, "");
}

TEST(FormulaTemplate, MissingMarkerFallsBackToTheBuiltInSymbols) {
  const auto t = FormulaTemplate::FromRtf("{\\rtf1 nothing here <###Ok}");
  EXPECT_FALSE(t.HasMarker("<###Not"));
  EXPECT_EQ(t.OkSymbol().text, "\u2714");
  EXPECT_EQ(t.NotOkSymbol().text, "\u2718");
  EXPECT_EQ(FormulaTemplate::FromRtf(BuiltinFormulaTemplate()).NotOkSymbol().text, "\u2718");
}

TEST(FormulaTemplate, FormulaBlocksBetweenTheirMarkers) {
  const auto t = FormulaTemplate::FromRtf(
      "{\\rtf1 <###Fb Fb = 0.6 Fy Fb###>\\par <###Ix Ix = b h\\u179?/12 Ix###>\\par"
      "  Late###> <###Late x\\par <###Open never closed}");
  auto b = t.FormulaBlock("Fb =");
  EXPECT_EQ(b.status, FormulaTemplate::BlockStatus::Found);
  EXPECT_EQ(b.text, "Fb = 0.6 Fy");
  b = t.FormulaBlock("Ix  =");
  EXPECT_EQ(b.text, "Ix = b h³/12");
  EXPECT_EQ(t.FormulaBlock("Open =").status, FormulaTemplate::BlockStatus::MissingEnd);
  EXPECT_EQ(t.FormulaBlock("Nothing =").status, FormulaTemplate::BlockStatus::MissingEnd);
  EXPECT_EQ(t.FormulaBlock("Late =").status, FormulaTemplate::BlockStatus::MissingStart);  // start after end
  EXPECT_EQ(FormulaLabel("  Z/Sx  = "), "Z/Sx");
}

}  // namespace
}  // namespace tavo
