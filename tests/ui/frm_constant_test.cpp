// The constants window always shows the constants in the display units and never lets a
// value leave it in other units, nor a value the user did not confirm.
#include "ui/frm_constant.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>
#include <gtest/gtest.h>

#include "input/batch_pass.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;
using ui::frmMDI;

QString RangeHint(ui::frmConstant* c) {
  QFocusEvent in(QEvent::FocusIn);
  QApplication::sendEvent(c->valueBox(1), &in);
  const QString text = c->findChild<QLabel*>("StatusBar1_Panel1")->text();
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(c->valueBox(1), &out);
  return text;
}

// kN and mm chosen in the editor, then Information and Continue: the valid Fy of 2400 kg/cm²
// shows as 0.23544 kN/mm² (2400 x 9.81 N / 100 mm²), in range, and the member checks as before.
TEST(ConstantsInDisplayUnits, UnitsChosenInTheEditorShowConvertedAndKeepFy) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(3);  // 2IPE20 (d=20), a column of 320 cm
  const CheckResults before = p.editor()->member().results;
  EXPECT_DOUBLE_EQ(before.Pmax, 73.6);
  EXPECT_EQ(before.cls, "C");

  p.chooseUnits = [] { return std::optional<std::string>("[kN]-[mm]"); };
  p.Units();
  p.ConstantsHelp();
  ui::frmConstant* c = p.constantsWindow();
  EXPECT_EQ(c->valueBox(1)->text(), "0.23544");
  EXPECT_FALSE(c->IsRed(1));
  EXPECT_EQ(c->findChild<QLabel*>("lblUnit_1")->text(), "kN/mm²");
  // 2000 and 4000 kg/cm² in kN/mm², with the digits that tell them apart.
  EXPECT_EQ(RangeHint(c), "0.1962 < Fy < 0.3924 kN/mm²");

  run.messages.calls.clear();
  run.messages.nextAnswer = Answer::No;
  ASSERT_TRUE(c->CmdGo_Click());
  EXPECT_FALSE(run.messages.Saw("Please recheck"));
  EXPECT_DOUBLE_EQ(p.context().fy, 2400);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Editor);
  EXPECT_EQ(p.context().displayUnits.Text(), "[kN]-[mm]");
  const CheckResults after = p.editor()->member().results;
  EXPECT_DOUBLE_EQ(after.Pmax, before.Pmax);
  EXPECT_EQ(after.cls, "C");
}

// Units changed in the constants window, Continue (the display goes back to kg and cm), then
// Information from the list: Fy shows as 2400 kg/cm² again, not 0.23544 read as kg/cm².
TEST(ConstantsInDisplayUnits, ReopenedAfterTheDisplayWentBackShowsTheDisplayUnits) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  ui::frmConstant* c = p.constantsWindow();
  p.chooseUnits = [] { return std::optional<std::string>("[kN]-[mm]"); };
  p.Units();
  EXPECT_EQ(c->valueBox(1)->text(), "0.23544");
  ASSERT_TRUE(c->CmdGo_Click());
  EXPECT_DOUBLE_EQ(p.context().fy, 2400);
  EXPECT_EQ(p.context().displayUnits.Text(), "[kg]-[cm]");

  p.ConstantsHelp();
  EXPECT_EQ(c->valueBox(1)->text(), "2400");
  EXPECT_FALSE(c->IsRed(1));
  EXPECT_EQ(c->findChild<QLabel*>("lblUnit_1")->text(), "kg/cm²");
  run.messages.nextAnswer = Answer::No;
  ASSERT_TRUE(c->CmdGo_Click());
  EXPECT_DOUBLE_EQ(p.context().fy, 2400);

  // The units already shown chosen again in the window convert nothing.
  p.ConstantsHelp();
  p.chooseUnits = [] { return std::optional<std::string>("[kg]-[cm]"); };
  p.Units();
  EXPECT_EQ(c->valueBox(1)->text(), "2400");
}

// Only Continue puts a typed Fy in force; leaving the window without it keeps the old one, and
// the window shows that one when it opens again.
TEST(ConstantsInForce, TypingWithoutContinueChangesNothing) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(3);
  const double pmax = p.editor()->member().results.Pmax;
  p.ConstantsHelp();
  ui::frmConstant* c = p.constantsWindow();
  TypeKeys(c->valueBox(1), "3000");
  EXPECT_EQ(c->valueBox(1)->text(), "3000");
  EXPECT_DOUBLE_EQ(p.context().fy, 2400);
  p.NextID();
  p.PreviousID();
  EXPECT_DOUBLE_EQ(p.editor()->member().member.fy, 2400);
  EXPECT_DOUBLE_EQ(p.editor()->member().results.Pmax, pmax);
  p.ConstantsHelp();
  EXPECT_EQ(c->valueBox(1)->text(), "2400");
}

// The settings file cannot be written (here it is a folder): the user is told, and the Fy
// confirmed is still the one the members are checked with.
TEST(ConstantsInForce, ConfirmedFyHoldsWhenTheSettingsCannotBeSaved) {
  ProgramRun run;
  const std::string base = run.tree.Example("frame");
  fs::remove(run.tree.install() + "cte/constants.ini");
  fs::create_directories(run.tree.install() + "cte/constants.ini");
  ASSERT_TRUE(run.Start(base));
  ui::frmConstant* c = run.program->constantsWindow();
  TypeKeys(c->valueBox(1), "3000");
  ASSERT_TRUE(c->CmdGo_Click());
  EXPECT_TRUE(run.messages.Saw("The settings could not be saved")) << run.messages.calls.back().text;
  EXPECT_DOUBLE_EQ(run.program->context().fy, 3000);
  run.program->ShowElement(3);
  EXPECT_DOUBLE_EQ(run.program->editor()->member().member.fy, 3000);
}

// The box shows the value in use: a typed " 2500.0 " becomes 2500; a text that is not a
// number is refused with a message and the window stays, Fy unchanged.
TEST(ConstantsInForce, TheBoxShowsTheValueInUseAndRefusesText) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::frmConstant* c = run.program->constantsWindow();
  TypeKeys(c->valueBox(1), "25OO");
  EXPECT_TRUE(c->IsRed(1));
  run.messages.nextAnswer = Answer::No;  // even "go on" must not take 25 from "25OO"
  EXPECT_FALSE(c->CmdGo_Click());
  EXPECT_TRUE(run.messages.Saw("is not a number"));
  EXPECT_EQ(run.program->frame()->page(), frmMDI::Page::Constants);
  EXPECT_DOUBLE_EQ(run.program->context().fy, 2400);

  TypeKeys(c->valueBox(1), " 2500.0 ");
  ASSERT_TRUE(c->CmdGo_Click());
  EXPECT_DOUBLE_EQ(run.program->context().fy, 2500);
  EXPECT_EQ(c->valueBox(1)->text(), "2500");
}

bool HasFyNote(const Diagnostics& list, Severity severity) {
  for (const Diagnostic& d : list)
    if (d.subject == "Fy" && d.severity == severity) return true;
  return false;
}

// Typed outside its range and confirmed with No: Fy is the user's own, and every element is
// checked with it and carries a warning that says so.
TEST(ConstantsExplicitFy, TypedFyOutsideTheRangeIsAWarningOnEveryElement) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  TypeKeys(p.constantsWindow()->valueBox(1), "4200");
  run.messages.nextAnswer = Answer::No;
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_TRUE(run.messages.Saw("Please recheck"));
  EXPECT_TRUE(p.context().fyExplicit);
  EXPECT_DOUBLE_EQ(p.context().fy, 4200);
  ASSERT_EQ(p.elements().size(), 9u);
  for (size_t i = 0; i < p.elements().size(); ++i) {
    EXPECT_TRUE(HasFyNote(p.elements().diagnostics(i), Severity::Warning));
    EXPECT_FALSE(p.elements().error(i));
  }
  p.ShowElement(3);
  EXPECT_TRUE(HasFyNote(p.editor()->member().diagnostics, Severity::Warning));
  EXPECT_DOUBLE_EQ(p.editor()->member().member.fy, 4200);

  // Back in range: the warning goes, from the list and from the element in the editor.
  p.ConstantsHelp();
  TypeKeys(p.constantsWindow()->valueBox(1), "3000");
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_TRUE(p.editor()->member().diagnostics.empty());
  for (size_t i = 0; i < p.elements().size(); ++i) EXPECT_TRUE(p.elements().diagnostics(i).empty());
}

// An Fy outside the range that nobody typed (it came from the file) gives no verdict; typed in
// the window it is the user's and the elements are checked with a warning.
// The window shows the file's Fy in red and asks; answering No keeps it on purpose, which makes
// it the user's own value: every element is checked with it and carries a warning, no error.
TEST(ConstantsExplicitFy, FyFromTheFileOutsideTheRangeKeptOnPurposeIsAWarning) {
  ProgramRun run;
  std::string text = ReadFile(SourcePath("examples/frame.Ardekon"));
  text.replace(text.find("Fy=2400"), 7, "Fy=5000");
  ASSERT_TRUE(run.Start(run.tree.Input("strong", text)));
  ui::TavolinProgram& p = *run.program;
  EXPECT_TRUE(p.constantsWindow()->IsRed(1));
  run.messages.nextAnswer = Answer::No;
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_TRUE(p.context().fyExplicit);
  EXPECT_DOUBLE_EQ(p.context().fy, 5000);
  for (size_t i = 0; i < p.elements().size(); ++i) {
    EXPECT_FALSE(p.elements().error(i));
    EXPECT_TRUE(HasFyNote(p.elements().diagnostics(i), Severity::Warning));
    EXPECT_FALSE(HasFyNote(p.elements().diagnostics(i), Severity::Error));
  }
}

// Fy changed after the pass: the list's verdicts are those of the new Fy, the same as a run
// whose input file gives that Fy.
TEST(ConstantsInForce, ChangingFyAfterThePassChecksTheListAgain) {
  ProgramRun reference;
  std::string text = ReadFile(SourcePath("examples/frame.Ardekon"));
  text.replace(text.find("Fy=2400"), 7, "Fy=3600");
  ASSERT_TRUE(reference.Start(reference.tree.Input("fy3600", text)));
  ASSERT_TRUE(reference.program->constantsWindow()->CmdGo_Click());
  const ElementTable& expected = reference.program->elements();
  reference.program->ShowElement(4);
  const double expectedPmax = reference.program->editor()->member().results.Pmax;

  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(4);
  const double pmaxAt2400 = p.editor()->member().results.Pmax;
  p.Home();
  p.ConstantsHelp();  // from the list
  TypeKeys(p.constantsWindow()->valueBox(1), "3600");
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::List);
  ASSERT_EQ(p.elements().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(p.elements().ok(i), expected.ok(i)) << i + 1;
    EXPECT_EQ(p.elements().diagnostics(i), expected.diagnostics(i)) << i + 1;
  }
  p.ShowElement(4);
  EXPECT_NE(p.editor()->member().results.Pmax, pmaxAt2400);  // the box column gains from the higher Fy
  EXPECT_DOUBLE_EQ(p.editor()->member().results.Pmax, expectedPmax);
}

}  // namespace
}  // namespace tavo::test
