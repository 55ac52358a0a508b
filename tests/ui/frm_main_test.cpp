// The editor's value boxes: after Enter a box shows the value the section was computed with,
// whether the typed value was taken, limited, rounded or refused.
#include "ui/frm_main.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "ui/frm_constant.h"
#include "ui/frm_mdi.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

struct Typed {
  const char* row;
  const char* text;
  const char* shown;
};

// Element 5 of the frame is IPE30+2PL200*10 (b = 150 mm, tf = 10.7 mm), a beam of 600 cm.
TEST(EditorValueBoxes, EnterShowsTheValueInUse) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ShowActive(p.frame());
  p.ShowElement(5);
  ui::frmMain* e = p.editor();
  const Typed cases[] = {
      {"bpl", "400", "300"},   // limited to 2·b = 300 mm
      {"bpl", "-20", "0"},     // never below 0
      {"bpl", "250", "250"},   // taken as typed
      {"tpl", "50", "32"},     // 3·tf = 32.1 mm, then to the 0.1 cm step
      {"CP", "9", "4"},        // the four plate layouts
      {"L", "6000", "5000"},   // the longest member the editor takes
      {"L", "7000", "5000"},   // already at the limit: nothing changes, the box still says so
      {"h", "2000", "600"},    // past the last IPE: the last one
  };
  for (const Typed& t : cases) {
    const int row = e->panel().RowIndex(t.row);
    ASSERT_GE(row, 0) << t.row;
    QLineEdit* box = e->valueBox(row);
    TypeKeys(box, t.text);
    ASSERT_TRUE(box->hasFocus() && box->isModified());  // as when the user types
    PressEnter(box);
    EXPECT_EQ(box->text().toStdString(), t.shown) << t.row << " typed " << t.text;
    EXPECT_EQ(box->text().toStdString(), e->panel().SliderFor(row).text) << t.row;
  }
  // What the boxes show is what was computed: the last IPE with four plates, 5000 cm long.
  EXPECT_DOUBLE_EQ(e->member().member.Lx, 5000);
  EXPECT_NE(e->member().section.cs.designation.find("IPE60"), std::string::npos) << e->member().section.cs.designation;
}

// The plate girder's web height goes up to a multiple of 5 cm; the drawing's slider on another
// row leaves a box being typed in alone until Enter.
TEST(EditorValueBoxes, RoundedValuesShowAsRoundedAndTypingIsNotOverwritten) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ShowActive(p.frame());
  p.ShowElement(7);  // PG 600*8*250*15
  ui::frmMain* e = p.editor();
  QLineEdit* hw = e->valueBox(e->panel().RowIndex("hw"));
  TypeKeys(hw, "612");
  PressEnter(hw);
  EXPECT_EQ(hw->text(), "650");
  EXPECT_DOUBLE_EQ(e->member().section.cs.hw, 65);

  QLineEdit* tw = e->valueBox(e->panel().RowIndex("tw"));
  TypeKeys(tw, "1");
  e->ApplyCommand("=300", e->panel().RowIndex("bf1"));
  EXPECT_EQ(tw->text(), "1");  // still being typed
  EXPECT_EQ(e->valueBox(e->panel().RowIndex("bf1"))->text(), "300");
  TypeKeys(tw, "12");
  PressEnter(tw);
  EXPECT_EQ(tw->text(), "12");
  EXPECT_DOUBLE_EQ(e->member().section.cs.tw, 1.2);
}

// A beam read without a length carries a warning about its L=; once the editor gives it a
// length, the warning no longer holds and goes, and the beam is checked over that length.
TEST(EditorLength, ALengthSetInTheEditorReplacesWhatWasSaidAboutTheLine) {
  ProgramRun run;
  const std::string text =
      "Software=Ardekon  Version=7.12  Module=tavo  Title=t\nCONSTANTS\nFy=2400  UNITS=[kg]-[cm]\n"
      "NO=0,1,0  Units=[kg]-[cm]\n1   IPE30\n";
  ASSERT_TRUE(run.Start(run.tree.Input("nolength", text)));
  ui::TavolinProgram& p = *run.program;
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  ShowActive(p.frame());
  p.ShowElement(1);
  ui::frmMain* e = p.editor();
  const auto aboutLength = [e] {
    int n = 0;
    for (const Diagnostic& d : e->member().diagnostics) n += d.subject == "L=";
    return n;
  };
  ASSERT_EQ(aboutLength(), 1);
  ASSERT_TRUE(e->member().results.Mmax);
  const double braced = *e->member().results.Mmax;
  QLineEdit* box = e->valueBox(e->panel().RowIndex("L"));
  TypeKeys(box, "600");
  PressEnter(box);
  EXPECT_DOUBLE_EQ(e->member().member.Lx, 600);
  EXPECT_EQ(aboutLength(), 0);
  ASSERT_TRUE(e->member().results.Mmax);
  EXPECT_LT(*e->member().results.Mmax, braced);
}

TEST(EditorSaveDialog, ItsBoxShowsALongPathWhole) {
  ASSERT_NE(qApp, nullptr);
  const QString path = QStringLiteral("/home/engineer/projects/2026/tower-block-north/frames/level-12/report-element-0005.rtf");
  const auto dialog = ui::MakePathDialog(nullptr, QStringLiteral("Save"), QStringLiteral("File name"), path);
  dialog->show();
  QApplication::processEvents();
  const auto* box = dialog->findChild<QLineEdit*>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), path);
  EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(path)) << "the path is cut";
}

}  // namespace
}  // namespace tavo::test
