// Table entry of a new input file: the composed line, Add, the units question, Go.
#include "ui/frm_enter.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/text_util.h"
#include "sections/section_family.h"
#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_main.h"
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

int FamilyIndex(const std::string& label) {
  const auto& families = ui::frmEnter::Families();
  for (size_t i = 0; i < families.size(); ++i)
    if (label == families[i].label) return static_cast<int>(i);
  return -1;
}

TEST(frmEnter, TheTableHoldsTheFamilysParametersAndTheLineItsDesignation) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->findChild<QLabel*>("lblID")->text(), "ID=1");
  // The families to choose from, the first (a rolled IPE) chosen: its size is the one cell.
  QComboBox* family = e->familyBox();
  ASSERT_EQ(family->count(), static_cast<int>(ui::frmEnter::Families().size()));
  EXPECT_EQ(family->currentText(), "IPE");
  ASSERT_GE(e->ColumnOf("h"), 0);
  EXPECT_EQ(e->table()->item(1, e->ColumnOf("h"))->text(), "200");
  EXPECT_EQ(e->ColumnOf("L"), -1);  // the length has its own box

  // A plate girder: one column per plate dimension, in mm.
  e->ChooseFamily(FamilyIndex("PG"));
  EXPECT_EQ(family->currentText(), "PG");
  ASSERT_EQ(e->table()->columnCount(), 6);
  EXPECT_EQ(e->table()->item(0, 0)->text(), "hw [mm]");
  EXPECT_EQ(e->table()->item(1, e->ColumnOf("hw"))->text(), "600");
  EXPECT_EQ(e->table()->item(1, e->ColumnOf("tf2"))->text(), "15");
  EXPECT_EQ(e->table()->item(1, 0)->background().color(), QColor(220, 220, 0));
  e->SetCell(e->ColumnOf("hw"), "500");
  TypeKeys(e->lengthBox(), "400");
  const std::string line = e->ComposeLine();
  EXPECT_EQ(line.rfind(" 1   PG", 0), 0u) << line;
  EXPECT_NE(line.find("500*8*250*15"), std::string::npos) << line;
  EXPECT_EQ(line.substr(line.size() - 7), "  L=400");
  EXPECT_EQ(e->findChild<QLineEdit*>("txtLine")->text().toStdString(), line);
  EXPECT_FALSE(e->tableEditor()->isVisible());
  // Not a number: said, and the cell goes back to the value in use.
  e->SetCell(e->ColumnOf("tw"), "eight");
  EXPECT_TRUE(run.messages.Saw("Please type a number."));
  EXPECT_EQ(e->table()->item(1, e->ColumnOf("tw"))->text(), "8");
  EXPECT_EQ(e->ComposeLine(), line);
  // The keyboard walks the family list too.
  family->setFocus();
  QTest::keyClick(family, Qt::Key_Down);
  EXPECT_EQ(family->currentText().toStdString(), ui::frmEnter::Families()[static_cast<size_t>(FamilyIndex("PG")) + 1].label);
  // ... and the table and line follow it (a box after the plate girder).
  EXPECT_EQ(e->ColumnOf("bf1"), -1);
  EXPECT_GE(e->ColumnOf("d"), 0);
  EXPECT_NE(e->ComposeLine().find("BOX"), std::string::npos);
  EXPECT_EQ(e->findChild<QLabel*>("lblLimits")->text(), "0 < 10000 cm");

  // The member kinds, the sketch and its button.
  auto* combo = e->findChild<QComboBox*>("Combo1");
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), "Column");
  EXPECT_EQ(combo->itemText(2), "Bracing");
  EXPECT_EQ(combo->currentText(), "Column");
  e->getdim_combo("A/B/C", 2);
  EXPECT_EQ(combo->currentText(), "C");
  e->getdim_combo("A/B/C", 7);  // outside the list: the first
  EXPECT_EQ(combo->currentText(), "A");
  auto* picture = e->findChild<QLabel*>("Picture1");
  ASSERT_NE(picture, nullptr);
  const qint64 before = picture->pixmap().cacheKey();
  e->ComposeLine();
  ASSERT_FALSE(picture->pixmap().isNull());
  EXPECT_NE(picture->pixmap().cacheKey(), before);  // redrawn, not left over
  EXPECT_GT(DrawnPixels(picture), picture->width() * picture->height() / 100);
  auto* par = e->findChild<QPushButton*>("cmdPar");
  ASSERT_NE(par, nullptr);
  par->click();
  EXPECT_TRUE(picture->isHidden());
  par->click();
  EXPECT_FALSE(picture->isHidden());
}

// What table entry writes is read back by the real reader and batch pass as the sections
// chosen: same family, same area as the section computed while entering it.
TEST(frmEnter, ComposedLinesReadBackAsTheSectionsChosen) {
  ProgramRun run;
  ui::frmEnter* e = OpenEntry(run);
  ASSERT_NE(e, nullptr);
  struct Chosen {
    const SectionFamily* family;
    double area;
  };
  std::vector<Chosen> chosen;
  const auto keep = [&] {
    chosen.push_back({e->section().family, e->section().props.A});
    e->cmdAdd_Click();
  };
  // PG 500*8*250*15: A = 50·0.8 + 2·25·1.5 = 115 cm².
  e->ChooseFamily(FamilyIndex("PG"));
  e->SetCell(e->ColumnOf("hw"), "500");
  TypeKeys(e->lengthBox(), "400");
  EXPECT_NEAR(e->section().props.A, 115, 1e-9);
  keep();
  // IPE 300 typed as its height in mm.
  e->ChooseFamily(FamilyIndex("IPE"));
  e->SetCell(e->ColumnOf("h"), "300");
  EXPECT_NEAR(e->section().props.A, 53.81, 0.01);
  keep();
  // TUBE 273*8: A = π/4·(27.3² − 25.7²) = 66.60 cm².
  e->ChooseFamily(FamilyIndex("TUBE"));
  e->SetCell(e->ColumnOf("t"), "8");
  EXPECT_NEAR(e->section().props.A, 66.60, 0.01);
  keep();
  // A doubled channel with its spacing, and a box.
  e->ChooseFamily(FamilyIndex("2UNP"));
  e->SetCell(e->ColumnOf("d"), "150");
  keep();
  e->ChooseFamily(FamilyIndex("BOX"));
  e->SetCell(e->ColumnOf("tf"), "20");
  chosen.push_back({e->section().family, e->section().props.A});
  ASSERT_TRUE(e->CmdGo_Click());

  ui::TavolinProgram& p = *run.program;
  ASSERT_EQ(p.context().N, 5);
  ASSERT_EQ(p.elements().size(), 5u);
  for (int i = 1; i <= 5; ++i) {
    SCOPED_TRACE(std::string(p.elements().text(static_cast<size_t>(i) - 1)));
    EXPECT_FALSE(p.elements().error(static_cast<size_t>(i) - 1));
    EXPECT_TRUE(p.elements().recognised(static_cast<size_t>(i) - 1));
    p.ShowElement(i);
    const Section& read = p.editor()->member().section;
    ASSERT_NE(chosen[static_cast<size_t>(i) - 1].family, nullptr);
    EXPECT_EQ(read.family, chosen[static_cast<size_t>(i) - 1].family);
    EXPECT_NEAR(read.props.A, chosen[static_cast<size_t>(i) - 1].area, 1e-9);
  }
  // The length typed for the first element stays for the next ones.
  EXPECT_DOUBLE_EQ(p.editor()->member().member.Lx, 400);
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
  e->lengthBox()->setText("300");
  e->findChild<QPushButton*>("cmdAdd")->click();
  EXPECT_EQ(e->findChild<QLabel*>("lblID")->text(), "ID=2");
  e->lengthBox()->setText("450");
  e->findChild<QPushButton*>("cmdAdd")->click();
  EXPECT_EQ(e->findChild<QLabel*>("lblID")->text(), "ID=3");
  e->findChild<QLineEdit*>("txtTitle")->setText("New frame");
  go->click();

  const std::vector<std::string> lines = Split(ReadFile(base + ".Ardekon"), '\n');
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "Software=Ardekon  Version=" + run.program->context().suiteVersion +
                          "  Module=tavo  Title=New frame");
  EXPECT_EQ(lines[1], "No=3 Units=[kg]-[cm]  ");
  EXPECT_EQ(lines[2], " 1   IPE20  L=300");
  EXPECT_EQ(lines[3], " 2   IPE20  L=450");
  EXPECT_EQ(lines[4], " 3   IPE20  L=450");
  EXPECT_EQ(ReadFile(base + ".Ardekon_bak"), before);
  // No temporary file is left beside the input.
  for (const auto& entry : fs::directory_iterator(fs::path(base).parent_path()))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();

  // The program goes on as in mode "I" over the new file: three elements in the list.
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
  e->lengthBox()->setText("250");
  e->cmdAdd_Click();  // now ID=2
  const size_t asked = run.messages.calls.size();
  for (Answer a : {Answer::Cancel, Answer::No}) {
    run.messages.nextAnswer = a;
    e->lblUnits_Click();
    EXPECT_EQ(run.program->context().dataUnits, "[kg]-[cm]");
    EXPECT_EQ(e->lengthBox()->text(), "250");
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
  EXPECT_EQ(e->lengthBox()->text(), "2.5");  // 250 cm
  EXPECT_EQ(e->ComposeLine(), " 2   IPE20  L=2.5");
  EXPECT_EQ(e->findChild<QLabel*>("lblLimits")->text(), "0 < 100 m");
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
  e->lengthBox()->setText("2");
  e->lblUnits_Click();
  EXPECT_EQ(run.messages.calls.size(), asked);  // no question at ID=1
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(e->lengthBox()->text(), "20");
  EXPECT_EQ(e->table()->item(1, 0)->text(), "200");  // the profile size stays in mm
  // The frame's Units button, with the entry window up, changes the data units too.
  run.program->chooseUnits = [] { return std::optional<std::string>("[ton]-[cm]"); };
  run.program->Units();
  EXPECT_EQ(run.program->context().dataUnits, "[ton]-[cm]");
  EXPECT_EQ(e->lengthBox()->text(), "2");
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
