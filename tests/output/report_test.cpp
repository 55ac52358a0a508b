#include "output/report.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/module_context.h"
#include "output/report_writers.h"
#include "resources/resource_store.h"

namespace tavo {
namespace {

// A formula store that counts how often it is asked.
class CountingStore final : public ResourceStore {
 public:
  explicit CountingStore(std::optional<std::string> bytes) : bytes_(std::move(bytes)) {}
  std::optional<std::string> Find(std::string_view name) const override {
    ++finds;
    lastName = std::string(name);
    return bytes_;
  }
  std::string Where() const override { return "test store"; }
  mutable int finds = 0;
  mutable std::string lastName;

 private:
  std::optional<std::string> bytes_;
};

class ReportTest : public ::testing::Test {
 protected:
  ReportTest() {
    ctx.messages = &messages;
    ctx.metrics.fontSize = 10;
  }
  std::string Text(const Report& r) { return RenderText(r); }
  ModuleContext ctx;
  RecordingMessages messages;
  CountingStore store{std::string("{\\rtf1 <###OkY <###NotN <###Fb Fb = 0.6 Fy Fb###>\\par  Late###> <###Late}")};
};

TEST_F(ReportTest, ValueLinesNeedAnEqualsSignAndRoundAfterTheComma) {
  Report r(ctx, &store);
  r.WriteValueLine("A =", 12.3456, "cm2, 2");
  r.WriteValueLine("Label without sign", 1.0, "cm");
  r.WriteValueLine("Sx  =", "557.14", "cm3");
  r.WriteValueLine("Ix  =", "8356", "cm4");
  r.WriteValueLine("Lc =", 123.45, "cm, 1");  // a decimal half goes to the even neighbour
  EXPECT_EQ(Text(r), "   A = 12.35 cm²\n   Sx  = 557.14 cm³\n   Ix  = 8356 cm4\n   Lc = 123.4 cm\n");
  ASSERT_EQ(r.runs().size(), 8u);
  EXPECT_EQ(r.runs()[1].colour, 0);
  EXPECT_EQ(r.runs()[1].size, 10);
}

TEST_F(ReportTest, StatusMarkersColourTheValueAndEndWithTheSymbol) {
  Report r(ctx, &store);
  r.WriteValueLine("Fa =", 900.0, "kg/cm2\\Y\\");
  EXPECT_EQ(r.status, "");
  r.WriteValueLine("fa =", 1100.0, "kg/cm2\\n\\");
  EXPECT_EQ(r.status, "N");
  EXPECT_TRUE(r.sawNotOk);
  EXPECT_EQ(Text(r), "   Fa = 900 kg/cm²  Y\n   fa = 1100 kg/cm²  N\n");
  EXPECT_EQ(r.runs()[1].colour, kOkColour);
  EXPECT_EQ(r.runs()[2].role, RunRole::Symbol);
  EXPECT_EQ(r.runs()[2].colour, kOkColour);
  EXPECT_EQ(r.runs()[4].colour, kNotOkColour);
  EXPECT_EQ(r.runs()[5].colour, 12);
  // The status argument wins: a marker is then unit text (whose "\\" keeps the line open).
  Report s(ctx, &store);
  s.WriteValueLine("x =", 1.0, "cm\\n\\", {}, true);
  EXPECT_EQ(Text(s), "   x = 1 cm\\n         \n");
  EXPECT_EQ(s.status, "");
  s.WriteValueLine("y =", 2.0, "cm", {}, false);
  EXPECT_EQ(s.status, "N");
}

TEST_F(ReportTest, SemicolonAndBackslashKeepTheLineOpen) {
  Report r(ctx, &store);
  r.WriteValueLine("a =", 1.0, "cm;");
  r.WriteValueLine("b =", 2.0, "cm\\");
  r.WriteValueLine("c =", 3.0, "m2");
  EXPECT_EQ(Text(r), "   a = 1 cm    b = 2 cm            c = 3 m²\n");
  // A not-OK line left open gets no symbol but still marks the report.
  Report s(ctx, &store);
  s.WriteValueLine("d =", 4.0, "cm;\\n\\");
  EXPECT_EQ(s.status, "N");
  EXPECT_EQ(Text(s), "   d = 4 cm \n");
}

TEST_F(ReportTest, TabThreeWritesNoValueLinesButEverythingElse) {
  Report r(ctx, &store);
  r.suppressValueLines = true;
  r.WriteHeading(1, "Beam:   ID = 3");
  r.WriteValueLine("A =", 1.0, "cm2");
  r.WriteRule(5);
  r.WriteText("note");
  EXPECT_EQ(Text(r), "Beam:   ID = 3\n_____\n   note\n");
  EXPECT_TRUE(r.runs()[0].bold && r.runs()[0].underline);
  EXPECT_EQ(r.runs()[0].colour, 1);
}

TEST_F(ReportTest, TextStylesLineEndsAndLanguage) {
  Report r(ctx, &store);
  r.WriteText("one;", 4, 14, "RBUI");
  r.WriteText("two\\");
  r.WriteText("");
  r.WriteText("three");
  r.WriteRule(0);
  EXPECT_EQ(Text(r), "   one   two\n   three\n\n");
  const ReportRun& one = r.runs()[0];
  EXPECT_TRUE(one.right && one.bold && one.underline && one.italic);
  EXPECT_EQ(one.colour, 4);
  EXPECT_EQ(one.size, 14);
  EXPECT_FALSE(one.lineBreak);

  ctx.language = 'F';
  Report p(ctx, &store);
  p.WriteText("English||فارسی");
  p.WriteHeading(1, "Beam||تیر||تیر دوم");
  p.WriteValueLine("Area =||مساحت =", 2.0, "cm2");
  EXPECT_EQ(Text(p), "   فارسی\nتیر دوم\n   مساحت = 2 cm²\n");
}

TEST_F(ReportTest, VerdictFollowsTheOverallStatus) {
  Report r(ctx, &store);
  r.status = "Y";
  r.WriteText("line");
  r.WriteVerdict("");
  EXPECT_EQ(Text(r), "   line\n\n   OK.  Y\n");
  EXPECT_TRUE(r.runs()[2].bold);
  EXPECT_EQ(r.runs()[2].colour, kOkColour);

  Report n(ctx, &store);
  n.status = "N";
  n.WriteVerdict("Check failed||مردود");
  EXPECT_EQ(Text(n), "\n   Check failed  N\n");
  EXPECT_EQ(n.runs()[1].colour, kNotOkColour);

  Report v(ctx, &store);
  v.status = "<void>";
  v.WriteVerdict("");
  EXPECT_TRUE(v.runs().empty());

  Report e(ctx, &store);
  e.EndValueLine("");
  e.EndValueLine("\\Y\\");
  EXPECT_EQ(Text(e), "\n  Y\n");
  EXPECT_EQ(e.status, "");
  e.EndValueLine("\\n\\");
  EXPECT_EQ(e.status, "N");
}

TEST_F(ReportTest, TemplateIsFetchedOncePerTarget) {
  Report r(ctx, &store);
  r.WriteText("no template needed");
  EXPECT_EQ(store.finds, 0);
  r.WriteValueLine("A =", 1.0, "cm2");
  r.WriteValueLine("B =", 1.0, "cm2");
  r.WriteNotOkSymbol();
  r.Clear();
  r.WriteValueLine("C =", 1.0, "cm2");
  EXPECT_EQ(store.finds, 1);
  EXPECT_EQ(store.lastName, "formula_tavo.rtf");
  EXPECT_EQ(r.templateLoads(), 1);
  EXPECT_TRUE(messages.calls.empty());
}

TEST_F(ReportTest, MissingTemplateRowWarnsOnceAndUsesTheBuiltInSymbols) {
  CountingStore empty{std::nullopt};
  Report r(ctx, &empty);
  r.WriteOkSymbol();
  r.WriteNotOkSymbol();
  EXPECT_EQ(Text(r), "  \u2714\n  \u2718\n");
  EXPECT_EQ(messages.calls.size(), 1u);
  EXPECT_TRUE(messages.Saw("formula_tavo.rtf"));
  EXPECT_EQ(r.runs()[0].font, "Segoe UI Symbol");
}

TEST_F(ReportTest, NotOkMarkGoesToTheDrawingWhenThatIsTheTarget) {
  Report r(ctx, &store);
  int marks = 0;
  r.drawNotOkMark = [&marks] { ++marks; };
  r.WriteNotOkSymbol();
  EXPECT_EQ(marks, 1);
  EXPECT_EQ(r.status, "N");
  EXPECT_TRUE(r.runs().empty());
}

TEST_F(ReportTest, FormulaModeCopiesTheBlockOrSaysWhatIsWrong) {
  Report r(ctx, &store);
  r.WriteValueLine("Fb =", 1440.0, "kg/cm2", "CODE");
  EXPECT_EQ(Text(r), "   Fb = 0.6 Fy = 1440 kg/cm²\n");
  Report missing(ctx, &store);
  missing.WriteValueLine("Fa =", 900.0, "kg/cm2", "CODE");
  EXPECT_TRUE(missing.runs().empty());
  ASSERT_EQ(messages.calls.size(), 1u);
  EXPECT_EQ(messages.calls[0].text, "Error in Formulation!");
  EXPECT_EQ(messages.calls[0].title, "Error");
  Report late(ctx, &store);
  late.WriteValueLine("Late", 2.0, "cm", "CODE");  // formula mode needs no "="
  EXPECT_EQ(Text(late), "?\?\?!!!Late = 2 cm\n");
}

TEST_F(ReportTest, WritersShareTheRuns) {
  Report r(ctx);  // the built-in template
  r.WriteHeading(1, "Beam:   ID = 12");
  r.WriteText("IPE30 {x}", 0, 0, "B");
  r.WriteValueLine("A =", 53.81, "cm2\\y\\");
  r.WriteText("right", 15, 0, "R");
  const std::string rtf = RenderRtf(r, {{"Header line"}, "T"});
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u);
  EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;"), std::string::npos);
  EXPECT_NE(rtf.find("\\red0\\green150\\blue0;\\red200\\green0\\blue0;}"), std::string::npos);
  EXPECT_NE(rtf.find("\\cf2\\b\\ab\\ul Beam:   ID = 12}"), std::string::npos);
  EXPECT_NE(rtf.find("IPE30 \\{x\\}"), std::string::npos);
  EXPECT_NE(rtf.find("\\cf17 53.81 cm\\u178?}"), std::string::npos);
  EXPECT_NE(rtf.find("{\\f1\\fnil\\fcharset0 Segoe UI Symbol;}"), std::string::npos);
  EXPECT_NE(rtf.find("\\u10004?"), std::string::npos);
  EXPECT_NE(rtf.find("\\ltrpar\\qr"), std::string::npos);
  EXPECT_NE(rtf.find("\\highlight2"), std::string::npos);
  EXPECT_NE(rtf.find("Header line\\par"), std::string::npos);
  // Braces balance, so word processors read the whole document.
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;
    else if (rtf[i] == '{') ++depth;
    else if (rtf[i] == '}') --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);

  const std::string html = RenderHtml(r);
  EXPECT_NE(html.find("<html lang=\"en\" dir=\"ltr\">"), std::string::npos);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("IPE30 {x}"), std::string::npos);
  EXPECT_NE(html.find("color: #009600;\">53.81 cm²</span>"), std::string::npos);
  EXPECT_NE(html.find("<p class=\"line right\">"), std::string::npos);
}

TEST_F(ReportTest, PersianDocumentsRunRightToLeft) {
  ctx.language = 'F';
  Report r(ctx, &store);
  r.WriteText("Compact||این مقطع فشرده & <b>");
  const std::string rtf = RenderRtf(r);
  EXPECT_NE(rtf.find("\\rtldoc"), std::string::npos);
  EXPECT_NE(rtf.find("\\rtlpar\\qr"), std::string::npos);
  EXPECT_NE(rtf.find("{\\rtlch\\fcs1\\af0"), std::string::npos);
  EXPECT_NE(rtf.find("\\u1575?\\u1740?\\u1606?"), std::string::npos);  // "این"
  const std::string html = RenderHtml(r);
  EXPECT_NE(html.find("<html lang=\"fa\" dir=\"rtl\">"), std::string::npos);
  EXPECT_NE(html.find("این مقطع فشرده &amp; &lt;b&gt;"), std::string::npos);
}

}  // namespace
}  // namespace tavo
