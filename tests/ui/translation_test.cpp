// The desktop's translations: the compiled Persian translation turns the real windows'
// captions Persian and the application right to left, English leaves the source texts; and
// every text the windows pass through tr() has a finished Persian translation.
#include "ui/translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QXmlStreamReader>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

#include "ui/frm_constant.h"
#include "ui/frm_mdi.h"
#include "ui/qt_messages.h"
#include "ui/tavolin_application.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The buttons of the message box the next exec() opens, and its direction; answers No.
struct BoxButtons {
  QStringList texts;
  Qt::LayoutDirection direction = Qt::LeftToRight;
  BoxButtons() {
    QTimer::singleShot(0, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        texts << (box->button(b) ? box->button(b)->text() : QString());
      direction = box->layoutDirection();
      box->done(QMessageBox::No);
    });
  }
};

QStringList AskedButtons(const char* text) {
  ui::QtMessages messages;
  BoxButtons seen;
  messages.Ask(text, "t", Buttons::YesNoCancel, Answer::No, false);
  return seen.texts;
}

TEST(DesktopTranslation, PersianRunShowsTranslatedMenusToolbarConstantsAndBoxButtons) {
  {
    ProgramRun run;
    ASSERT_TRUE(run.Start(run.tree.Example("frame"), 'F'));
    EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    ui::frmMDI* frame = run.program->frame();
    const std::map<std::string, const char*> menus = {
        {"menu_File", "فایل"},          {"menu_Open", "باز کردن"},     {"menu_NextID", "عضو بعدی"},
        {"menu_Exit", "خروج"},          {"menu_Tools", "ابزارها"},      {"menu_Constants", "ثابت‌ها"},
        {"menu_Help", "راهنما"},        {"menu_Recent", "پرونده‌های اخیر"}, {"menu_Font_English", "انگلیسی"},
        {"tbToolBar_Back", "قبلی"},     {"tbToolBar_Stop", "توقف"},     {"tbToolBar_Results", "نتایج"},
        {"tbToolBar_Units", "واحدها"},
    };
    for (const auto& [name, persian] : menus) {
      ASSERT_NE(frame->action(name), nullptr) << name;
      EXPECT_EQ(frame->action(name)->text(), U(persian)) << name;
    }
    // A toolbar button with its own tooltip, and one whose tooltip is its caption.
    EXPECT_EQ(frame->action("tbToolBar_Stop")->toolTip(), U("توقف و بازگشت به منوی اصلی"));
    EXPECT_EQ(frame->action("tbToolBar_Print")->toolTip(), U("چاپ"));

    ui::frmConstant* constants = run.program->constantsWindow();
    EXPECT_EQ(constants->windowTitle(), U("ثابت‌های طراحی"));
    EXPECT_EQ(constants->continueButton()->text(), U("ادامه"));
    EXPECT_EQ(constants->findChild<QPushButton*>("cmdABA")->text(), U("آیین‌نامه طراحی"));
    EXPECT_EQ(constants->findChild<QGroupBox*>("fraConstants")->title(), U("ثابت‌های طراحی"));
    // The status line's unit pair keeps its left-to-right order inside the Persian words.
    EXPECT_TRUE(frame->statusText(1).startsWith(U("واحدهای سیستم: "))) << frame->statusText(1).toStdString();

    BoxButtons seen;
    ui::QtMessages messages;
    messages.Ask("?", "t", Buttons::YesNoCancel, Answer::No, true);
    EXPECT_EQ(seen.texts, (QStringList{U("بله"), U("خیر"), U("انصراف")}));
    EXPECT_EQ(seen.direction, Qt::RightToLeft);
  }
  // The run is over: English again, left to right, nothing of the Persian translation left.
  EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(AskedButtons("?"), (QStringList{"Yes", "No", "Cancel"}));
}

TEST(DesktopTranslation, EnglishNeedsNoTranslationAndOtherLettersFallBackToIt) {
  EXPECT_EQ(ui::LanguageCode('F'), "fa");
  EXPECT_EQ(ui::LanguageCode('E'), "en");
  EXPECT_EQ(ui::LanguageCode('?'), "en");
  ASSERT_TRUE(ui::ApplyLanguage('F'));
  EXPECT_EQ(AskedButtons("?")[0], U("بله"));
  // The error trap's descriptions too, with what the exception said kept as it was.
  EXPECT_EQ(ui::DescribeException(std::make_exception_ptr(std::out_of_range("row 9")), "x").description,
            "اندیس خارج از محدوده: row 9");
  // Switching back removes the translator rather than stacking a second one.
  EXPECT_TRUE(ui::ApplyLanguage('x'));
  EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(AskedButtons("?")[0], "Yes");
}

// --- The translation file against the sources --------------------------------------------------

struct Entry {
  QString translation;
  bool unfinished = false;
};

// An element's text with Linguist's <byte value="xd"/> for characters XML cannot hold.
QString ElementText(QXmlStreamReader& xml) {
  QString text;
  for (int depth = 1; depth > 0 && !xml.atEnd();) {
    switch (xml.readNext()) {
      case QXmlStreamReader::Characters: text += xml.text(); break;
      case QXmlStreamReader::StartElement:
        ++depth;
        if (xml.name() == u"byte") text += QChar(xml.attributes().value("value").mid(1).toUInt(nullptr, 16));
        break;
      case QXmlStreamReader::EndElement: --depth; break;
      default: break;
    }
  }
  return text;
}

// Source text -> its translations, from Qt Linguist's XML (a source used in several windows
// appears once per window).
std::multimap<QString, Entry> ReadTs(const QString& path, QString* error) {
  std::multimap<QString, Entry> out;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = "cannot open " + path;
    return out;
  }
  QXmlStreamReader xml(&file);
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"source") {
      source = ElementText(xml);
    } else if (xml.name() == u"translation") {
      Entry e;
      e.unfinished = xml.attributes().value("type") == u"unfinished";
      e.translation = ElementText(xml);
      out.emplace(source, e);
    }
  }
  if (xml.hasError()) *error = xml.errorString();
  return out;
}

// The texts a source file hands to tr(), QT_TR_NOOP, QT_TRANSLATE_NOOP or translate(), with
// adjacent literals joined and the escapes the windows use (\" \\ \n \r) resolved.
QStringList TrTexts(const QString& code) {
  static const QRegularExpression call(
      R"re((?:\btr|QT_TR_NOOP|(?:QT_TRANSLATE_NOOP|translate)\(\s*"[^"]*"\s*,)\s*\(?\s*((?:"(?:[^"\\]|\\.)*"\s*)+))re");
  static const QRegularExpression literal(R"re("((?:[^"\\]|\\.)*)")re");
  QStringList out;
  for (auto m = call.globalMatch(code); m.hasNext();) {
    QString text;
    for (auto l = literal.globalMatch(m.next().captured(1)); l.hasNext();) text += l.next().captured(1);
    text.replace("\\\"", "\"").replace("\\n", "\n").replace("\\r", "\r").replace("\\\\", "\\");
    out << text;
  }
  return out;
}

QSet<QString> Placeholders(const QString& text) {
  static const QRegularExpression marker("%\\d+");
  QSet<QString> out;
  for (auto m = marker.globalMatch(text); m.hasNext();) out.insert(m.next().captured());
  return out;
}

TEST(DesktopTranslation, EveryWindowTextHasAFinishedPersianTranslationWithItsPlaceholders) {
  QString error;
  const auto ts = ReadTs(QString::fromStdString(SourcePath("translations/tavolin_fa.ts")), &error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  ASSERT_FALSE(ts.empty());
  for (const auto& [source, entry] : ts) {
    EXPECT_FALSE(entry.unfinished) << source.toStdString();
    EXPECT_FALSE(entry.translation.trimmed().isEmpty()) << source.toStdString();
    EXPECT_NE(entry.translation, source) << "left in English: " << source.toStdString();
    EXPECT_EQ(Placeholders(entry.translation), Placeholders(source)) << source.toStdString();
  }

  int found = 0;
  for (const auto& f : fs::directory_iterator(SourcePath("src/ui"))) {
    if (f.path().extension() != ".cpp" && f.path().extension() != ".h") continue;
    for (const QString& text : TrTexts(QString::fromStdString(ReadFile(f.path())))) {
      ++found;
      EXPECT_TRUE(ts.count(text)) << f.path().filename().string() << ": no translation for \"" << text.toStdString()
                                  << "\"";
    }
  }
  // The scan itself works: the menus alone hand over dozens of texts.
  EXPECT_GT(found, 100);
}

TEST(DesktopTranslation, SourceScanJoinsLiteralsAndResolvesEscapes) {
  const QStringList texts = TrTexts(R"(tr("a \"b\"\r\n" "c"); QT_TR_NOOP("d"); x.str("no"); )"
                                    R"(QCoreApplication::translate("Ctx", "e %1"); QT_TRANSLATE_NOOP("Ctx", "f"))");
  EXPECT_EQ(texts, (QStringList{"a \"b\"\r\nc", "d", "e %1", "f"}));
}

}  // namespace
}  // namespace tavo::test
