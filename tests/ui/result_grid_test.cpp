// The result grid: columns as wide as their texts, heading and group rows that stay in view,
// captions in the run's language, numeric sorting by a click on a heading, copying with Ctrl+C,
// and exact values after a change of display units.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

#include "core/units.h"
#include "output/results_writer.h"
#include "ui/frm_units.h"
#include "ui/result_windows.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

UnitSystem KnMm() { return UnitFactors("UNITS=[kN]-[mm]"); }

// Three elements in kN-mm: IDs out of order and over 99, one element without properties.
std::vector<ResultRowValues> SampleRows() {
  return {
      {9, 7810, 2000, 1500, 596000, 56959996.604, 20030000, 569600, 200300, 642500, 305800, 85.4, 50.65},
      {100, 12345.6789, 3100, 2200, 1234567.891, 123456789, 45000000, 987654.321, 300000, 1100000, 450000, 120.75, 66},
      {10, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone},
  };
}

int TextMargin(const QWidget* view) {
  return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
}

QStringList Column(const QTableWidget* grid, int column) {
  QStringList texts;
  for (int r = 0; r < grid->rowCount(); ++r) texts << grid->item(r, column)->text();
  return texts;
}

void ClickHeading(QTableWidget* grid, int column) {
  QHeaderView* header = grid->horizontalHeader();
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void ClickCell(QTableWidget* grid, int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QRect cell = grid->visualRect(grid->model()->index(row, column));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
}

TEST(ResultGridCells, SignificantDigitsWithoutNoise) {
  EXPECT_EQ(ui::frmResults::CellText(56959996.604), "56960000");
  EXPECT_EQ(ui::frmResults::CellText(12345.6789), "12345.7");
  EXPECT_EQ(ui::frmResults::CellText(0.0053812345), "0.00538123");
  EXPECT_EQ(ui::frmResults::CellText(12.46), "12.46");
  EXPECT_EQ(ui::frmResults::CellText(0.1 + 0.2), "0.3");
  EXPECT_EQ(ui::frmResults::CellText(-2.5e-7), "-0.00000025");
  EXPECT_EQ(ui::frmResults::CellText(123456789), "123457000");
  EXPECT_EQ(ui::frmResults::CellText(0), "0");
  EXPECT_EQ(ui::frmResults::CellText(kNone), "-");
}

// No text is cut: every cell, heading and group caption fits its column(s), and the widths
// follow the texts when the table is filled again.
TEST(ResultGridLayout, ColumnsFitTheirTextsAndFollowNewValues) {
  ModuleContext ctx;
  ui::frmResults window(ctx);
  ShowActive(&window);
  window.SetTable(StandardResultTable(KnMm()), SampleRows());
  QTableWidget* grid = window.grid();
  QTableWidget* groups = window.groupRow();
  ASSERT_EQ(grid->columnCount(), 13);
  ASSERT_EQ(grid->rowCount(), 3);
  const QFontMetrics metrics(grid->font());
  const int margin = TextMargin(grid);
  for (int c = 0; c < grid->columnCount(); ++c) {
    const int width = grid->columnWidth(c);
    EXPECT_GE(width, grid->horizontalHeader()->sectionSizeHint(c)) << c;
    for (int r = 0; r < grid->rowCount(); ++r) {
      const QString text = grid->item(r, c)->text();
      EXPECT_LE(metrics.horizontalAdvance(text) + margin, width) << r << "," << c << " " << text.toStdString();
      EXPECT_EQ(metrics.elidedText(text, Qt::ElideRight, width - margin), text) << r << "," << c;
    }
    EXPECT_EQ(groups->columnWidth(c), width) << c;  // the group row lines up with the grid
  }
  EXPECT_EQ(grid->item(0, 5)->text(), "56960000");
  EXPECT_EQ(grid->item(1, 0)->text(), "100");

  // Each group caption fits the columns it spans.
  QFont bold = groups->font();
  bold.setBold(true);
  const QFontMetrics captions(bold);
  for (int c = 0; c < groups->columnCount(); ++c) {
    const QTableWidgetItem* item = groups->item(0, c);
    if (!item) continue;
    int width = 0;
    for (int k = c; k < c + groups->columnSpan(0, c); ++k) width += groups->columnWidth(k);
    EXPECT_LE(captions.horizontalAdvance(item->text()) + TextMargin(groups), width) << item->text().toStdString();
  }

  // Wider numbers widen their column, narrower ones narrow it again.
  const int before = grid->columnWidth(12);
  std::vector<ResultRowValues> wide = SampleRows();
  wide[0][12] = 123456789.5;
  window.SetTable(StandardResultTable(KnMm()), wide);
  EXPECT_GT(grid->columnWidth(12), before);
  EXPECT_LE(metrics.horizontalAdvance(grid->item(0, 12)->text()) + margin, grid->columnWidth(12));
  window.SetTable(StandardResultTable(KnMm()), SampleRows());
  EXPECT_EQ(grid->columnWidth(12), before);
}

// The headings and units are the grid's header and the group captions a row of their own:
// scrolling the elements leaves both in place, and the group row scrolls sideways with the grid.
TEST(ResultGridLayout, HeadingsStayWhileTheElementsScroll) {
  ModuleContext ctx;
  ui::frmResults window(ctx);
  window.resize(400, 200);
  ShowActive(&window);
  std::vector<ResultRowValues> many;
  for (int i = 1; i <= 200; ++i) {
    ResultRowValues row = SampleRows()[0];
    row[0] = i;
    many.push_back(row);
  }
  window.SetTable(StandardResultTable(KnMm()), many);
  QTableWidget* grid = window.grid();
  EXPECT_EQ(grid->horizontalHeaderItem(5)->text(), QString::fromUtf8("I1\nmm4"));
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "ID");
  QApplication::processEvents();
  const QPoint header = grid->horizontalHeader()->mapTo(&window, QPoint(0, 0));
  const QPoint groups = window.groupRow()->mapTo(&window, QPoint(0, 0));
  EXPECT_EQ(grid->mapTo(&window, QPoint(0, 0)).y(), groups.y() + window.groupRow()->height());  // right under it
  grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
  QApplication::processEvents();
  EXPECT_GT(grid->rowAt(0), 0);  // the first element has scrolled away
  EXPECT_EQ(grid->horizontalHeader()->mapTo(&window, QPoint(0, 0)), header);
  EXPECT_EQ(window.groupRow()->mapTo(&window, QPoint(0, 0)), groups);
  EXPECT_TRUE(grid->horizontalHeader()->isVisible());
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(window.groupRow()->horizontalScrollBar()->value(), grid->horizontalScrollBar()->value());
}

TEST(ResultGridCaptions, GroupsInTheRunsLanguageEachOverItsColumns) {
  for (const char language : {'E', 'F'}) {
    ModuleContext ctx;
    ctx.language = language;
    ASSERT_TRUE(ui::ApplyLanguage(language));
    ui::frmResults window(ctx);
    window.SetTable(StandardResultTable(KnMm()), SampleRows());
    const QTableWidget* groups = window.groupRow();
    const bool persian = language == 'F';
    const struct {
      int column, span;
      const char *english, *persian;
    } expected[] = {
        {0, 1, "Element", "شناسه عضو"},
        {1, 3, "Area and shear areas", "مساحت و سطوح برشی"},
        {4, 3, "Torsion constant and inertia", "ثابت پیچشی و ممان اینرسی"},
        {7, 2, "Elastic moduli", "اساس مقطع الاستیک"},
        {9, 2, "Plastic moduli", "اساس مقطع پلاستیک"},
        {11, 2, "Radii of gyration", "شعاع ژیراسیون"},
    };
    for (const auto& g : expected) {
      ASSERT_NE(groups->item(0, g.column), nullptr) << g.english;
      EXPECT_EQ(groups->item(0, g.column)->text(), QString::fromUtf8(persian ? g.persian : g.english)) << language;
      EXPECT_EQ(groups->columnSpan(0, g.column), g.span) << g.english;
    }
    // Headings stay as the files have them; the window keeps ID first in both languages.
    EXPECT_EQ(window.grid()->horizontalHeaderItem(12)->text(), "R2\nmm");
    EXPECT_EQ(window.layoutDirection(), Qt::LeftToRight);
    EXPECT_TRUE(window.windowTitle().startsWith(persian ? QString::fromUtf8("نتایج - ") : QString("Results - ")))
        << window.windowTitle().toStdString();
  }
  ui::ApplyLanguage('E');
}

// A click on a heading sorts the elements by that column's numbers (ID 9 before 10 before 100),
// a second click the other way; elements without numbers count as above every number.
TEST(ResultGridSorting, HeadingClicksSortNumerically) {
  ModuleContext ctx;
  ui::frmResults window(ctx);
  window.resize(1800, 400);
  ShowActive(&window);
  window.SetTable(StandardResultTable(KnMm()), SampleRows());
  QTableWidget* grid = window.grid();
  EXPECT_EQ(Column(grid, 0), (QStringList{"9", "100", "10"}));  // element order until a click
  ClickHeading(grid, 0);
  EXPECT_EQ(Column(grid, 0), (QStringList{"9", "10", "100"}));
  ClickHeading(grid, 0);
  EXPECT_EQ(Column(grid, 0), (QStringList{"100", "10", "9"}));
  ClickHeading(grid, 5);  // I1: a new column starts upwards
  EXPECT_EQ(Column(grid, 5), (QStringList{"56960000", "123457000", "-"}));
  EXPECT_EQ(Column(grid, 0), (QStringList{"9", "100", "10"}));
  ClickHeading(grid, 5);
  EXPECT_EQ(Column(grid, 5), (QStringList{"-", "123457000", "56960000"}));
  EXPECT_EQ(Column(grid, 0), (QStringList{"10", "100", "9"}));
}

// Ctrl+C puts the selected cells on the clipboard, tab-separated, under their headings.
TEST(ResultGridClipboard, CtrlCCopiesTheSelectionWithHeadings) {
  ModuleContext ctx;
  ui::frmResults window(ctx);
  window.resize(1800, 400);  // every column in view, for the clicks
  ShowActive(&window);
  window.SetTable(StandardResultTable(KnMm()), SampleRows());
  QTableWidget* grid = window.grid();
  grid->setFocus();
  QApplication::clipboard()->clear();
  ClickCell(grid, 0, 0);
  ClickCell(grid, 1, 2, Qt::ShiftModifier);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("ID\tA [mm²]\tA1 [mm²]\n"
                                                                 "9\t7810\t2000\n"
                                                                 "100\t12345.7\t3100\n"));
  // After a sort the copy follows the rows as shown; a column picked alone comes alone.
  ClickHeading(grid, 0);
  ClickCell(grid, 0, 5);
  ClickCell(grid, 2, 5, Qt::ShiftModifier);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "I1 [mm4]\n56960000\n-\n123457000\n");
  // Cells of a chosen row that are not chosen stay empty.
  ClickCell(grid, 0, 0);
  ClickCell(grid, 1, 12, Qt::ControlModifier);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "ID\tR2 [mm]\n9\t\n\t-\n");
}

// The units path of the desktop: kN-mm chosen in the units dialog, then Results; the grid and
// the CSV file carry I1 of IPB20 (5696 cm4) as exactly 56960000 mm4.
TEST(ResultGridUnits, KnMmThroughTheUnitsDialogGivesExactValues) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ui::frmUnits*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    QTest::mouseClick(dialog->findChild<QRadioButton*>("Option1_3"), Qt::LeftButton);  // kN
    QTest::mouseClick(dialog->findChild<QRadioButton*>("Option2_0"), Qt::LeftButton);  // mm
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  });
  p.Units();
  ASSERT_TRUE(seen);
  ASSERT_EQ(p.context().displayUnits.Text(), "[kN]-[mm]");
  run.messages.nextAnswer = Answer::No;
  p.Results();
  ASSERT_NE(p.resultGrid(), nullptr);
  const QTableWidget* grid = p.resultGrid()->grid();
  ASSERT_GE(grid->rowCount(), 1);
  EXPECT_EQ(grid->item(0, 0)->text(), "1");
  EXPECT_EQ(grid->horizontalHeaderItem(5)->text(), QString::fromUtf8("I1\nmm4"));
  EXPECT_EQ(grid->item(0, 5)->text(), "56960000");
  const QFontMetrics metrics(grid->font());
  EXPECT_LE(metrics.horizontalAdvance("56960000") + TextMargin(grid), grid->columnWidth(5));

  std::ifstream csv(p.context().inputBase + "_Out.csv", std::ios::binary);
  std::string line, first;
  while (std::getline(csv, line))
    if (line.rfind("1,", 0) == 0) first = line;
  std::stringstream cells(first);
  std::vector<std::string> fields;
  for (std::string f; std::getline(cells, f, ',');) fields.push_back(f);
  ASSERT_GT(fields.size(), 5u) << first;
  EXPECT_EQ(fields[5], "56960000");
}

}  // namespace
}  // namespace tavo::test
