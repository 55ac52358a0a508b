// The calculation help document as the build prints it (bin/help/tavo.pdf and tavo_fa.pdf):
// both editions open, carry their page numbers, explain every section family, give the check
// formulas, show the figures, and their anchor lists point at the pages where the sections
// start (the help viewer opens the document there).
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>
#include <QStringList>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#ifndef TAVO_HELP_DIR
#error "TAVO_HELP_DIR must name the folder of the printed help documents"
#endif

namespace {

const QString kHelpDir = QStringLiteral(TAVO_HELP_DIR);

// QPdfDocument needs an application object; one for the whole test program.
void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "test_help";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

// Text as a reader searches it: compatibility forms folded (the Persian letters come out of
// the PDF in their contextual forms), zero-width non-joiners and bidi marks dropped,
// non-breaking blanks made plain and runs of blanks made one.
QString Searchable(const QString& text) {
  QString t = text.normalized(QString::NormalizationForm_KC);
  QString out;
  out.reserve(t.size());
  for (const QChar c : t) {
    const char16_t u = c.unicode();
    if (u == 0x200C || u == 0x200E || u == 0x200F || (u >= 0x2066 && u <= 0x2069)) continue;
    out += (u == 0x00A0 || c == QLatin1Char('\t')) ? QChar(' ') : c;
  }
  return out.simplified();
}

struct Printed {
  std::unique_ptr<QPdfDocument> pdf;
  std::vector<QString> pages;  // the searchable text of each page
  std::vector<QStringList> lines;
  std::vector<std::pair<QString, int>> anchors;  // id, page as printed (1-based)

  QString All() const {
    QString all;
    for (const QString& p : pages) all += p + QLatin1Char(' ');
    return all;
  }
  int PageOf(const QString& id) const {
    for (const auto& [name, page] : anchors)
      if (name == id) return page;
    return 0;
  }
};

Printed Load(const QString& pdfName, const QString& anchorsName) {
  EnsureApplication();
  Printed p;
  p.pdf = std::make_unique<QPdfDocument>();
  if (p.pdf->load(kHelpDir + QLatin1Char('/') + pdfName) != QPdfDocument::Error::None) return p;
  for (int i = 0; i < p.pdf->pageCount(); ++i) {
    const QString raw = p.pdf->getAllText(i).text();
    p.pages.push_back(Searchable(raw));
    QStringList lines;
    for (const QString& line : raw.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts))
      if (const QString s = Searchable(line); !s.isEmpty()) lines << s;
    p.lines.push_back(lines);
  }
  QFile anchors(kHelpDir + QLatin1Char('/') + anchorsName);
  if (anchors.open(QIODevice::ReadOnly)) {
    for (const QByteArray& line : anchors.readAll().split('\n')) {
      const QList<QByteArray> parts = line.split('\t');
      if (parts.size() == 2) p.anchors.emplace_back(QString::fromUtf8(parts[0]), parts[1].toInt());
    }
  }
  return p;
}

const Printed& English() {
  static const Printed p = Load(QStringLiteral("tavo.pdf"), QStringLiteral("tavo.anchors"));
  return p;
}
const Printed& Persian() {
  static const Printed p = Load(QStringLiteral("tavo_fa.pdf"), QStringLiteral("tavo_fa.anchors"));
  return p;
}

QString PersianDigits(int n) {
  QString s = QString::number(n);
  for (QChar& c : s) c = QChar(0x06F0 + (c.unicode() - '0'));
  return s;
}

// The text holds what, both read as a search reads them.
::testing::AssertionResult Holds(const QString& text, const QString& what) {
  if (text.contains(Searchable(what))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing: " << what.toStdString();
}

// Both editions: opened, A4, every page but the title page numbered in the edition's digits.
struct Edition {
  const char* file;
  const Printed& (*printed)();
  QString (*number)(int);
};
const Edition kEditions[] = {{"tavo.pdf", English, [](int n) { return QString::number(n); }},
                             {"tavo_fa.pdf", Persian, PersianDigits}};

TEST(HelpDocument, BothEditionsOpenA4WithNumberedPages) {
  for (const Edition& e : kEditions) {
    SCOPED_TRACE(e.file);
    const Printed& doc = e.printed();
    ASSERT_TRUE(doc.pdf && doc.pdf->status() == QPdfDocument::Status::Ready) << "cannot open";
    EXPECT_GE(doc.pdf->pageCount(), 12);
    EXPECT_NEAR(doc.pdf->pagePointSize(0).width(), 595.3, 1.0);
    EXPECT_NEAR(doc.pdf->pagePointSize(0).height(), 841.9, 1.0);
    ASSERT_GE(doc.lines.size(), 3u);
    for (size_t i = 1; i < doc.lines.size(); ++i) {
      ASSERT_FALSE(doc.lines[i].isEmpty()) << "page " << i + 1 << " is empty";
      EXPECT_EQ(doc.lines[i].last(), e.number(static_cast<int>(i) + 1)) << "page " << i + 1;
    }
    EXPECT_NE(doc.lines[0].last(), e.number(1)) << "the title page carries no number";
  }
}

// Each anchor id leads to the page that holds its heading.
void ExpectAnchorsLeadTo(const Printed& doc, const std::vector<std::pair<const char*, const char*>>& sections) {
  for (const auto& [id, heading] : sections) {
    const int page = doc.PageOf(QString::fromUtf8(id));
    ASSERT_GE(page, 1) << "no anchor " << id;
    ASSERT_LE(page, doc.pdf->pageCount()) << "anchor " << id;
    EXPECT_TRUE(Holds(doc.pages[static_cast<size_t>(page - 1)], QString::fromUtf8(heading))) << "anchor " << id;
  }
}

// ---------------------------------------------------------------------------------------
// English edition
// ---------------------------------------------------------------------------------------

TEST(HelpDocumentEnglish, HoldsEveryChapterDesignationFormulaAndWorkedNumber) {
  const QString all = English().All();
  for (const char* text : {
           // chapters
           "1. Section designations", "2. The input file", "3. Section properties", "4. Design checks", "5. Units",
           "4.2 Compactness", "4.3 Limiting unbraced length Lc", "4.6 Allowable axial stress Fa and compression Pmax",
           "4.7 Fillet welds of cover plates", "5.2 Conversion factors",
           // designations and input lines
           "PG hw*tw*bf1*tf1[*bf2*tf2]", "CROSS h1*h2*tw*bf1*tf1[*bf2*tf2]", "BOX hw*tw*bf*tf", "TUBE D*t",
           "[2]L size [<>]", "[2]UNP size", "PG600X8X250X15X200X12", "2UNP20 (d=12)", "2UNP16 ][ (d=10)",
           "2L80<> (d=8)", "IPE30+2PL200*10", "IPE30+WPL200*8 DPL=25", "3IPE30 (d=20)", "HPE300-400", "CPE30",
           "+2WPL wb*wt", "X2PL", "IPE20 = IPE200", "NO=4,3,2 Units=[kg]-[cm] FILE=ETABS", "Fy=2400 UNITS=[kg]-[cm]",
           // check formulas
           "545/√Fy", "5365/√Fy", "795/√(Fy/kc)", "6370/√(0.6·Fy)", "1590/√Fy", "232000/Fy", "Cc = 6440/√Fy",
           "FS = 1.67 + 0.375·q − 0.125·q³", "Fa = 10500000 / λ²", "Fa = 0.01", "840000·Cb / (Lb·Depth/Af)",
           "√(7200000·Cb/Fy)", "√(36000000·Cb/Fy)", "107500000·Cb", "12000000·Cb/q²", "Mmax = S1·Fb / 100000",
           "Tmax = 0.6·Fy·A / 1000", "Pmax = Fa·A / 1000", "Lc = 53000·b / Fy",
           // section properties
           "I1 = 2·[tw·h³/12 + b·tf³/12 + b·tf·(h/2 + tf/2)²]", "J = 6.28318·(di/2)³·t",
           "n = 2: I2 = 2·(I2 + A·d²/4), Width = b + d", "Af = n·b·tf + bpl·tpl",
           "rt = √{ [tf2·bf2³/12 + (hw/6)·tw³/12] / (Af + tw·hw/6) }", "3.14159",
           // the worked example: the numbers the program computes for PG 600*8*250*15, L = 900
           "I1 = 85331.25 cm⁴", "S1 = 2708.93 cm³", "= 17.23 ton·m", "= 50.7 ton", "177.1 ton"})
    EXPECT_TRUE(Holds(all, QString::fromUtf8(text)));
}

TEST(HelpDocumentEnglish, AnchorsLeadToTheirSections) {
  const Printed& en = English();
  ASSERT_FALSE(en.anchors.empty()) << "tavo.anchors is missing or empty";
  int previous = 0;
  for (const auto& [id, page] : en.anchors) {
    EXPECT_GE(page, 1) << id.toStdString();
    EXPECT_LE(page, en.pdf->pageCount()) << id.toStdString();
    EXPECT_GE(page, previous) << id.toStdString() << " comes before the section listed above it";
    previous = page;
  }
  ExpectAnchorsLeadTo(en, {{"contents", "Contents"},
                           {"designations", "1. Section designations"},
                           {"designations-pg", "1.2 Plate girder: PG"},
                           {"designations-angles", "1.6 Angles: L, 2L"},
                           {"input", "2. The input file"},
                           {"properties-rolled", "3.6 Rolled I, H, half and castellated profiles"},
                           {"checks", "4. Design checks"},
                           {"checks-compactness", "4.2 Compactness"},
                           {"checks-compression", "4.6 Allowable axial stress Fa and compression Pmax"},
                           {"units", "5. Units"},
                           {"units-factors", "5.2 Conversion factors"}});
  // The contents list the same pages.
  EXPECT_TRUE(Holds(en.pages[static_cast<size_t>(en.PageOf(QStringLiteral("contents")) - 1)],
                    QStringLiteral("4. Design checks ") + QString::number(en.PageOf(QStringLiteral("checks")))));
}

TEST(HelpDocumentEnglish, DrawsTheFigures) {
  // The figures are the program's own drawings with the names of the parameters, vector
  // drawings whose labels are text, each label alone on its line. A section's figures stand on
  // the page of its heading or, when they did not fit there, on the next; a figure that is
  // missing or draws nothing takes its labels with it.
  const Printed& en = English();
  const std::vector<std::pair<const char*, std::vector<const char*>>> figures = {
      {"designations-pg", {"bf1", "tf1", "hw", "tw", "bf2", "tf2"}},
      {"designations-cross", {"h1", "h2", "bf1", "bf2", "tf1", "tf2", "tw"}},
      {"designations-box", {"PL bf*tf", "PL hw*tw", "d"}},
      {"designations-tube", {"D", "t"}},
      {"designations-angles", {"L b*t", "PL b*t", "b", "t", "e", "d"}},
      {"designations-channels", {"h", "b", "tf", "tw", "e", "d", "PL b*t"}},
      {"designations-rolled", {"IPE h", "2IPE h", "3IPE h", "PL b*t", "WPL wb*wt", "dpl", "h", "b", "d"}},
      {"designations-half", {"HPE h-h'", "h'"}},
      {"designations-castellated", {"CPE h", "1.5 h"}}};
  for (const auto& [id, labels] : figures) {
    const int page = en.PageOf(QString::fromUtf8(id));
    ASSERT_GE(page, 1) << "no anchor " << id;
    ASSERT_LT(static_cast<size_t>(page), en.lines.size()) << id;
    const QStringList near = en.lines[static_cast<size_t>(page - 1)] + en.lines[static_cast<size_t>(page)];
    for (const char* label : labels)
      EXPECT_TRUE(near.contains(QString::fromUtf8(label))) << "no figure label " << label << " at " << id;
  }
}

// The last line of a page's body: before the running header and the page number.
QString LastBodyLine(const QStringList& lines) {
  for (qsizetype i = lines.size() - 1; i >= 0; --i) {
    const QString& l = lines[i];
    bool number = false;
    l.toInt(&number);
    if (number || l.startsWith(QStringLiteral("Tavolin"))) continue;
    return l;
  }
  return {};
}

TEST(HelpDocumentEnglish, NothingIsPrintedTwice) {
  // A page's text holds only what shows on it: the last line of a page does not reappear,
  // hidden, at the start of the next page's text (the viewer's search would land there).
  const Printed& en = English();
  int compared = 0;
  for (size_t i = 1; i < en.lines.size(); ++i) {
    const QString last = LastBodyLine(en.lines[i - 1]);
    if (last.isEmpty() || en.lines[i].isEmpty()) continue;
    EXPECT_NE(en.lines[i].first(), last) << "page " << i + 1 << " starts with the last line of page " << i;
    ++compared;
  }
  EXPECT_GT(compared, 10);
}

// ---------------------------------------------------------------------------------------
// Persian edition
// ---------------------------------------------------------------------------------------

TEST(HelpDocumentPersian, IsWrittenInPersianWithDesignationsAndFormulasLeftToRight) {
  const QString all = Persian().All();
  // (Words with the lam-alef ligature are left out: the PDF text maps a ligature glyph back
  // to no character, a limit of the PDF writer, not of the document.)
  for (const char* text : {"نامگذاری مقطعها", "تیرورق", "قوطی", "لوله", "نبشی", "ناودانی", "نیمپروفیل",
                           "فایل ورودی", "مشخصات مقطع", "فشردگی", "تنش مجاز", "شعاع ژیراسیون", "جوش گوشه",
                           "واحدها", "کنترلهای طراحی", "PG 600*8*250*15", "2UNP20 (d=12)", "2L60<>", "HPE300-400",
                           "Cc = 6440/√Fy", "FS = 1.67 + 0.375·q − 0.125·q³", "Fa = 10500000 / λ²",
                           "Mmax = S1·Fb / 100000"})
    EXPECT_TRUE(Holds(all, QString::fromUtf8(text)));
  // Persian letters, not their Arabic look-alikes.
  EXPECT_FALSE(all.contains(QChar(0x064A))) << "Arabic yeh in the Persian edition";
  EXPECT_FALSE(all.contains(QChar(0x0643))) << "Arabic kaf in the Persian edition";
}

TEST(HelpDocumentPersian, HasTheSameAnchorsLeadingToItsSections) {
  const Printed& en = English();
  const Printed& fa = Persian();
  ASSERT_FALSE(fa.anchors.empty()) << "tavo_fa.anchors is missing or empty";
  ASSERT_EQ(fa.anchors.size(), en.anchors.size());
  for (size_t i = 0; i < fa.anchors.size(); ++i) EXPECT_EQ(fa.anchors[i].first, en.anchors[i].first);
  ExpectAnchorsLeadTo(fa, {{"designations", "نامگذاری مقطعها"}, {"designations-pg", "تیرورق"},
                           {"input", "فایل ورودی"}, {"checks", "کنترلهای طراحی"},
                           {"checks-compactness", "فشردگی"}, {"units", "واحدها"}});
}

}  // namespace
