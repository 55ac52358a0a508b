#include "ui/tavolin_program.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_draw.h"
#include "ui/frm_enter.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/progress_window.h"
#include "ui/report_view.h"
#include "ui/tavolin_application.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;
using ui::frmMDI;

void Click(QWidget* w, Qt::MouseButton button, QPoint at = {}) {
  if (at.isNull()) at = w->rect().center();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), w->mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), w->mapToGlobal(QPointF(at)), button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

void Type(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->setText(text);
  PressEnter(box);
}

QString ReportText(ui::TavolinProgram& p) { return p.editor()->reportView()->toPlainText(); }

QImage Canvas(ui::TavolinProgram& p) {
  QApplication::processEvents();
  return Grab(p.drawing()->findChild<QWidget*>("Picture2"));
}

bool Enabled(ui::TavolinProgram& p, const char* action) { return p.frame()->action(action)->isEnabled(); }

TEST(TavolinStartUp, ConstantsWindowThenContinueListsEveryElement) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  EXPECT_EQ(p.activeView(), ui::ActiveView::Constants);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Constants);
  EXPECT_EQ(p.frame()->windowTitle().toStdString(), " Ardekon 7.12 - Tavolin (" + run.tree.dir.str() + "frame)");
  ui::frmConstant* constants = p.constantsWindow();
  ASSERT_NE(constants->valueBox(1), nullptr);
  EXPECT_EQ(constants->valueBox(1)->text(), "2400");
  EXPECT_FALSE(constants->IsRed(1));
  EXPECT_EQ(p.drawing()->content(), ui::frmDraw::Content::Sketch);
  EXPECT_FALSE(Enabled(p, "tbToolBar_Forward"));

  ASSERT_TRUE(constants->CmdGo_Click());
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::List);
  EXPECT_EQ(p.context().N, 9);
  EXPECT_EQ(p.elementList()->shown(), 9);
  EXPECT_EQ(p.activeView(), ui::ActiveView::None);
  EXPECT_FALSE(p.progress()->isVisible());
  EXPECT_TRUE(Enabled(p, "tbToolBar_Forward"));
  EXPECT_FALSE(Enabled(p, "tbToolBar_Back"));
  EXPECT_FALSE(constants->continueButton()->isVisible());
  EXPECT_EQ(p.frame()->statusText(1).toStdString(), "System Units: [kg]-[cm]");
  EXPECT_TRUE(run.messages.calls.empty()) << run.messages.calls.front().text;
}

TEST(TavolinStartUp, SingleElementGoesStraightToItsView) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Input("one", "Software=Ardekon  Version=7.12  Module=tavo  Title=One beam\n"
                                              "NO=0,1,0  Units=[kg]-[cm]\n1   IPE20  L=400\n")));
  ASSERT_TRUE(run.program->constantsWindow()->CmdGo_Click());
  ui::TavolinProgram& p = *run.program;
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Editor);
  EXPECT_EQ(p.activeView(), ui::ActiveView::Editor);
  EXPECT_FALSE(Enabled(p, "tbToolBar_Forward"));
  EXPECT_TRUE(Enabled(p, "tbToolBar_Print"));
  EXPECT_TRUE(ReportText(p).contains("IPE"));
  p.NextID();
  p.PreviousID();
  EXPECT_EQ(p.context().currentIndex, 1);
}

TEST(TavolinStartUp, EmptyCommandLineEndsWithEndOfFileAndTheHandFormBuildsTheWorkingCopy) {
  ProgramRun run;
  ui::TavolinProgram::Options o;
  o.executable = "/nowhere/tavolin";
  o.messages = &run.messages;
  o.launcher = &run.launcher;
  o.quit = [](int) {};
  ui::TavolinProgram bare(o);
  EXPECT_FALSE(bare.Main({}));
  ASSERT_FALSE(run.messages.calls.empty());
  EXPECT_EQ(run.messages.calls.back().text, "End of File!");
  EXPECT_EQ(run.messages.calls.back().title, "Error!");

  const std::string base = run.tree.Example("frame");
  ui::TavolinProgram p(o);
  ASSERT_TRUE(p.Main({"--install", run.tree.install(), base + ".Ardekon"}));
  EXPECT_EQ(p.context().inputBase, base);
  EXPECT_EQ(p.context().installDir, run.tree.install());
  EXPECT_EQ(p.context().language, 'E');
  EXPECT_TRUE(fs::exists(run.tree.install() + "temp/temp~dsn.tmp"));
  EXPECT_EQ(p.context().N, 9);
  // Started by hand there is no suite: leaving says nothing about it.
  p.frame()->close();
  EXPECT_TRUE(p.ended());
  EXPECT_FALSE(run.messages.Saw("main program was not found"));
}

TEST(TavolinStartUp, TableEntryModeOpensTheEntryWindowAfterTheConstants) {
  ProgramRun run;
  const std::string base = run.tree.Example("frame");
  const std::string before = ReadFile(base + ".Ardekon");
  ASSERT_TRUE(run.Start(base, 'E', 'E'));
  EXPECT_EQ(run.program->tableEntry(), nullptr);
  ASSERT_TRUE(run.program->constantsWindow()->CmdGo_Click());
  ASSERT_NE(run.program->tableEntry(), nullptr);
  EXPECT_TRUE(run.program->tableEntry()->isVisible());
  // Nothing is written until Go: the file is the same and no element was designed.
  EXPECT_EQ(ReadFile(base + ".Ardekon"), before);
  EXPECT_EQ(run.program->context().runMode, 'E');
  EXPECT_EQ(run.program->elementList()->shown(), 0);
}

TEST(TavolinStartUp, MissingInputIsReportedAndLeavingStillWorks) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.dir.str() + "nowhere"));
  EXPECT_TRUE(run.messages.Saw("File does not exist"));
  EXPECT_FALSE(run.program->constantsWindow()->continueButton()->isVisibleTo(run.program->frame()));
  EXPECT_FALSE(Enabled(*run.program, "tbToolBar_Forward"));
  run.messages.nextAnswer = Answer::Yes;
  run.program->menu_Exit_Click();
  EXPECT_TRUE(run.program->ended());
}

TEST(TavolinStartUp, HelpModeShowsTheHelpDocumentOrSaysItIsMissing) {
  ProgramRun missing;
  ASSERT_TRUE(missing.Start(missing.tree.Example("frame"), 'E', 'H'));
  EXPECT_TRUE(missing.messages.Saw("Help file does not exist for this module!"));
  EXPECT_FALSE(Enabled(*missing.program, "tbToolBar_Back"));
  EXPECT_FALSE(Enabled(*missing.program, "menu_NextID"));
  EXPECT_TRUE(Enabled(*missing.program, "tbToolBar_Stop"));
  EXPECT_EQ(missing.program->context().N, 0);  // reads nothing

  ProgramRun run;
  fs::create_directories(run.tree.install() + "bin/help");
  {
    QPdfWriter writer(QString::fromStdString(run.tree.install() + "bin/help/tavo.pdf"));
    QPainter painter(&writer);
    painter.drawText(100, 100, "Calculation help");
  }
  ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'E', 'H'));
  EXPECT_FALSE(run.messages.Saw("Help file does not exist"));
  QWidget* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmHelp" && w->isVisible()) help = w;
  ASSERT_NE(help, nullptr);
  auto* document = help->findChild<QPdfDocument*>("pdfDocument");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->pageCount(), 1);
  run.program.reset();
}

TEST(TavolinConstants, OutOfRangeFyIsRedFocusShowsTheRangeAndUnitsConvertTheRows) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  p.frame()->show();
  p.frame()->activateWindow();
  ui::frmConstant* c = p.constantsWindow();
  QFocusEvent in(QEvent::FocusIn);
  QApplication::sendEvent(c->valueBox(1), &in);
  QLabel* hint = c->findChild<QLabel*>("StatusBar1_Panel1");
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->text().toStdString(), "2000 < Fy < 4000 kg/cm²");
  EXPECT_TRUE(hint->font().bold());
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(c->valueBox(1), &out);
  EXPECT_TRUE(hint->text().isEmpty());

  p.chooseUnits = [] { return std::optional<std::string>("[ton]-[m]"); };
  p.Units();
  EXPECT_EQ(c->valueBox(1)->text(), "24000");  // 2400 kg/cm² in ton/m²
  EXPECT_EQ(p.context().constantsUnits, "[ton]-[m]");
  p.Units();  // the same pair again converts nothing
  EXPECT_EQ(c->valueBox(1)->text(), "24000");
  p.chooseUnits = [] { return std::optional<std::string>("[kg]-[cm]"); };
  p.Units();

  c->valueBox(1)->setText("5000");
  c->Constants_change();
  EXPECT_TRUE(c->IsRed(1));
  run.messages.nextAnswer = Answer::Yes;
  EXPECT_FALSE(c->CmdGo_Click());
  EXPECT_EQ(run.messages.calls.back().text, "Please recheck your constants! Do you want to recheck now?");
  EXPECT_EQ(run.messages.calls.back().title, "Warning!");
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Constants);
  run.messages.nextAnswer = Answer::No;  // No: carry on with the value as it stands
  EXPECT_TRUE(c->CmdGo_Click());
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::List);
  EXPECT_DOUBLE_EQ(p.context().fy, 5000);
  c->valueBox(1)->setText("2600");
  c->Constants_change();
  EXPECT_FALSE(c->IsRed(1));
}

TEST(TavolinStepping, NextPreviousHomeAndThumbnailsStayWithinTheElements) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.PreviousID();  // nothing shown yet
  EXPECT_EQ(p.context().currentIndex, 0);
  p.NextID();
  EXPECT_EQ(p.context().currentIndex, 1);
  EXPECT_EQ(p.context().currentId, 1);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Editor);
  EXPECT_FALSE(Enabled(p, "tbToolBar_Back"));
  p.PreviousID();
  EXPECT_EQ(p.context().currentIndex, 1);
  for (int i = 0; i < 12; ++i) p.NextID();
  EXPECT_EQ(p.context().currentIndex, 9);
  EXPECT_FALSE(Enabled(p, "tbToolBar_Forward"));
  EXPECT_TRUE(Enabled(p, "tbToolBar_Back"));
  EXPECT_TRUE(ReportText(p).contains("2UNP20")) << ReportText(p).toStdString();
  p.PreviousID();
  EXPECT_EQ(p.context().currentIndex, 8);
  p.Home();
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::List);
  EXPECT_FALSE(p.drawing()->isVisible());

  p.frame()->show();
  QApplication::processEvents();
  const QRect r = p.elementList()->ThumbnailRect(4);
  ASSERT_TRUE(r.isValid());
  Click(p.elementList()->viewport(), Qt::LeftButton, r.center());
  EXPECT_EQ(p.context().currentIndex, 4);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Editor);
  EXPECT_TRUE(ReportText(p).contains("BOX")) << ReportText(p).toStdString();
}

TEST(TavolinEditor, EveryKindOfChangeRewritesReportAndDrawing) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.frame()->show();
  p.ShowElement(1);  // IPB20, a column
  ui::frmMain* e = p.editor();
  ASSERT_GE(e->visibleRows(), 8);
  const QString before = ReportText(p);
  const QImage pictureBefore = Canvas(p);
  QFocusEvent focus(QEvent::FocusIn);
  QApplication::sendEvent(e->valueBox(1), &focus);
  EXPECT_EQ(p.frame()->statusText(0), "After editing, press Enter to continue");
  // "+" on the size row: the next HE-B; a right click steps back.
  Click(e->stepButton(0), Qt::LeftButton);
  EXPECT_TRUE(ReportText(p).contains("IPB220")) << ReportText(p).toStdString();
  EXPECT_NE(ReportText(p), before);
  EXPECT_NE(Canvas(p), pictureBefore);
  Click(e->stepButton(0), Qt::RightButton);
  EXPECT_TRUE(ReportText(p).contains("IPB200"));
  // A typed cover plate.
  const QImage plainPicture = Canvas(p);
  Type(e->valueBox(1), "200");
  Type(e->valueBox(2), "12");
  EXPECT_TRUE(ReportText(p).contains("2PL200*12")) << ReportText(p).toStdString();
  EXPECT_NE(Canvas(p), plainPicture);
  // The length slider changes the check, not the section.
  const QString withPlates = ReportText(p);
  e->slider(e->visibleRows() - 1)->setValue(900);
  EXPECT_DOUBLE_EQ(e->panel().memberLength(), 900);
  EXPECT_NE(ReportText(p), withPlates);
  // Stepping away and back keeps the edited section, in the list as well.
  p.NextID();
  p.PreviousID();
  EXPECT_TRUE(ReportText(p).contains("2PL200*12"));
  EXPECT_DOUBLE_EQ(e->panel().memberLength(), 900);
  EXPECT_NE(p.elementList()->listModel()->element(0).designation.find("PL"), std::string::npos);
}

TEST(TavolinEditor, BadTypedValueChangesNothingAndTheDrawingSliderDrivesTheRowLastTouched) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(7);  // PG 600*8*250*15
  const QString before = ReportText(p);
  Type(p.editor()->valueBox(0), "six hundred");
  EXPECT_TRUE(run.messages.Saw("Please type a number."));
  EXPECT_EQ(ReportText(p), before);
  EXPECT_EQ(p.editor()->valueBox(0)->text(), "600");
  p.editor()->SetCurrentRow(2);  // bf1
  auto* slider = p.drawing()->findChild<QSlider*>("Slider1");
  ASSERT_NE(slider, nullptr);
  EXPECT_TRUE(slider->isEnabled());
  EXPECT_EQ(slider->value(), 250);
  slider->setValue(300);
  EXPECT_DOUBLE_EQ(p.editor()->member().section.cs.bf1, 30);
  EXPECT_EQ(p.editor()->valueBox(2)->text(), "300");
}

TEST(TavolinEditor, SaveWritesTheReportAsRichText) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(5);
  QString offered;
  const std::string target = run.tree.dir.str() + "beam5.rtf";
  p.editor()->askText = [&](const QString&, const QString& label, const QString& def) {
    offered = def;
    EXPECT_EQ(label, "Output File Name?");
    return std::optional<std::string>(target);
  };
  p.editor()->cmd_save_Click();
  EXPECT_EQ(offered.toStdString(), run.tree.dir.str() + "frame.rtf");
  const std::string rtf = ReadFile(target);
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
  EXPECT_NE(rtf.find("IPE30"), std::string::npos);
  EXPECT_TRUE(run.messages.Saw("File was saved as " + target));
  // An empty answer writes nothing.
  fs::remove(target);
  p.editor()->askText = [](const QString&, const QString&, const QString&) { return std::optional<std::string>(""); };
  p.editor()->cmd_save_Click();
  EXPECT_FALSE(fs::exists(target));
}

TEST(TavolinDrawing, ButtonsZoomAndReturnHome) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.frame()->show();
  p.ShowElement(2);
  QApplication::processEvents();
  ui::frmDraw* d = p.drawing();
  const double home = d->model().canvas().width;
  ASSERT_GT(home, 0);
  d->findChild<QToolButton*>("Command1")->click();
  EXPECT_NEAR(d->model().canvas().width, home * 1.2, 1e-6);
  auto* canvas = d->findChild<QWidget*>("Picture2");
  EXPECT_NEAR(canvas->width(), home * 1.2 / d->twipsPerPixel(), 1.0);
  d->findChild<QScrollBar*>("HScroll1")->setValue(50);
  EXPECT_NEAR(canvas->x(), -canvas->width() / 2.0, 1.0);
  d->findChild<QToolButton*>("Command3")->click();
  EXPECT_NEAR(d->model().canvas().width, home, 1e-6);
  p.frame()->action("menu_ShowGrid")->trigger();
  EXPECT_TRUE(d->grid());
  EXPECT_EQ(canvas->pos(), QPoint(0, 0));
  EXPECT_EQ(d->findChild<QScrollBar*>("HScroll1")->value(), 0);
}

TEST(TavolinElementList, CancelEndsThePassWithTheElementsDone) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  // Pressed as soon as the pass lets events through, i.e. after the first element.
  QTimer::singleShot(0, p.progress(), [&p] { p.progress()->cancelButton()->click(); });
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_TRUE(p.pass().cancelled);
  EXPECT_EQ(p.context().N, 1);
  EXPECT_EQ(p.elementList()->shown(), 1);
}

TEST(TavolinElementList, TenThousandElementsDrawOnlyWhatIsSeen) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  ElementTable table;
  const char* designations[] = {"IPE20", "2UNP20  (d=12)", "PG 600*8*250*15", "BOX 300*10*300*15"};
  for (int i = 1; i <= 10000; ++i)
    table.Append({static_cast<int16_t>(i), std::to_string(i) + " " + designations[i % 4]}, ElementSummary{});
  ui::ElementList* list = p.elementList();
  ASSERT_TRUE(list->SetElements(table, 10000));
  p.frame()->ShowPage(frmMDI::Page::List);
  p.frame()->show();
  QApplication::processEvents();
  list->viewport()->grab();
  const int first = list->delegate()->rendered();
  EXPECT_GT(first, 0);
  EXPECT_LT(first, 200);
  list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
  list->viewport()->grab();
  EXPECT_LT(list->delegate()->rendered(), 400);
  EXPECT_LE(list->delegate()->cached(), 600);
  // More than the 16-bit counts of old are listed: the list keeps nothing per element.
  for (int i = 10001; i <= 40000; ++i)
    table.Append({static_cast<int16_t>(i % 30000), std::to_string(i) + " " + designations[i % 4]}, ElementSummary{});
  EXPECT_TRUE(list->SetElements(table, 40000));
  EXPECT_EQ(list->shown(), 40000);
  EXPECT_EQ(list->listModel()->element(39999).designation, "IPE20");
  list->scrollTo(list->listModel()->index(39999));
  list->viewport()->grab();
  EXPECT_LE(list->delegate()->cached(), 600);
  // Beyond the list's capacity the rest stay in N but get no thumbnail.
  list->SetCapacity(30000);
  EXPECT_FALSE(list->SetElements(table, 40000));
  EXPECT_EQ(list->shown(), 30000);
}

TEST(TavolinExit, ConfirmedExitRunsTheReturnSequenceAndTrappedErrorsGoBackToo) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  run.messages.nextAnswer = Answer::No;
  p.menu_Exit_Click();
  EXPECT_FALSE(p.ended());
  EXPECT_TRUE(run.launcher.calls.empty());
  const auto& ask = run.messages.calls.back();
  EXPECT_TRUE(ask.question);
  EXPECT_EQ(ask.text, "You are about to stop this module and return to the main menu. Are You Sure?");
  EXPECT_EQ(ask.title, "Exiting...");
  EXPECT_FALSE(ask.rightToLeft);
  ASSERT_TRUE(fs::exists(run.tree.install() + "temp/temp~dsn.tmp"));
  run.messages.nextAnswer = Answer::Yes;
  p.menu_Exit_Click();
  EXPECT_TRUE(p.ended());
  EXPECT_EQ(run.quitCode, 0);
  ASSERT_EQ(run.launcher.calls.size(), 1u);
  EXPECT_EQ(fs::path(run.launcher.calls[0].program), fs::path(run.tree.install() + "ardekon"));
  EXPECT_EQ(run.launcher.calls[0].arguments, std::vector<std::string>{"Returned_Back:tavo"});
  EXPECT_FALSE(fs::exists(run.tree.install() + "temp/temp~dsn.tmp"));
  EXPECT_EQ(p.activeView(), ui::ActiveView::Exit);

  ProgramRun trapped;
  ASSERT_TRUE(trapped.StartFrameAndContinue());
  trapped.program->TrapError(
      ui::DescribeException(std::make_exception_ptr(std::out_of_range("element 12")), "frmMain.cmd_save"));
  EXPECT_TRUE(trapped.messages.Saw("Subscript out of range: element 12 In <frmMain.cmd_save> (Error Code=9)"));
  EXPECT_TRUE(trapped.program->ended());
  EXPECT_EQ(trapped.launcher.calls.size(), 1u);
  const ui::TrappedError io = ui::DescribeException(
      std::make_exception_ptr(std::system_error(std::make_error_code(std::errc::no_space_on_device))), "Main");
  EXPECT_EQ(io.number, static_cast<long>(ENOSPC));
  EXPECT_EQ(ui::TrapMessage({"Overflow", "Main", 6}), "Overflow In <Main> (Error Code=6)");
}

TEST(TavolinExit, PersianQuestionReadsRightToLeftAndClosingTheFrameReturnsWithoutAsking) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'F'));
  EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
  run.messages.nextAnswer = Answer::No;
  run.program->menu_Exit_Click();
  const auto ask = run.messages.calls.back();
  EXPECT_TRUE(ask.rightToLeft);
  EXPECT_NE(ask.text.find("مطمئن"), std::string::npos);
  EXPECT_EQ(ask.title, "در حال خروج");
  EXPECT_EQ(run.program->frame()->action("menu_NextID")->text(), QString::fromUtf8("عضو بعدی"));
  run.program->frame()->show();
  run.messages.calls.clear();
  run.program->frame()->close();
  EXPECT_TRUE(run.program->ended());
  EXPECT_EQ(run.launcher.calls.size(), 1u);
  for (const auto& c : run.messages.calls) EXPECT_FALSE(c.question);
}

TEST(TavolinTools, CalculatorStartsOneOnThePathOrSaysThereIsNone) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  const QByteArray savedPath = qgetenv("PATH");
  const std::string bin = run.tree.dir.str() + "bin";
  fs::create_directories(bin);
  qputenv("PATH", QByteArray::fromStdString(bin));
  run.program->Calculator();
  EXPECT_TRUE(run.launcher.calls.empty());
  EXPECT_TRUE(run.messages.Saw("No calculator program was found."));
  const fs::path xcalc = fs::path(bin) / "xcalc";
  run.tree.dir.Write("bin/xcalc", "#!/bin/sh\n");
  fs::permissions(xcalc, fs::perms::owner_all);
  run.program->Calculator();
  qputenv("PATH", savedPath);
  ASSERT_EQ(run.launcher.calls.size(), 1u);
  EXPECT_EQ(fs::path(run.launcher.calls[0].program), xcalc);
}

TEST(TavolinTools, InformationReopensTheConstantsFromTheEditor) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  p.ShowElement(5);
  const QString before = ReportText(p);
  p.ConstantsHelp();
  EXPECT_EQ(p.activeView(), ui::ActiveView::ConstantsOverEditor);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Constants);
  EXPECT_EQ(p.drawing()->content(), ui::frmDraw::Content::Sketch);
  p.constantsWindow()->valueBox(1)->setText("3600");
  const UnitSystem display = p.context().displayUnits;
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_EQ(p.activeView(), ui::ActiveView::Editor);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Editor);
  EXPECT_DOUBLE_EQ(p.context().fy, 3600);
  EXPECT_EQ(p.context().displayUnits.Text(), display.Text());  // reopened: units not reset
  EXPECT_NE(ReportText(p), before);  // checked again with the new Fy
  EXPECT_EQ(p.drawing()->content(), ui::frmDraw::Content::Section);
  // Opened from the editor and left by Home, Continue later goes back without a second pass.
  p.ConstantsHelp();
  p.Home();
  p.ConstantsHelp();
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::List);
  EXPECT_EQ(p.context().N, 9);
  EXPECT_EQ(p.elementList()->shown(), 9);
}

}  // namespace
}  // namespace tavo::test
