// Regenerates docs/screenshots/*.png from the real windows on examples/frame.Ardekon. Not part
// of the normal run; on purpose only:
//   xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb build/tests/test_ui
//     --gtest_also_run_disabled_tests --gtest_filter='Screenshots.*'
#include <QApplication>
#include <QImage>
#include <QPdfDocument>
#include <QPrinter>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_draw.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/frm_units.h"
#include "ui/progress_window.h"
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

  p.progress()->ShowProgress(0, "Designing the elements...||");
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

  ui::frmUnits units(p.context(), p.context().displayUnits, p.frame());
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
  QApplication::setLayoutDirection(Qt::LeftToRight);
}

}  // namespace
}  // namespace tavo::test
