// The element list tells an element with an error, one with a warning and one that is not OK
// apart, by colour and mark, and gives every diagnostic as the element's tooltip.
#include "ui/element_list.h"

#include <QApplication>
#include <gtest/gtest.h>

#include "ui/frm_constant.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/report_view.h"
#include "ui/tavolin_program.h"
#include "ui/ui_common.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

const char* kMixed =
    "Software=Ardekon  Version=7.12  Module=tavo  Title=Mixed\n"
    "NO=0,4,0  Units=[kg]-[cm]\n"
    "1   IPE20  L=400\n"
    "2   IPE10+2PL100*25  L=400\n"
    "3   PG 0*8*250*15  L=400\n"
    "4   4IPE30  L=400\n";

QString Tip(ui::ElementList* list, int index) {
  return list->listModel()->data(list->listModel()->index(index - 1), Qt::ToolTipRole).toString();
}

// The colours a thumbnail shows: its label's, and the corner where a warning puts its mark.
struct Marks {
  QColor label;
  QColor warningCorner;
  QColor errorCorner;
};

Marks MarksOf(ui::ElementList* list, int index) {
  QApplication::processEvents();
  const QImage shot = Grab(list->viewport());
  const QRect r = list->ThumbnailRect(index);
  const QSize thumb = list->delegate()->thumbnailSize();
  const QPoint picture = r.topLeft() + QPoint(4, 4);
  const int labelY = picture.y() + thumb.height() + 3;
  const int badge = std::clamp(list->delegate()->labelHeight(), 14, 22);
  Marks m;
  m.label = shot.pixelColor(r.left() + 8, labelY);
  // Inside the triangle's lower half, beside its exclamation mark.
  m.warningCorner = shot.pixelColor(picture.x() + thumb.width() - 2 - badge / 2 - badge / 4, picture.y() + 3 + badge * 4 / 5);
  // Inside the round error badge, off its cross.
  m.errorCorner = shot.pixelColor(picture.x() + 3 + badge / 2, picture.y() + 3 + badge / 5);
  return m;
}

TEST(ElementListDiagnostics, ErrorsNotOkAndOkAreMarkedApart) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Input("mixed", kMixed)));
  ASSERT_TRUE(run.program->constantsWindow()->CmdGo_Click());
  run.program->frame()->show();
  ui::ElementList* list = run.program->elementList();
  ASSERT_EQ(list->shown(), 4);

  EXPECT_TRUE(Tip(list, 1).isEmpty());
  EXPECT_EQ(Tip(list, 2), "Design is not OK!");
  // An error element lists its errors, each on a line of its own, and no not-OK verdict.
  const QString zero = Tip(list, 3);
  EXPECT_TRUE(zero.startsWith("Error: ")) << zero.toStdString();
  EXPECT_TRUE(zero.contains("is zero")) << zero.toStdString();
  EXPECT_FALSE(zero.contains("Design is not OK!"));
  for (const QString& line : zero.split('\n')) EXPECT_TRUE(line.startsWith("Error: ")) << line.toStdString();
  EXPECT_TRUE(Tip(list, 4).contains("A count of 4")) << Tip(list, 4).toStdString();
  // What a screen reader is told.
  const auto spoken = [list](int index) {
    return list->listModel()->data(list->listModel()->index(index - 1), Qt::AccessibleTextRole).toString();
  };
  EXPECT_EQ(spoken(1), "ID 1");
  EXPECT_EQ(spoken(2), "ID 2, Design is not OK!");
  EXPECT_EQ(spoken(3), "ID 3, error, no verdict");
  const ui::ElementListModel* model = list->listModel();
  EXPECT_TRUE(model->data(model->index(0), ui::ElementListModel::OkRole).toBool());
  EXPECT_FALSE(model->data(model->index(1), ui::ElementListModel::OkRole).toBool());

  const Marks ok = MarksOf(list, 1), notOk = MarksOf(list, 2), error = MarksOf(list, 3);
  EXPECT_EQ(ok.label, ui::kLabelGrey);
  EXPECT_EQ(notOk.label, ui::kAlarmRed);
  EXPECT_EQ(error.label, ui::kErrorRed);
  EXPECT_EQ(error.errorCorner, ui::kErrorRed);
  EXPECT_NE(notOk.errorCorner, ui::kErrorRed);
  for (const Marks& m : {ok, notOk, error}) EXPECT_NE(m.warningCorner, ui::kWarningAmber);
  EXPECT_EQ(run.program->frame()->statusText(2).toStdString(), "4 elements, 1 not OK, 2 with errors");
}

// A warning on every element (Fy typed outside its usual range): an OK element's label turns
// amber, a not-OK one stays red, and each gets the warning triangle and the text.
TEST(ElementListDiagnostics, WarningsAreAmberAndListedInEitherLanguage) {
  for (const char language : {'E', 'F'}) {
    ProgramRun run;
    ASSERT_TRUE(run.Start(run.tree.Input("mixed", kMixed), language));
    ui::frmConstant* c = run.program->constantsWindow();
    TypeKeys(c->valueBox(1), "4100");
    run.messages.nextAnswer = Answer::No;
    ASSERT_TRUE(c->CmdGo_Click());
    run.program->frame()->show();
    ui::ElementList* list = run.program->elementList();

    const Marks ok = MarksOf(list, 1), notOk = MarksOf(list, 2), error = MarksOf(list, 3);
    EXPECT_EQ(ok.label, ui::kWarningAmber) << language;
    EXPECT_EQ(notOk.label, ui::kAlarmRed) << language;
    EXPECT_EQ(error.label, ui::kErrorRed) << language;
    for (const Marks& m : {ok, notOk, error}) EXPECT_EQ(m.warningCorner, ui::kWarningAmber) << language;

    if (language == 'E') {
      EXPECT_EQ(Tip(list, 1), "Warning: Fy = 4100 kg/cm² is outside the usual range 2000 to 4000 kg/cm²; it is used as you gave it");
      EXPECT_EQ(Tip(list, 2).split('\n').size(), 2);
      EXPECT_TRUE(Tip(list, 2).startsWith("Design is not OK!\nWarning: Fy = 4100"));
      EXPECT_TRUE(Tip(list, 3).contains("\nWarning: Fy = 4100")) << Tip(list, 3).toStdString();
    } else {
      EXPECT_TRUE(Tip(list, 1).startsWith(QString::fromUtf8("هشدار: "))) << Tip(list, 1).toStdString();
      EXPECT_TRUE(Tip(list, 1).contains(QString::fromUtf8("محدودهٔ معمول"))) << Tip(list, 1).toStdString();
      EXPECT_TRUE(Tip(list, 2).startsWith(QString::fromUtf8("طراحی مناسب نیست!\nهشدار: ")));
      EXPECT_TRUE(Tip(list, 3).startsWith(QString::fromUtf8("خطا: "))) << Tip(list, 3).toStdString();
    }
  }
}

// What the editor changed is what the list shows when the user goes back: an element made
// unusable in the editor is marked as an error.
TEST(ElementListDiagnostics, GoingBackFromTheEditorShowsTheEditedStatus) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Input("mixed", kMixed)));
  ASSERT_TRUE(run.program->constantsWindow()->CmdGo_Click());
  run.program->frame()->show();
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(3);
  ASSERT_EQ(p.editor()->member().Status(), ElementStatus::Error);
  p.editor()->ApplyCommand("=600", p.editor()->panel().RowIndex("hw"));  // the web gets its height
  ASSERT_EQ(p.editor()->member().Status(), ElementStatus::Ok);
  p.Home();
  EXPECT_TRUE(Tip(p.elementList(), 3).isEmpty()) << Tip(p.elementList(), 3).toStdString();
  EXPECT_EQ(MarksOf(p.elementList(), 3).label, ui::kLabelGrey);
}

// Lines that carry no section (a length only, an ID only) are errors in the list, in the
// editor's report and in the result grid, never OK.
TEST(ElementListDiagnostics, ElementsWithoutASectionAreNeverOk) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Input("nosection",
                                       "Software=Ardekon  Version=7.12  Module=tavo  Title=t\n"
                                       "NO=3,0,0  Units=[kg]-[cm]\n1  L=300\n2\n3   IPE20  L=300\n")));
  ASSERT_TRUE(run.program->constantsWindow()->CmdGo_Click());
  ui::TavolinProgram& p = *run.program;
  ui::ElementList* list = p.elementList();
  ASSERT_EQ(list->shown(), 3);
  const ui::ElementListModel* model = list->listModel();
  for (int i : {0, 1}) {
    EXPECT_FALSE(p.elements().ok(static_cast<size_t>(i))) << i;
    EXPECT_TRUE(p.elements().error(static_cast<size_t>(i))) << i;
    EXPECT_FALSE(model->data(model->index(i), ui::ElementListModel::OkRole).toBool()) << i;
    EXPECT_TRUE(Tip(list, i + 1).startsWith("Error: ")) << Tip(list, i + 1).toStdString();
  }
  EXPECT_TRUE(p.elements().ok(2));
  p.ShowElement(2);
  EXPECT_EQ(p.editor()->member().Status(), ElementStatus::Error);
  EXPECT_TRUE(p.editor()->reportView()->toPlainText().contains("designation is empty"))
      << p.editor()->reportView()->toPlainText().toStdString();
}

}  // namespace
}  // namespace tavo::test
