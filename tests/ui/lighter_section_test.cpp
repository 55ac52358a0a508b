// The editor's "Find lighter section": real clicks on the button and on a proposal, in the
// frame's plate girder (element 7, PG 600*8*250*15, a beam of 900 cm).
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

void ClickItem(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  ASSERT_NE(item, nullptr);
  list->scrollToItem(item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

TEST(LighterSection, ProposesSectionsAtLeastAsStrongAndLoadsTheOneClicked) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ShowActive(p.frame());
  p.ShowElement(7);
  ui::frmMain* e = p.editor();
  const CheckedMember before = e->member();
  ASSERT_EQ(before.section.cs.family, "PG");
  ASSERT_TRUE(before.results.Mmax);
  const double weight = before.section.props.A * 0.785;

  QListWidget* list = e->lighterList();
  EXPECT_FALSE(list->isVisible());
  QTest::mouseClick(e->lighterButton(), Qt::LeftButton);
  ASSERT_TRUE(list->isVisible()) << e->lighterNote()->text().toStdString();
  ASSERT_EQ(list->count(), 10);
  // The girder itself is one of the set, so the lightest proposal weighs no more than it.
  const std::string first = list->item(0)->data(Qt::UserRole).toString().toStdString();
  EXPECT_EQ(first.rfind("PG ", 0), 0u) << first;
  EXPECT_LE(list->item(0)->data(Qt::UserRole + 1).toDouble(), weight + 1e-9);
  // The weight shown is the one kept, in its column.
  EXPECT_TRUE(list->item(0)->text().contains(QString::number(list->item(0)->data(Qt::UserRole + 1).toDouble(), 'f', 2)));

  ClickItem(list, 0);
  const CheckedMember& after = e->member();
  EXPECT_EQ(after.section.cs.designation.rfind("PG", 0), 0u);
  EXPECT_EQ(e->panel().designation(), first);
  EXPECT_LE(after.section.props.A, before.section.props.A + 1e-9);
  // At least as strong as the girder it replaces, in every capacity; the length stays.
  ASSERT_TRUE(after.results.Mmax);
  EXPECT_GE(*after.results.Mmax, *before.results.Mmax);
  EXPECT_GE(after.results.Pmax, before.results.Pmax);
  EXPECT_GE(after.results.Tmax, before.results.Tmax);
  EXPECT_EQ(after.Status(), ElementStatus::Ok);
  EXPECT_DOUBLE_EQ(after.member.Lx, 900);

  // One change: undone, the girder is back.
  ASSERT_TRUE(e->undoStack()->canUndo());
  e->undoStack()->undo();
  EXPECT_EQ(e->member().section.cs.designation, before.section.cs.designation);
}

TEST(LighterSection, SaysWhenNoSetHoldsTheSection) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ShowActive(p.frame());
  p.ShowElement(8);  // two angles: no set of them
  ui::frmMain* e = p.editor();
  QTest::mouseClick(e->lighterButton(), Qt::LeftButton);
  EXPECT_FALSE(e->lighterList()->isVisible());
  EXPECT_TRUE(e->lighterNote()->isVisible());
  EXPECT_TRUE(e->lighterNote()->text().contains("No candidate set")) << e->lighterNote()->text().toStdString();
  // Another member: what was said about the last one goes.
  p.ShowElement(6);
  EXPECT_FALSE(e->lighterNote()->isVisible());
}

}  // namespace
}  // namespace tavo::test
