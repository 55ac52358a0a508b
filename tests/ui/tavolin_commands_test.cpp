// The frame's commands beyond stepping: Results, Units in every window, the help, printing.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextTable>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "core/language.h"
#include "core/units.h"
#include "ui/frm_constant.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/frm_units.h"
#include "ui/report_view.h"
#include "ui/result_windows.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;
using ui::frmMDI;

const RecordingMessages::Call* LastQuestion(const RecordingMessages& m) {
  for (auto it = m.calls.rbegin(); it != m.calls.rend(); ++it)
    if (it->question) return &*it;
  return nullptr;
}

// A help document of `pages` pages, each page's text naming its number, and its anchor list.
void WriteHelp(const std::string& pdf, int pages, const std::string& anchors) {
  fs::create_directories(fs::path(pdf).parent_path());
  QPdfWriter writer(QString::fromStdString(pdf));
  QPainter painter(&writer);
  for (int i = 1; i <= pages; ++i) {
    if (i > 1) writer.newPage();
    painter.drawText(200, 200, QString("Help page %1").arg(i));
  }
  painter.end();
  std::ofstream(fs::path(pdf).replace_extension(".anchors")) << anchors;
}

// --- Results ------------------------------------------------------------------------------

TEST(TavolinResults, WritesTheFilesAsksAndShowsViewerAndGrid) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ASSERT_TRUE(p.frame()->action("tbToolBar_Results")->isEnabled());
  run.messages.nextAnswer = Answer::Yes;
  p.frame()->action("tbToolBar_Results")->trigger();

  const std::string base = p.context().inputBase;
  EXPECT_TRUE(fs::exists(base + "_Out.csv"));
  EXPECT_TRUE(fs::exists(base + "_Out.rtf"));
  const auto* q = LastQuestion(run.messages);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->text, "Do you want to view the output file?\r\n\r\nOutput filenames:\r\n" + base + "_Out.csv\r\n" + base +
                         "_Out.rtf");
  EXPECT_EQ(q->title, PickLanguage(p.context().moduleTitle, p.context()));

  // The viewer shows our RTF: one table, the headings in their cells.
  ui::frmOutput* viewer = p.outputViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle(), "Output file");
  QTextTable* table = nullptr;
  for (QTextFrame* f : viewer->text()->document()->rootFrame()->childFrames())
    if (auto* t = qobject_cast<QTextTable*>(f)) table = t;
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->columns(), 13);
  EXPECT_EQ(table->rows(), 3 + p.context().N);

  // The grid: heading and unit of each column in its header, one row per element.
  ui::frmResults* results = p.resultGrid();
  ASSERT_NE(results, nullptr);
  EXPECT_TRUE(results->isVisible());
  QTableWidget* grid = results->findChild<QTableWidget*>("MSFlexGrid1");
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->rowCount(), p.context().N);
  ASSERT_EQ(grid->columnCount(), 13);
  EXPECT_EQ(results->groupRow()->item(0, 11)->text(), "Radii of gyration");
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "ID");
  const std::vector<std::string> labels = UnitLabelSet(p.context().displayUnits);
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text().toStdString(), "A\n" + labels[2]);    // area
  EXPECT_EQ(grid->horizontalHeaderItem(12)->text().toStdString(), "R2\n" + labels[1]);  // length
  EXPECT_EQ(grid->horizontalHeaderItem(1)->background().color(), QColor(250, 250, 150));
  EXPECT_NE(grid->horizontalHeaderItem(0)->background().color(), QColor(250, 250, 150));
  for (int i = 1; i <= p.context().N; ++i) EXPECT_EQ(grid->item(i - 1, 0)->text(), QString::number(i));
  // Same values as the RTF table, which keeps 3 decimals, cell for cell (every element, area).
  for (int i = 1; i <= p.context().N; ++i) {
    const QTextTableCell cell = table->cellAt(2 + i, 1);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    bool filed = false, shown = false;
    const double inFile = c.selectedText().toDouble(&filed), onScreen = grid->item(i - 1, 1)->text().toDouble(&shown);
    ASSERT_TRUE(filed && shown) << i;
    EXPECT_NEAR(inFile, onScreen, 0.0005 + 5e-6 * std::fabs(onScreen)) << i;
  }
}

TEST(TavolinResults, AnswerNoShowsOnlyTheGridAndPersianAsksInPersian) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'F'));
  run.program->constantsWindow()->CmdGo_Click();
  ui::TavolinProgram& p = *run.program;
  run.messages.nextAnswer = Answer::No;
  p.Results();
  EXPECT_EQ(p.outputViewer(), nullptr);
  ASSERT_NE(p.resultGrid(), nullptr);
  const auto* q = LastQuestion(run.messages);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->text.rfind("آیا می‌خواهید فایل خروجی را ببینید؟", 0), 0u);
  EXPECT_TRUE(q->rightToLeft);
}

// An element whose input has an error has no properties in the grid, as in the result files.
TEST(TavolinResults, ElementsInErrorShowNoProperties) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("diagnostics")));
  run.program->constantsWindow()->CmdGo_Click();
  ui::TavolinProgram& p = *run.program;
  run.messages.nextAnswer = Answer::No;
  p.Results();
  ASSERT_NE(p.resultGrid(), nullptr);
  const QTableWidget* grid = p.resultGrid()->grid();
  // Element 1 is read as written, element 2 (L55) is an error.
  EXPECT_EQ(grid->item(0, 0)->text(), "1");
  EXPECT_NE(grid->item(0, 1)->text(), "-");
  EXPECT_EQ(grid->item(1, 0)->text(), "2");
  for (int c = 1; c < grid->columnCount(); ++c) EXPECT_EQ(grid->item(1, c)->text(), "-") << c;
}

// --- Units ---------------------------------------------------------------------------------

TEST(TavolinUnits, CancelChangesNothingAndAcceptSetsTheDisplayUnitsAndRewritesTheReport) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(1);
  const QString before = p.editor()->reportView()->toPlainText();
  const std::string units = p.context().displayUnits.Text();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ui::frmUnits*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    dialog->Select("kN", "m");
    dialog->findChild<QPushButton*>("Command2")->click();
  });
  p.Units();
  EXPECT_TRUE(seen);
  EXPECT_EQ(p.context().displayUnits.Text(), units);
  EXPECT_EQ(p.editor()->reportView()->toPlainText(), before);
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ui::frmUnits*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->findChild<QRadioButton*>("Option1_3")->setChecked(true);  // kN
    dialog->findChild<QRadioButton*>("Option2_0")->setChecked(true);  // mm
    dialog->findChild<QPushButton*>("Command1")->click();
  });
  p.Units();
  EXPECT_EQ(p.context().displayUnits.Text(), "[kN]-[mm]");
  // The report is written again; its formulas keep kilograms-force and centimetres.
  const QString after = p.editor()->reportView()->toPlainText();
  EXPECT_FALSE(after.isEmpty());
  EXPECT_TRUE(after.contains(QString::fromUtf8("cm²"))) << after.toStdString();
  EXPECT_TRUE(p.frame()->statusText(1).contains("[kN]-[mm]"));
}

TEST(TavolinUnits, OtherWindowsTakeTheDisplayUnitsOnly) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  ASSERT_EQ(p.frame()->page(), frmMDI::Page::List);
  const std::string constants = p.context().constantsUnits;
  p.chooseUnits = [] { return std::optional<std::string>("[ton]-[m]"); };
  p.Units();
  EXPECT_EQ(p.context().displayUnits.Text(), "[ton]-[m]");
  EXPECT_EQ(p.context().constantsUnits, constants);
  EXPECT_EQ(p.frame()->statusText(1).toStdString(), "System Units: [ton]-[m]");
}

TEST(TavolinUnits, TheDialogOffersEveryUnitAndStartsAtThePairInForce) {
  ASSERT_TRUE(ui::ApplyLanguage('F'));
  const UnitSystem current = UnitFactors("units=[kip]-[ft]", nullptr);
  ui::frmUnits dialog(current);
  EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(dialog.UnitText(), "[kip]-[ft]");
  EXPECT_EQ(dialog.findChildren<QRadioButton*>().size(), 11);
  EXPECT_EQ(dialog.findChild<QPushButton*>("Command1")->text(), QString::fromUtf8("تأیید"));
  EXPECT_EQ(dialog.findChild<QPushButton*>("Command2")->text(), QString::fromUtf8("انصراف"));
  dialog.Select("nonsense", "");
  EXPECT_EQ(dialog.UnitText(), "[kg]-[cm]");  // unknown names fall back to the defaults
  ui::ApplyLanguage('E');
}

// --- Help ----------------------------------------------------------------------------------

TEST(TavolinHelp, DesignCodeButtonOpensTheHelpAtTheChecksPage) {
  ProgramRun run;
  WriteHelp(run.tree.install() + "bin/help/tavo.pdf", 4, "contents\t1\nchecks\t3\n");
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  EXPECT_EQ(p.helpPage(), -1);
  p.constantsWindow()->findChild<QPushButton*>("cmdABA")->click();
  EXPECT_FALSE(run.messages.Saw("Help file does not exist"));
  ASSERT_NE(p.helpWindow(), nullptr);
  EXPECT_TRUE(p.helpWindow()->isVisible());
  EXPECT_EQ(p.helpPage(), 2);
  // The Calculation command opens the same document from its start.
  EXPECT_TRUE(p.OpenHelp({}));
  EXPECT_EQ(p.helpPage(), 2);  // stays where the reader is
  EXPECT_TRUE(p.OpenHelp("no-such-anchor"));
  run.program.reset();
}

TEST(TavolinHelp, PersianUsersGetThePersianEditionAndMissingHelpIsSaid) {
  ProgramRun run;
  WriteHelp(run.tree.install() + "bin/help/tavo.pdf", 1, "checks\t1\n");
  WriteHelp(run.tree.install() + "bin/help/tavo_fa.pdf", 5, "checks\t4\n");
  ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'F'));
  ui::TavolinProgram& p = *run.program;
  p.constantsWindow()->findChild<QPushButton*>("cmdABA")->click();
  ASSERT_NE(p.helpWindow(), nullptr);
  EXPECT_EQ(p.helpWindow()->findChild<QPdfDocument*>("pdfDocument")->pageCount(), 5);
  EXPECT_EQ(p.helpPage(), 3);
  run.program.reset();

  ProgramRun bare;
  ASSERT_TRUE(bare.Start(bare.tree.Example("frame")));
  bare.program->constantsWindow()->findChild<QPushButton*>("cmdABA")->click();
  EXPECT_TRUE(bare.messages.Saw("Help file does not exist for this module!"));
  EXPECT_EQ(bare.program->helpWindow(), nullptr);
}

// --- Printing ------------------------------------------------------------------------------

TEST(TavolinPrint, PdfCarriesTheHeaderLinesAndTheDesignation) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(3);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = run.tree.dir.str() + "print.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  ASSERT_TRUE(p.PrintTo(printer));
  EXPECT_GT(ReadFile(pdf).size(), 10000u);  // text and a picture, not an empty page
  QPdfDocument document;
  ASSERT_EQ(document.load(QString::fromStdString(pdf)), QPdfDocument::Error::None);
  ASSERT_GE(document.pageCount(), 1);
  QString text;
  for (int i = 0; i < document.pageCount(); ++i) text += document.getAllText(i).text();
  EXPECT_TRUE(text.contains("Filename:")) << text.toStdString();
  EXPECT_TRUE(text.contains("Ardekon version")) << text.toStdString();
  EXPECT_TRUE(text.contains("2IPE20")) << text.toStdString();
}

// --- Persian -------------------------------------------------------------------------------

TEST(TavolinPersian, StartUpShowsPersianFrameCommandsAndReport) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'F'));
  ui::TavolinProgram& p = *run.program;
  EXPECT_EQ(p.frame()->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(p.frame()->action("tbToolBar_Results")->text(), QString::fromUtf8("نتایج"));
  EXPECT_EQ(p.frame()->action("tbToolBar_Units")->text(), QString::fromUtf8("واحدها"));
  EXPECT_TRUE(p.frame()->statusText(1).startsWith(QString::fromUtf8("واحدهای سیستم")));
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  p.ShowElement(1);
  const QString report = p.editor()->reportView()->toPlainText();
  EXPECT_TRUE(report.contains(QString::fromUtf8("ستون"))) << report.toStdString();  // a column, in Persian
  EXPECT_FALSE(report.contains("Column"));
  ui::ApplyLanguage('E');
}

}  // namespace
}  // namespace tavo::test
