// What a desktop user expects of the frame: opening files (dialog, recent list, drops), the
// standard shortcuts, the window's place kept between runs, the help's links, Persian message
// boxes in Persian, left-to-right pieces of Persian lines in their own order, and the element
// listing left where the command line leaves it.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "core/bidi.h"
#include "ui/frm_constant.h"
#include "ui/frm_mdi.h"
#include "ui/help_view.h"
#include "ui/path_label.h"
#include "ui/qt_messages.h"
#include "ui/tavolin_program.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;
using ui::frmMDI;

const QChar kLriChar(0x2066), kPdiChar(0x2069);

// A frame on its own, active, with nothing remembered from before.
struct LoneFrame {
  ModuleContext ctx;
  std::unique_ptr<frmMDI> frame;
  explicit LoneFrame(char language = 'E') {
    ClearDesktopSettings();
    ctx.language = language;
    frame = std::make_unique<frmMDI>(ctx);
    ShowActive(frame.get());
  }
  ~LoneFrame() {
    frame->SetEnding(true);
    frame.reset();
    ClearDesktopSettings();
  }
};

QMimeData* UrlsMime(const QStringList& paths) {
  auto* mime = new QMimeData;
  QList<QUrl> urls;
  for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
  mime->setUrls(urls);
  return mime;
}

// Drags the files over the widget and drops them; true when the drop was taken.
bool Drop(QWidget* target, const QStringList& paths) {
  std::unique_ptr<QMimeData> mime(UrlsMime(paths));
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

// --- Shortcuts -----------------------------------------------------------------------------

TEST(DesktopShortcuts, StandardKeysRunTheirCommands) {
  LoneFrame f;
  frmMDI& frame = *f.frame;
  frame.Enable_Icons();
  frame.tbToolBarUpdate(1, 3);
  QSignalSpy print(&frame, &frmMDI::print), exit(&frame, &frmMDI::exitRequested),
      help(&frame, &frmMDI::information), open(&frame, &frmMDI::openFile);
  int saves = 0;
  EXPECT_FALSE(frame.action("menu_SaveInput")->isEnabled());  // nothing saves yet
  QObject::connect(&frame, &frmMDI::saveInput, [&saves] { ++saves; });
  EXPECT_TRUE(frame.action("menu_SaveInput")->isEnabled());
  int asked = 0;
  frame.chooseFile = [&asked] {
    ++asked;
    return QString("/data/frames/tower.Ardekon");
  };

  QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
  QTest::keyClick(&frame, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(&frame, Qt::Key_F1);
  QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(print.count(), 1);
  EXPECT_EQ(exit.count(), 1);
  EXPECT_EQ(help.count(), 1);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(open.count(), 1);
  EXPECT_EQ(open.at(0).at(0).toString(), "/data/frames/tower.Ardekon");

  // A cancelled dialog opens nothing.
  frame.chooseFile = [] { return QString(); };
  QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(open.count(), 1);
}

// --- Drops ---------------------------------------------------------------------------------

TEST(DesktopDrop, OnlyInputFilesAreTakenAndTheFirstOneOpens) {
  LoneFrame f;
  QSignalSpy open(f.frame.get(), &frmMDI::openFile);
  EXPECT_FALSE(Drop(f.frame.get(), {"/tmp/notes.txt"}));
  EXPECT_EQ(open.count(), 0);
  EXPECT_TRUE(Drop(f.frame.get(), {"/tmp/notes.txt", "/tmp/a/frame.ARDEKON", "/tmp/b.Ardekon"}));
  ASSERT_EQ(open.count(), 1);
  EXPECT_EQ(open.at(0).at(0).toString(), "/tmp/a/frame.ARDEKON");
}

TEST(DesktopDrop, ADroppedFileRunsAsTheCommandLineWould) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  const int firstN = p.context().N;
  const std::string tower = run.tree.Example("tower_ton_m");
  ASSERT_TRUE(Drop(p.frame(), {QString::fromStdString(tower + ".Ardekon")}));

  // The constants of the new file first, its name in the caption, as at start-up.
  EXPECT_EQ(p.context().inputBase, tower);
  EXPECT_EQ(p.context().runMode, 'I');
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::Constants);
  EXPECT_TRUE(p.frame()->windowTitle().contains("tower_ton_m"));
  EXPECT_TRUE(p.constantsWindow()->continueButton()->isVisible());
  ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
  EXPECT_EQ(p.pass().N, p.context().N);
  EXPECT_NE(p.context().N, firstN);
  EXPECT_EQ(static_cast<int>(p.elements().size()), p.context().N);
  // Newest first in File > Recent files.
  const QStringList recent = p.frame()->RecentFiles();
  ASSERT_GE(recent.size(), 2);
  EXPECT_EQ(recent[0], QString::fromStdString(tower + ".Ardekon"));
}

TEST(DesktopOpen, MissingAndForeignFilesAreToldAndChangeNothing) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  const std::string base = p.context().inputBase;
  const int n = p.context().N;
  const QString gone = QString::fromStdString(run.tree.dir.str() + "gone.Ardekon");
  p.frame()->AddRecentFile(gone);
  p.frame()->action("menu_Recent_1")->trigger();
  EXPECT_TRUE(run.messages.Saw("The file does not exist: " + gone.toStdString()));
  EXPECT_FALSE(p.frame()->RecentFiles().contains(gone));  // dropped from the list
  EXPECT_FALSE(p.OpenFile(run.tree.dir.str() + "notes.txt"));
  EXPECT_TRUE(run.messages.Saw("Only input files (.Ardekon) can be opened"));
  EXPECT_EQ(p.context().inputBase, base);
  EXPECT_EQ(p.context().N, n);
  EXPECT_EQ(p.frame()->page(), frmMDI::Page::List);
}

// --- Remembered between runs ---------------------------------------------------------------

TEST(DesktopSettings, RecentFilesFolderAndGeometryRoundTrip) {
  ClearDesktopSettings();
  ScratchDir dir;
  ModuleContext ctx;
  {
    frmMDI frame(ctx);
    for (int i = 1; i <= 10; ++i) frame.AddRecentFile(QString::fromStdString(dir.str() + "f" + std::to_string(i) + ".Ardekon"));
    frame.AddRecentFile(QString::fromStdString(dir.str() + "f5.Ardekon"));  // again: to the top, once
    frame.setGeometry(40, 50, 1111, 777);
    frame.SaveGeometry();
    frame.SetEnding(true);
  }
  frmMDI again(ctx);
  const QStringList recent = again.RecentFiles();
  ASSERT_EQ(recent.size(), ui::kRecentFiles);
  EXPECT_EQ(recent[0], QString::fromStdString(dir.str() + "f5.Ardekon"));
  EXPECT_EQ(recent[1], QString::fromStdString(dir.str() + "f10.Ardekon"));
  EXPECT_EQ(recent.count(QString::fromStdString(dir.str() + "f5.Ardekon")), 1);
  EXPECT_FALSE(recent.contains(QString::fromStdString(dir.str() + "f1.Ardekon")));  // the oldest went
  EXPECT_EQ(again.LastFolder(), QString::fromStdString(dir.path().string()));
  // The menu lists them in that order and each entry opens its file.
  ASSERT_NE(again.action("menu_Recent_8"), nullptr);
  EXPECT_EQ(again.action("menu_Recent_9"), nullptr);
  QSignalSpy open(&again, &frmMDI::openFile);
  again.action("menu_Recent_2")->trigger();
  ASSERT_EQ(open.count(), 1);
  EXPECT_EQ(open.at(0).at(0).toString(), recent[1]);
  ASSERT_TRUE(again.RestoreGeometry());
  EXPECT_EQ(again.size(), QSize(1111, 777));
  again.SetEnding(true);
  ClearDesktopSettings();
  EXPECT_FALSE(again.RestoreGeometry());
}

TEST(DesktopSettings, TheProgramOpensWhereTheFrameWasClosed) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  run.program->frame()->resize(1234, 765);
  run.program->frame()->close();  // closing also ends the run
  EXPECT_TRUE(run.program->ended());
  // A second run in the same account: started by hand so the settings are not cleared.
  ui::TavolinProgram::Options o;
  o.executable = run.tree.install() + "tavolin";
  o.messages = &run.messages;
  o.launcher = &run.launcher;
  o.quit = [](int) {};
  ui::TavolinProgram second(o);
  ASSERT_TRUE(second.Main({"--install", run.tree.install(), run.tree.dir.str() + "frame.Ardekon"}));
  EXPECT_EQ(second.frame()->size(), QSize(1234, 765));
  EXPECT_EQ(second.frame()->RecentFiles().value(0), QString::fromStdString(run.tree.dir.str() + "frame.Ardekon"));
}

// --- Persian message boxes -------------------------------------------------------------------

struct ButtonTexts {
  QStringList texts;
  QString body;
  explicit ButtonTexts(QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* b : box->buttons()) texts << b->text();
      texts.sort();
      body = box->text();
      box->done(answer);
    });
  }
};

TEST(DesktopMessages, ButtonsSpeakTheMessagesLanguage) {
  ui::QtMessages messages;
  ASSERT_TRUE(ui::ApplyLanguage('F'));
  {
    ButtonTexts seen(QMessageBox::No);
    EXPECT_EQ(messages.Ask("آیا فایل /tmp/x/frame_Out.rtf را می‌بینید؟", "Tavolin", Buttons::YesNoCancel, Answer::Yes, true),
              Answer::No);
    QStringList persian = {QString::fromUtf8("بله"), QString::fromUtf8("خیر"), QString::fromUtf8("انصراف")};
    persian.sort();
    EXPECT_EQ(seen.texts, persian);
    // The path keeps its order inside the Persian sentence.
    EXPECT_TRUE(seen.body.contains(QString(kLriChar) + "/tmp/x/frame_Out.rtf" + QString(kPdiChar))) << seen.body.toStdString();
  }
  {
    ButtonTexts seen(QMessageBox::Ok);
    messages.Show("پیام", "Tavolin", MessageKind::Information, true);
    EXPECT_EQ(seen.texts, QStringList{QString::fromUtf8("تأیید")});
  }
  ui::ApplyLanguage('E');
  {
    ButtonTexts seen(QMessageBox::Yes);
    EXPECT_EQ(messages.Ask("Sure? /tmp/x", "Tavolin", Buttons::YesNoCancel, Answer::No, false), Answer::Yes);
    EXPECT_EQ(seen.texts, (QStringList{"Cancel", "No", "Yes"}));
    EXPECT_EQ(seen.body, "Sure? /tmp/x");  // English text is left as written
  }
}

// --- Left-to-right pieces in Persian lines ---------------------------------------------------------

// Where two characters of a line land when it is laid out right to left.
std::pair<qreal, qreal> VisualX(const QString& line, int first, int second) {
  QTextLayout layout(line, QFont("Noto Naskh Arabic"));
  QTextOption option;
  option.setTextDirection(Qt::RightToLeft);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine l = layout.createLine();
  l.setLineWidth(2000);
  layout.endLayout();
  // The leading edge of each character: inside a run it is the character's own left edge.
  return {l.cursorToX(first, QTextLine::Leading), l.cursorToX(second, QTextLine::Leading)};
}

TEST(DesktopBidi, IsolatedUnitPairsAndPathsKeepTheirOrderWhenLaidOutRightToLeft) {
  const QString plain = QString::fromUtf8("واحدهای سیستم: [kg]-[cm]");
  const QString isolated = QString::fromStdString(IsolateLtrRuns(plain.toStdString()));
  ASSERT_TRUE(isolated.contains(kLriChar));
  // Without the marks the pair is turned round ("[cm]-[kg]"); with them "kg" stays left of "cm".
  const auto [kgPlain, cmPlain] = VisualX(plain, static_cast<int>(plain.indexOf("kg")), static_cast<int>(plain.indexOf("cm")));
  EXPECT_GT(kgPlain, cmPlain);
  const auto [kg, cm] = VisualX(isolated, static_cast<int>(isolated.indexOf("kg")), static_cast<int>(isolated.indexOf("cm")));
  EXPECT_LT(kg, cm);

  // Without the marks the path's leading slash goes to its right end ("tmp/frame.Ardekon/"):
  // the cursor after the slash lands right of the path's last letter instead of at its left.
  const QString bare = QString::fromUtf8("فایل ورودی = /tmp/frame.Ardekon");
  const auto [afterSlashBare, lastBare] = VisualX(bare, static_cast<int>(bare.indexOf("tmp")), static_cast<int>(bare.lastIndexOf('n')));
  EXPECT_GT(afterSlashBare, lastBare);
  const QString path = QString::fromStdString(IsolateLtrRuns(bare.toStdString()));
  const auto [afterSlash, last] = VisualX(path, static_cast<int>(path.indexOf("tmp")), static_cast<int>(path.lastIndexOf('n')));
  EXPECT_LT(afterSlash, last);
}

TEST(DesktopBidi, PersianFrameConstantsAndStatusLinesCarryTheMarks) {
  ProgramRun run;
  ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'F'));
  ui::TavolinProgram& p = *run.program;
  const QString file = QString::fromStdString(p.context().InputFile());
  EXPECT_TRUE(p.frame()->windowTitle().contains(kLriChar));
  auto* summary = p.constantsWindow()->findChild<ui::PathLabel*>("lblSummary_0");
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->path(), file);
  EXPECT_EQ(summary->toolTip(), file);
  EXPECT_TRUE(summary->text().contains(QString(kLriChar) + summary->shownPath() + QString(kPdiChar)));
  p.frame()->ShowStatus(2, QString::fromUtf8("عضو 3 از 10"));
  EXPECT_EQ(p.frame()->statusText(2), QString::fromUtf8("عضو ") + kLriChar + "3" + kPdiChar + QString::fromUtf8(" از ") +
                                          kLriChar + "10" + kPdiChar);
}

TEST(DesktopPathLabel, ThePathIsWholeWhereItFitsAndElidedInTheMiddleWhereNot) {
  ui::PathLabel label;
  const QString path = "/home/user/projects/a rather long folder name/frames/tower_ton_m.Ardekon";
  label.SetPath("Input File = ", path, false);
  label.resize(label.sizeHint());
  label.show();
  EXPECT_EQ(label.shownPath(), path);
  EXPECT_EQ(label.text(), "Input File = " + path);
  label.resize(label.sizeHint().width() / 2, label.height());
  EXPECT_NE(label.shownPath(), path);
  EXPECT_TRUE(label.shownPath().contains(QChar(0x2026)));
  EXPECT_TRUE(label.shownPath().startsWith("/home"));
  EXPECT_TRUE(label.shownPath().endsWith(".Ardekon"));
  EXPECT_EQ(label.toolTip(), path);
  label.resize(label.sizeHint());
  EXPECT_EQ(label.shownPath(), path);
}

// --- Help links ----------------------------------------------------------------------------

// A three-page help whose first page links to the later ones as the calculation help does.
void WriteLinkedHelp(const std::string& pdf) {
  fs::create_directories(fs::path(pdf).parent_path());
  QPdfWriter writer(QString::fromStdString(pdf));
  QTextDocument document;
  document.setHtml("<p>Contents</p><ul><li><a href=\"#second\">Chapter 2</a> first</li>"
                   "<li><a href=\"#third\">Chapter 3</a> then</li></ul>"
                   "<h1 style=\"page-break-before: always\">Second</h1><p>two</p>"
                   "<h1 style=\"page-break-before: always\">Third</h1><p>three</p>");
  document.print(&writer);
  std::ofstream(fs::path(pdf).replace_extension(".anchors")) << "second\t2\nthird\t3\n";
}

TEST(DesktopHelp, LinkAreasAreWhereTheirTextIs) {
  ScratchDir dir;
  WriteLinkedHelp(dir.str() + "help.pdf");
  std::ifstream in(dir.str() + "help.pdf", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const QVector<ui::PdfLink> links = ui::ReadPdfLinks(QByteArray::fromStdString(bytes));
  ASSERT_EQ(links.size(), 2);
  QPdfDocument document;
  ASSERT_EQ(document.load(QString::fromStdString(dir.str() + "help.pdf")), QPdfDocument::Error::None);
  const QString text = document.getAllText(0).text();
  for (const auto& [target, caption] : {std::pair{"#second", "Chapter 2"}, std::pair{"#third", "Chapter 3"}}) {
    const char* wanted = target;  // clang before 16 cannot capture a structured binding
    const auto link = std::find_if(links.begin(), links.end(), [&](const ui::PdfLink& l) { return l.target == wanted; });
    ASSERT_NE(link, links.end()) << target;
    EXPECT_EQ(link->page, 0);
    const int at = static_cast<int>(text.indexOf(caption));
    ASSERT_GE(at, 0);
    const QRectF words = document.getSelectionAtIndex(0, at, 9).boundingRectangle();
    EXPECT_TRUE(link->rect.intersects(words)) << target;
  }
  EXPECT_TRUE(ui::ReadPdfLinks("not a pdf").isEmpty());
}

TEST(DesktopHelp, AClickOnAChapterLinkOpensItsPage) {
  ProgramRun run;
  WriteLinkedHelp(run.tree.install() + "bin/help/tavo.pdf");
  ASSERT_TRUE(run.Start(run.tree.Example("frame")));
  ui::TavolinProgram& p = *run.program;
  ASSERT_TRUE(p.OpenHelp({}));
  auto* view = p.helpWindow()->findChild<ui::HelpView*>("pdfHelp");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(p.helpPage(), 0);
  const auto click = [&](const char* target) {
    for (const ui::PdfLink& link : view->links()) {
      if (link.target != target) continue;
      const QRect page = view->pageRect(link.page);
      const double scale = page.width() / view->document()->pagePointSize(link.page).width();
      const QPoint at = page.topLeft() + (link.rect.center() * scale).toPoint();
      view->JumpToPage(link.page);
      QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, at);
      return;
    }
    ADD_FAILURE() << "no link to " << target;
  };
  click("#third");
  EXPECT_EQ(p.helpPage(), 2);
  click("#second");
  EXPECT_EQ(p.helpPage(), 1);
  // A click beside the links leaves the page alone.
  QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, view->pageRect(1).center());
  EXPECT_EQ(p.helpPage(), 1);
  run.program.reset();
}

// --- The element listing -----------------------------------------------------------------------

TEST(DesktopListing, TheListingStaysBesideTheInputAfterExit) {
  ProgramRun run;
  ASSERT_TRUE(run.StartFrameAndContinue());
  ui::TavolinProgram& p = *run.program;
  run.messages.nextAnswer = Answer::No;  // not viewing the files
  p.Results();
  const fs::path listing = fs::path(p.context().inputDir) / "book.tmp";
  ASSERT_TRUE(fs::exists(listing));
  EXPECT_GT(fs::file_size(listing), 0u);
  run.messages.nextAnswer = Answer::Yes;
  p.menu_Exit_Click();
  ASSERT_TRUE(p.ended());
  EXPECT_TRUE(fs::exists(listing));
  EXPECT_GT(fs::file_size(listing), 0u);
  EXPECT_FALSE(fs::exists(fs::path(p.context().tempDir) / "book.tmp"));
}

}  // namespace
}  // namespace tavo::test
