// Regenerates docs/screenshots/*.png from the real windows on examples/frame.Ardekon. Not part
// of the normal run; on purpose only:
//   xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb build/tests/test_ui
//     --gtest_also_run_disabled_tests --gtest_filter='Screenshots.*'
#include <QApplication>
#include <QImage>
#include <QThread>
#include <QPdfDocument>
#include <QPrinter>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QPushButton>
#include <QToolButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_draw.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/frm_enter.h"
#include "ui/frm_units.h"
#include "ui/result_windows.h"
#include "ui/progress_window.h"
#include "ui/report_view.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

void Save(QWidget* w, const std::string& name) {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const fs::path dir = fs::path(TAVO_SOURCE_DIR) / "docs" / "screenshots";
  fs::create_directories(dir);
  const QImage image = w->grab().toImage();
  ASSERT_FALSE(image.isNull()) << name;
  ASSERT_TRUE(image.save(QString::fromStdString((dir / name).string()), "PNG")) << name;
  EXPECT_GT(fs::file_size(dir / name), 2000u) << name;
}

TEST(Screenshots, DISABLED_EveryWindow) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  p.frame()->resize(1500, 940);
  p.frame()->show();
  Save(p.frame(), "constants.png");

  p.progress()->ShowProgress(0);
  p.progress()->ShowProgress(44);
  Save(p.progress(), "progress.png");
  p.progress()->ShowProgress(-1);

  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  Save(p.frame(), "element_list.png");

  p.ShowElement(5);
  Save(p.frame(), "editor.png");

  // The printout of the beam, as its first page.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = run.tree.dir.str() + "print.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  ASSERT_TRUE(p.PrintTo(printer));
  QPdfDocument document;
  ASSERT_EQ(document.load(QString::fromStdString(pdf)), QPdfDocument::Error::None);
  const QSizeF points = document.pagePointSize(0);
  const QImage page = document.render(0, (points * 1.6).toSize());
  const fs::path out = fs::path(TAVO_SOURCE_DIR) / "docs" / "screenshots" / "printout.png";
  ASSERT_TRUE(page.save(QString::fromStdString(out.string()), "PNG"));

  p.ShowElement(3);
  p.drawing()->SetGrid(true);
  p.drawing()->findChild<QToolButton*>("Command1")->click();
  p.drawing()->findChild<QToolButton*>("Command1")->click();
  Save(p.drawing(), "drawing_zoomed.png");
  p.drawing()->SetGrid(false);

  ui::frmUnits units(p.context().displayUnits, p.frame());
  units.show();
  Save(&units, "units.png");

  ProgramRun persian;
  ASSERT_TRUE(persian.Start(persian.tree.Example("frame"), 'F'));
  persian.program->frame()->resize(1500, 940);
  persian.program->frame()->show();
  ASSERT_TRUE(persian.program->constantsWindow()->CmdGo_Click());
  persian.program->ShowElement(7);
  Save(persian.program->frame(), "editor_fa.png");
  persian.program.reset();
  ui::ApplyLanguage('E');
}

// The editor on elements of examples/diagnostics.Ardekon: an error (no numbers, the reason in
// red) and a warning, in English and in Persian.
TEST(Screenshots, DISABLED_DiagnosticsInTheReport) {
  for (const char language : {'E', 'F'}) {
    ProgramRun run;
    ASSERT_TRUE(run.Start(run.tree.Example("diagnostics"), language));
    ui::TavolinProgram& p = *run.program;
    p.frame()->resize(1500, 940);
    p.frame()->show();
    ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
    p.ShowElement(2);
    Save(p.frame(), language == 'F' ? "editor_error_fa.png" : "editor_error.png");
    p.ShowElement(6);
    Save(p.frame(), language == 'F' ? "editor_warning_fa.png" : "editor_warning.png");
  }
  ui::ApplyLanguage('E');
}

// The windows of Results, Units, the help and table entry, in English and in Persian.
TEST(Screenshots, DISABLED_CommandWindowsInBothLanguages) {
  for (const char language : {'E', 'F'}) {
    const std::string suffix = language == 'F' ? "_fa.png" : "_en.png";
    ProgramRun run;
    // The real help document when the build printed it.
    std::error_code ec;
    for (const fs::path& from : {fs::path(TAVO_INSTALL_TREE) / "bin/help", fs::path(TAVO_SOURCE_DIR) / "build/install/bin/help"})
      if (fs::is_directory(from, ec) && !fs::exists(run.tree.install() + "bin/help/tavo.pdf")) {
        fs::create_directories(run.tree.install() + "bin/help");
        fs::copy(from, run.tree.install() + "bin/help", fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
      }
    ASSERT_TRUE(run.Start(run.tree.Example("frame"), language));
    ui::TavolinProgram& p = *run.program;
    p.frame()->resize(1500, 940);
    p.frame()->show();

    {
      ui::frmUnits units(p.context().displayUnits, p.frame());
      units.show();
      Save(&units, "units" + suffix);
    }

    p.constantsWindow()->findChild<QPushButton*>("cmdABA")->click();
    if (p.helpWindow()) {
      p.helpWindow()->resize(900, 900);
      // The pages render in the background.
      for (int i = 0; i < 40; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
      }
      Save(p.helpWindow(), "help" + suffix);
      p.helpWindow()->close();
    }

    ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
    run.messages.nextAnswer = Answer::Yes;
    p.Results();
    ASSERT_NE(p.outputViewer(), nullptr);
    p.outputViewer()->resize(1250, 520);
    Save(p.outputViewer(), "output_viewer" + suffix);
    ASSERT_NE(p.resultGrid(), nullptr);
    p.resultGrid()->resize(1000, 420);
    Save(p.resultGrid(), "result_grid" + suffix);
    p.outputViewer()->close();
    p.resultGrid()->close();

    ProgramRun entry;
    ASSERT_TRUE(entry.Start(entry.tree.Example("frame"), language, 'E'));
    entry.program->frame()->resize(1500, 940);
    entry.program->frame()->show();
    ASSERT_TRUE(entry.program->constantsWindow()->CmdGo_Click());
    ui::frmEnter* e = entry.program->tableEntry();
    ASSERT_NE(e, nullptr);
    e->lengthBox()->setText("320");
    e->SetCell(e->ColumnOf("h"), "240");
    e->cmdAdd_Click();
    Save(e, "table_entry" + suffix);
    entry.program.reset();
    run.program.reset();
    ui::ApplyLanguage('E');
  }
}


// The constants window with the code picked, and the report pane of a beam under it, in
// English and in Persian.
TEST(Screenshots, DISABLED_LimitStateCodeInBothLanguages) {
  for (const char language : {'E', 'F'}) {
    const std::string suffix = language == 'F' ? "_fa.png" : "_en.png";
    ProgramRun run;
    const std::string base = run.tree.Example("frame");
    {
      // Forces of two combinations on the beam the picture shows, kg and kg·cm.
      std::ofstream forces(base + ".forces.csv");
      forces << "ID,OutputCase,P,V2,V3,T,M2,M3\n"
                "5,1.4D,0,2100,0,0,0,640000\n"
                "5,1.2D+1.6L,0,3400,0,0,0,1450000\n";
    }
    ASSERT_TRUE(run.Start(base, language));
    ui::TavolinProgram& p = *run.program;
    p.frame()->resize(1500, 940);
    p.frame()->show();
    QComboBox* code = p.constantsWindow()->codeBox();
    ASSERT_NE(code, nullptr);
    const int lrfd = code->findData(QString("aisc360-lrfd"));
    code->setCurrentIndex(lrfd);
    emit code->activated(lrfd);
    Save(p.frame(), "constants_limit_state" + suffix);

    ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
    p.ShowElement(5);
    // Today's lines are in the other pictures: the limit-state lines are at the end.
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    QScrollBar* bar = p.editor()->reportView()->verticalScrollBar();
    bar->setValue(bar->maximum());
    Save(p.frame(), "editor_limit_state" + suffix);
    // The girder's lighter sections, listed beside the editor.
    p.ShowElement(7);
    QTest::mouseClick(p.editor()->lighterButton(), Qt::LeftButton);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    Save(p.frame(), "lighter_section" + suffix);
    run.program.reset();
    ui::ApplyLanguage('E');
  }
}

}  // namespace
}  // namespace tavo::test
