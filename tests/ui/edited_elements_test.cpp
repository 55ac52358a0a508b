// Editing that sticks: the editor's changes reach the element table, Results and the input
// file (Ctrl+S, backup, the other lines untouched), undo and redo, and leaving with unsaved edits.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/text_util.h"
#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_draw.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/report_view.h"
#include "ui/result_windows.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

QString ReportText(ui::TavolinProgram& p) { return p.editor()->reportView()->toPlainText(); }

QImage Canvas(ui::TavolinProgram& p) {
  QApplication::processEvents();
  return Grab(p.drawing()->findChild<QWidget*>("Picture2"));
}

// A value typed key by key into a row's box and taken with Enter.
void TypeValue(ui::frmMain* e, int row, const QString& text) {
  TypeKeys(e->valueBox(row), text);
  PressEnter(e->valueBox(row));
}

// Started on the frame example with the constants confirmed, the frame active, element 1
// (IPB20 L=320, a remark after it) in the editor.
ui::TavolinProgram& StartOnFirstElement(ProgramRun& run) {
  EXPECT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ShowActive(p.frame());
  p.ShowElement(1);
  return p;
}

std::string Input(ProgramRun& run) { return ReadFile(run.program->context().InputFile()); }

// Element 1 with cover plates 200*12, as typed into the editor.
void AddCoverPlates(ui::TavolinProgram& p) {
  TypeValue(p.editor(), 1, "200");
  TypeValue(p.editor(), 2, "12");
}

TEST(EditedElements, TheTableResultsAndCtrlSTakeTheEditAndEveryOtherLineStays) {
  ProgramRun run;
  ui::TavolinProgram& p = StartOnFirstElement(run);
  const std::string original = Input(run);
  run.messages.nextAnswer = Answer::No;
  p.Results();
  ASSERT_NE(p.resultGrid(), nullptr);
  const QString areaBefore = p.resultGrid()->grid()->item(0, 1)->text();
  const QString secondBefore = p.resultGrid()->grid()->item(1, 1)->text();
  EXPECT_FALSE(p.hasUnsavedEdits());
  EXPECT_FALSE(p.saveInputAction()->isEnabled());

  AddCoverPlates(p);
  ASSERT_TRUE(ReportText(p).contains("2PL200*12"));
  // The table holds the edited line, and its verdict is the editor's.
  EXPECT_EQ(p.elements().text(0), "1   IPB20+2PL200*12  L=320");
  EXPECT_EQ(p.elements().ok(0), p.editor()->member().Status() == ElementStatus::Ok);
  EXPECT_TRUE(p.hasUnsavedEdits());
  EXPECT_TRUE(p.saveInputAction()->isEnabled());
  EXPECT_EQ(Input(run), original);  // nothing written before Save

  // Results runs on the table: element 1 has the plates' area, element 2 is as it was.
  p.Results();
  const double area = p.editor()->member().section.props.A;
  EXPECT_NE(p.resultGrid()->grid()->item(0, 1)->text(), areaBefore);
  EXPECT_NEAR(p.resultGrid()->grid()->item(0, 1)->text().toDouble(), area, 0.05 * area);
  EXPECT_EQ(p.resultGrid()->grid()->item(1, 1)->text(), secondBefore);

  // Back in the frame (the result windows took the front), Ctrl+S saves.
  ShowActive(p.frame());
  QTest::keyClick(p.editor()->valueBox(0), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(p.hasUnsavedEdits());
  EXPECT_EQ(ReadFile(p.context().InputFile() + ".bak"), original);
  const std::vector<std::string> before = Split(original, '\n');
  const std::vector<std::string> after = Split(Input(run), '\n');
  ASSERT_EQ(after.size(), before.size());
  int changed = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    ++changed;
    EXPECT_EQ(before[i], "1   IPB20  L=320            : ground floor, corner");
    EXPECT_EQ(after[i], "1   IPB20+2PL200*12  L=320            : ground floor, corner");
  }
  EXPECT_EQ(changed, 1);
  // No temporary file is left beside the input.
  for (const auto& entry : fs::directory_iterator(fs::path(p.context().InputFile()).parent_path()))
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();

  // The saved file read again by the batch pass gives the edited section.
  ProgramRun again;
  ASSERT_TRUE(again.Start(p.context().inputBase));
  ASSERT_TRUE(again.program->constantsWindow()->CmdGo_Click());
  again.program->ShowElement(1);
  EXPECT_NEAR(again.program->editor()->member().section.props.A, area, 1e-9);
}

TEST(EditedElements, AFailedSaveTellsTheUserKeepsTheFileAndTheEdits) {
  ProgramRun run;
  ui::TavolinProgram& p = StartOnFirstElement(run);
  const std::string original = Input(run);
  AddCoverPlates(p);
  // A folder where the backup would go: it cannot be written, so nothing is replaced.
  fs::create_directory(p.context().InputFile() + ".bak");
  EXPECT_FALSE(p.SaveInput());
  EXPECT_TRUE(run.messages.Saw("The input file was not saved"));
  EXPECT_EQ(Input(run), original);
  EXPECT_TRUE(p.hasUnsavedEdits());
  // Leaving with the edits asks; Yes tries to save, fails, and the program stays.
  run.messages.nextAnswer = Answer::Yes;
  p.menu_Exit_Click();
  EXPECT_FALSE(p.ended());
  EXPECT_EQ(Input(run), original);
}

TEST(EditedElements, LeavingWithUnsavedEditsAsksYesNoCancel) {
  {
    ProgramRun run;
    ui::TavolinProgram& p = StartOnFirstElement(run);
    const std::string original = Input(run);
    AddCoverPlates(p);
    run.messages.nextAnswer = Answer::Cancel;
    p.menu_Exit_Click();
    EXPECT_FALSE(p.ended());
    EXPECT_TRUE(run.messages.Saw("Save them in the input file?"));
    // Closing the frame asks the same; Cancel keeps it open.
    p.frame()->close();
    EXPECT_FALSE(p.ended());
    EXPECT_TRUE(p.frame()->isVisible());
    run.messages.nextAnswer = Answer::No;
    p.menu_Exit_Click();
    EXPECT_TRUE(p.ended());
    EXPECT_EQ(Input(run), original);
    EXPECT_FALSE(fs::exists(p.context().InputFile() + ".bak"));
  }
  {
    ProgramRun run;
    ui::TavolinProgram& p = StartOnFirstElement(run);
    AddCoverPlates(p);
    run.messages.nextAnswer = Answer::Yes;
    p.menu_Exit_Click();
    EXPECT_TRUE(p.ended());
    EXPECT_NE(Input(run).find("1   IPB20+2PL200*12  L=320"), std::string::npos);
  }
  {
    // Opening another file asks too: Cancel stays on the edited one, No opens the other and
    // leaves nothing to save.
    ProgramRun run;
    ui::TavolinProgram& p = StartOnFirstElement(run);
    const std::string original = Input(run);
    const std::string first = p.context().InputFile();
    AddCoverPlates(p);
    run.messages.nextAnswer = Answer::Cancel;
    EXPECT_FALSE(p.OpenFile(run.tree.Example("tower_ton_m") + ".Ardekon"));
    EXPECT_EQ(p.context().InputFile(), first);
    EXPECT_TRUE(p.hasUnsavedEdits());
    run.messages.nextAnswer = Answer::No;
    EXPECT_TRUE(p.OpenFile(run.tree.Example("tower_ton_m") + ".Ardekon"));
    EXPECT_NE(p.context().InputFile(), first);
    EXPECT_FALSE(p.hasUnsavedEdits());
    EXPECT_FALSE(p.saveInputAction()->isEnabled());
    EXPECT_EQ(ReadFile(first), original);
  }
}

TEST(EditedElements, CtrlZAndCtrlYStepThroughEveryParameterChange) {
  ProgramRun run;
  ui::TavolinProgram& p = StartOnFirstElement(run);
  ui::frmMain* e = p.editor();
  const double area0 = e->member().section.props.A;
  const QString report0 = ReportText(p);
  const QImage picture0 = Canvas(p);

  TypeValue(e, 1, "200");  // bpl
  TypeValue(e, 2, "12");   // tpl: now a section with plates
  const double area2 = e->member().section.props.A;
  const QString report2 = ReportText(p);
  e->slider(e->visibleRows() - 1)->setValue(900);  // L by the slider: one more step
  ASSERT_DOUBLE_EQ(e->panel().memberLength(), 900);
  ASSERT_EQ(e->undoStack()->count(), 3);

  QLineEdit* box = e->valueBox(0);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(e->panel().memberLength(), 320);
  EXPECT_DOUBLE_EQ(e->member().section.props.A, area2);
  EXPECT_EQ(ReportText(p), report2);
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(e->member().section.props.A, area0);
  EXPECT_EQ(ReportText(p), report0);
  EXPECT_EQ(Canvas(p), picture0);
  EXPECT_EQ(e->valueBox(1)->text(), "0");
  EXPECT_EQ(std::string(p.elements().text(0)).find("PL"), std::string::npos);
  EXPECT_EQ(p.elementList()->listModel()->element(0).designation.find("PL"), std::string::npos);

  QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(e->member().section.props.A, area2);
  EXPECT_EQ(ReportText(p), report2);
  EXPECT_EQ(e->valueBox(2)->text(), "12");
  EXPECT_NE(std::string(p.elements().text(0)).find("2PL200*12"), std::string::npos);
  // Another element starts with nothing to undo.
  p.NextID();
  EXPECT_EQ(e->undoStack()->count(), 0);
}

}  // namespace
}  // namespace tavo::test
