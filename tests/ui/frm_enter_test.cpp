// Table entry of a new input file: the composed line, Add, the units question, Go.
#include "ui/frm_enter.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/text_util.h"
#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

// Started in mode "E" on the frame example, constants confirmed: the entry window is open.
ui::frmEnter* OpenEntry(ProgramRun& run, char language = 'E') {
  const std::string base = run.tree.Example("frame");
  if (!run.Start(base, language, 'E')) return nullptr;
  if (!run.program->constantsWindow()->CmdGo_Click()) return nullptr;
  return run.program->tableEntry();
}

// Pixels of the picture that differ from its top-left (background) pixel.
int DrawnPixels(const QLabel* picture) {
  const QImage image = picture->pixmap().toImage();
  if (image.isNull()) return 0;
  const QRgb back = image.pixel(0, 0);
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != back) ++drawn;
  return drawn;
}

TEST(frmEnter, TheLineTakesTheEntriesInItsOrderWithTheDGroupSwapped) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->findChild<QLabel*>("lblID")->text(), "ID=1");
  for (int i = 0; i < 7; ++i) e->variable(i)->setText(QString::number(i + 1));  // e1..e7 = 1..7
  for (int c = 0; c < 7; ++c) e->SetCell(c, QString::number(c + 8));         // e8..e14 = 8..14
  e->variable(2)->setText(" 2.50 ");                                            // trimmed, as a number
  e->SetCell(6, "abc");                                                         // not a number: 0
  EXPECT_EQ(e->ComposeLine(), " 1  L=1,2,2.5  H=4,5  W=6,7  D=8,9,11,10,12  FL=13,0");
  EXPECT_EQ(e->findChild<QLineEdit*>("txtLine")->text().toStdString(), e->ComposeLine());
  EXPECT_DOUBLE_EQ(e->getdim2(1, 3), 11.0);
  // The in-place editor is the only way a cell changes, and it hides when done.
  EXPECT_FALSE(e->tableEditor()->isVisible());
  EXPECT_EQ(e->table()->item(1, 0)->background().color(), QColor(220, 220, 0));
  EXPECT_EQ(e->findChild<QLabel*>("lblLimits_0")->text(), "0 < 10000 cm");

  // The member kinds, the sketch and its button.
  auto* combo = e->findChild<QComboBox*>("Combo1");
  ASSERT_NE(combo, nullptr);
  // The window opens on the member kinds, the first one chosen.
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), "Column");
  EXPECT_EQ(combo->itemText(2), "Bracing");
  EXPECT_EQ(combo->currentText(), "Column");

  e->getdim_combo("A/B/C", 2);
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(1), "B");
  EXPECT_EQ(combo->currentIndex(), 2);
  EXPECT_EQ(combo->currentText(), "C");
  e->getdim_combo("A/B/C", 7);  // outside the list: the first
  EXPECT_EQ(combo->currentText(), "A");

  // The member kind is no part of the element line.
  e->getdim_combo("Column/Beam/Bracing", 0);
  const std::string line = e->ComposeLine();
  combo->setCurrentIndex(1);
  EXPECT_EQ(e->ComposeLine(), line);
  auto* picture = e->findChild<QLabel*>("Picture1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture, e->sketch());
  const qint64 before = picture->pixmap().cacheKey();
  e->variable(0)->setText("120");
  e->ComposeLine();
  ASSERT_FALSE(picture->pixmap().isNull());
  EXPECT_NE(picture->pixmap().cacheKey(), before);  // redrawn, not left over
  EXPECT_EQ(picture->pixmap().size(), picture->size());
  // The legend covers a good part of the area, not a stray pixel or two.
  EXPECT_GT(DrawnPixels(picture), picture->width() * picture->height() / 100);
  auto* par = e->findChild<QPushButton*>("cmdPar");
  ASSERT_NE(par, nullptr);
  EXPECT_FALSE(picture->isHidden());
  par->click();
  EXPECT_TRUE(picture->isHidden());
  EXPECT_FALSE(par->isChecked());
  par->click();
  EXPECT_FALSE(picture->isHidden());
  EXPECT_TRUE(par->isChecked());
  e->cmdPar_Click();
  EXPECT_TRUE(picture->isHidden());
  EXPECT_FALSE(par->isChecked());
}

TEST(frmEnter, TwoAddsThenGoWritesThreeElementsAndTheBackup) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run);
  ASSERT_NE(e, nullptr);
  const std::string base = run.program->context().inputBase;
  const std::string before = ReadFile(base + ".Ardekon");
  auto* go = e->findChild<QPushButton*>("CmdGo");
  EXPECT_EQ(go->text(), "Continue");
  EXPECT_TRUE(go->font().bold());
  e->variable(0)->setText("300");
  e->findChild<QPushButton*>("cmdAdd")->click();
  EXPECT_EQ(e->findChild<QLabel*>("lblID")->text(), "ID=2");
  e->variable(0)->setText("450");
  e->findChild<QPushButton*>("cmdAdd")->click();
  EXPECT_EQ(e->findChild<QLabel*>("lblID")->text(), "ID=3");
  e->findChild<QLineEdit*>("txtTitle")->setText("New frame");
  go->click();

  const std::vector<std::string> lines = Split(ReadFile(base + ".Ardekon"), '\n');
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "Software=Ardekon  Version=" + run.program->context().suiteVersion +
                          "  Module=tavo  Title=New frame");
  EXPECT_EQ(lines[1], "No=3 Units=[kg]-[cm]  ");
  EXPECT_EQ(lines[2], " 1  L=300,0,0  H=0,0  W=0,0  D=0,0,0,0,0  FL=0,0");
  EXPECT_EQ(lines[3].substr(0, 8), " 2  L=45");
  EXPECT_EQ(lines[4].substr(0, 8), " 3  L=45");
  EXPECT_EQ(ReadFile(base + ".Ardekon_bak"), before);
  // No temporary file is left beside the input.
  for (const auto& entry : fs::directory_iterator(fs::path(base).parent_path()))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();

  // The program goes on as in mode "I" over the new file: three elements in the list. The
  // generic lines are no designations the catalogue knows, so they are reported not OK.
  EXPECT_EQ(run.program->context().runMode, 'I');
  EXPECT_EQ(run.program->context().N, 3);
  EXPECT_EQ(run.program->elementList()->shown(), 3);
  EXPECT_FALSE(e->isVisible());
}

TEST(frmEnter, UnitsAfterTheFirstIdAskFirstAndOnlyYesChangesThem) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run);
  ASSERT_NE(e, nullptr);
  int dialogs = 0;
  e->chooseUnits = [&dialogs] {
    ++dialogs;
    return std::optional<std::string>("[kg]-[m]");
  };
  e->variable(0)->setText("250");
  e->cmdAdd_Click();  // now ID=2
  const size_t asked = run.messages.calls.size();
  for (Answer a : {Answer::Cancel, Answer::No}) {
    run.messages.nextAnswer = a;
    e->lblUnits_Click();
    EXPECT_EQ(run.program->context().dataUnits, "[kg]-[cm]");
    EXPECT_EQ(e->variable(0)->text(), "250");
  }
  EXPECT_EQ(dialogs, 0);
  ASSERT_EQ(run.messages.calls.size(), asked + 2);
  EXPECT_EQ(run.messages.calls.back().text,
            "Warning! Please change the units only when ID=1; otherwise, the new unit settings will be applied to "
            "all the previous IDs.\r\nDo you still want to set the units?");
  run.messages.nextAnswer = Answer::Yes;
  e->lblUnits_Click();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(run.program->context().dataUnits, "[kg]-[m]");
  EXPECT_EQ(e->findChild<QLabel*>("lblUnits")->text(), "UNITS=[kg]-[m]");
  EXPECT_EQ(e->variable(0)->text(), "2.5");  // 250 cm
  EXPECT_EQ(e->ComposeLine().substr(0, 11), " 2  L=2.5,0");
  EXPECT_EQ(e->findChild<QLabel*>("lblLimits_0")->text(), "0 < 100 m");
}

TEST(frmEnter, AtTheFirstIdTheDialogOpensAtOnceAndTheFrameUnitsButtonConverts) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run);
  ASSERT_NE(e, nullptr);
  int dialogs = 0;
  e->chooseUnits = [&dialogs] {
    ++dialogs;
    return std::optional<std::string>("[ton]-[mm]");
  };
  const size_t asked = run.messages.calls.size();
  e->SetCell(0, "2");
  e->lblUnits_Click();
  EXPECT_EQ(run.messages.calls.size(), asked);  // no question at ID=1
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(e->table()->item(1, 0)->text(), "20");
  // The frame's Units button, with the entry window up, changes the data units too.
  run.program->chooseUnits = [] { return std::optional<std::string>("[ton]-[cm]"); };
  run.program->Units();
  EXPECT_EQ(run.program->context().dataUnits, "[ton]-[cm]");
  EXPECT_EQ(e->table()->item(1, 0)->text(), "2");
}

TEST(frmEnter, PersianWindowReadsRightToLeftWithItsTexts) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run, 'F');
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(e->findChild<QPushButton*>("cmdAdd")->text(), QString::fromUtf8("افزودن"));
  EXPECT_EQ(e->findChild<QPushButton*>("CmdGo")->text(), QString::fromUtf8("ادامه"));
  EXPECT_EQ(e->windowTitle(), QString::fromUtf8("ورود جدولی اعضا"));
  // The element line itself stays in the file's left-to-right layout.
  EXPECT_EQ(e->findChild<QLineEdit*>("txtLine")->layoutDirection(), Qt::LeftToRight);
  auto* combo = e->findChild<QComboBox*>("Combo1");
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), QString::fromUtf8("ستون"));
  EXPECT_EQ(combo->itemText(1), QString::fromUtf8("تیر"));
  EXPECT_EQ(combo->itemText(2), QString::fromUtf8("مهاربند"));
  EXPECT_EQ(e->findChild<QPushButton*>("cmdPar")->text(), QString::fromUtf8("پارامترها"));
}






}  // namespace
}  // namespace tavo::test
