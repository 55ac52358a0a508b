// make_help: prints one edition of the calculation help document to PDF.
//
// Usage: make_help [--lang en|fa] INPUT.html OUTPUT.pdf [ANCHORS.txt]
//
// The HTML (UTF-8) is laid out by a QTextDocument on A4 pages and painted with QPdfWriter,
// with a running header (the document title and the current chapter) and a page number on
// every page but the first. What the tool adds to the HTML:
//  - the contents: a comment <!--contents--> becomes a table of every <h1>/<h2> that has an
//    id, with the page it starts on (the layout is repeated until the page numbers settle);
//  - the figures: each <img src="figure:NAME"> is replaced by the help figure NAME of a section
//    family (src/families), drawn by the program's own drawing code with the names of its
//    parameters as vector graphics, so the drawings stay sharp at any zoom and their labels
//    can be searched;
//  - the program's own legend of the section families (the parameter sketch of the drawing
//    window) where the HTML has <img src="sketch:parameters">;
//  - page breaks that keep a heading with what follows it and do not split a small table
//    or a short paragraph;
//  - blanks in short <code> spans (designations) that never break a line;
//  - for the right-to-left edition, every <code>, <span class="m"> and <span class="l"> is
//    isolated as a left-to-right run, so designations such as 2L60<> and formulas keep their
//    order and their brackets inside Persian sentences; and table rows are mirrored.
// ANCHORS.txt receives one line per heading id: the id, a tab and the page as printed
// (the first page is 1); the help viewer reads it to open the document at a section.
// docs/help/README.md says how to write the sources.
//
// Both files are written under a temporary name and renamed when complete. The tool runs
// headless: the offscreen platform is used unless QT_QPA_PLATFORM names another one.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>

#include <QPicture>

#include "drawing/canvas_frame.h"
#include "drawing/primitives.h"
#include "drawing/section_drawing.h"
#include "families/family_table.h"
#include "render/qt_surface.h"
#include "render/render_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

// --- Page geometry (millimetres) ---------------------------------------------------------
// Device pixels per inch of the PDF painter. 96 makes a CSS pixel of the HTML one device
// pixel, as in a browser; positions are kept in fractions of a pixel, so nothing is lost.
constexpr int kResolution = 96;
constexpr double kPageWidthMm = 210, kPageHeightMm = 297;
constexpr double kMarginLeftMm = 20, kMarginRightMm = 20, kMarginTopMm = 22, kMarginBottomMm = 22;
constexpr double kHeaderBaselineMm = 13;  // from the top edge
constexpr double kFooterBaselineMm = 12;  // from the bottom edge

double MmToDevice(double mm) { return mm * kResolution / 25.4; }
double PtToDevice(double pt) { return pt * kResolution / 72.0; }

struct Edition {
  bool rightToLeft = false;
  QStringList bodyFamilies;
  double bodySize = 10;
  QStringList chromeFamilies;  // the running header
  double chromeSize = 8;
  QStringList numberFamilies = {"Noto Sans", "DejaVu Sans"};  // the page numbers
  double numberSize = 8;
};

Edition EditionFor(const QString& lang) {
  Edition e;
  if (lang == "fa") {
    e.rightToLeft = true;
    // Latin runs (designations, symbols) fall through to the second family.
    e.bodyFamilies = {"Noto Naskh Arabic", "Noto Sans", "DejaVu Sans"};
    e.bodySize = 11;
    e.chromeFamilies = e.bodyFamilies;
    e.chromeSize = 9;
    // The page numbers take their digits from a font that maps them directly: Qt writes a
    // PDF's text from the font's character map, and the Persian forms of 4, 6 and 7 in
    // Noto Naskh are substitutions that map back to wrong characters.
    e.numberFamilies = {"DejaVu Sans"};
    e.numberSize = 8.5;
  } else {
    e.bodyFamilies = {"Noto Sans", "DejaVu Sans"};
    e.chromeFamilies = e.bodyFamilies;
  }
  return e;
}

QFont MakeFont(const QStringList& families, double pointSize, bool italic = false) {
  QFont f(families.value(0));
  f.setFamilies(families);
  f.setPointSizeF(pointSize);
  f.setItalic(italic);
  return f;
}

// Persian digits for the page numbers of the right-to-left edition.
QString LocalDigits(const QString& text, bool persian) {
  if (!persian) return text;
  QString out = text;
  for (QChar& c : out)
    if (c >= QChar('0') && c <= QChar('9')) c = QChar(0x06F0 + (c.unicode() - '0'));
  return out;
}

void Fail(const QString& message) {
  std::fprintf(stderr, "make_help: %s\n", qPrintable(message));
  std::exit(1);
}

// =========================================================================================
// Figures
// =========================================================================================
//
// A figure is one of a family's help figures (src/families) drawn by the family's own drawing
// routine with the names of its parameters, as the drawing window's legend draws them, on
// white paper. It is recorded as a picture and played back on the page, so it stays vector
// and its labels stay text; its box on the page is that of the drawing, labels included.

constexpr int kCanvasPx = 640;         // the recording canvas each way: the drawing window's width
constexpr double kFigureBoxPt = 150;   // the most a figure takes each way on the page
constexpr double kFigurePaddingPt = 3;
constexpr int kFigurePlateColour = 7;  // light grey plates
constexpr int kFigureNameColour = 1;   // dark blue names

// A recording of fixed size: a QPicture reports the size of what it holds, and the drawing
// canvas takes its frame from the device's size before anything is drawn.
class FigurePicture : public QPicture {
 protected:
  int metric(PaintDeviceMetric m) const override {
    if (m == PdmWidth || m == PdmHeight) return kCanvasPx;
    if (m == PdmWidthMM || m == PdmHeightMM) return qRound(kCanvasPx * 25.4 / QPicture::metric(PdmDpiX));
    return QPicture::metric(m);
  }
};

// The figure drawn at s drawing units per centimetre, its corner at three quarters of the
// canvas so that the labels left and above it stay on the canvas.
void RecordFigure(FigurePicture& picture, const tavo::FoundFigure& found, double s) {
  tavo::QtSurface surface(picture);
  surface.BackColor = tavo::QBColor(15);
  surface.ForeColor = tavo::QBColor(0);
  tavo::SetCanvasFrame(surface);
  tavo::DrawingContext dc(surface);
  dc.printFlag = true;
  dc.uiFontSize = 10;  // labels of 7 points, the size of the captions around them
  const tavo::FamilyStyle style{.plateColour = kFigurePlateColour,
                                .text = tavo::DimensionText::Names,
                                .nameColour = kFigureNameColour,
                                .detailed = true};
  tavo::SetDrawColor(dc, style.plateColour);
  tavo::SectionDrawing unused;
  found.family->draw(dc, 0.75 * surface.ScaleWidth(), 0.75 * surface.ScaleHeight(), s, found.figure->cs, style,
                     unused);
  surface.Finish();
}

// The part of an image that differs from its top-left pixel, the background.
QRect DrawnPart(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  QRect drawn;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) drawn |= QRect(x, y, 1, 1);
  return drawn;
}

// What a recording covers, labels at any angle included (a picture's own bounds leave out
// turned text), found by playing it on white.
QRectF DrawnBounds(const FigurePicture& picture) {
  QImage image(kCanvasPx, kCanvasPx, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawPicture(0, 0, picture);
  painter.end();
  return DrawnPart(image).adjusted(-1, -1, 1, 1);
}

struct Figure {
  FigurePicture picture;
  QRectF bounds;  // of what was drawn, in the picture's pixels
};

// The plates grow with the scale and the labels do not: two trial drawings give both parts,
// and the scale is the one that makes the whole drawing fill the figure's box.
std::unique_ptr<Figure> DrawFigure(const tavo::FoundFigure& found) {
  constexpr double kTrial1 = 10, kTrial2 = 20;
  FigurePicture trial1, trial2;
  RecordFigure(trial1, found, kTrial1);
  RecordFigure(trial2, found, kTrial2);
  const QRectF b1 = DrawnBounds(trial1), b2 = DrawnBounds(trial2);
  const double box = PtToDevice(kFigureBoxPt);
  double s = 0;
  for (const auto& [d1, d2] : {std::pair{b1.width(), b2.width()}, std::pair{b1.height(), b2.height()}}) {
    const double perUnit = (d2 - d1) / (kTrial2 - kTrial1);
    if (perUnit <= 0) continue;
    const double fit = kTrial1 + (box - d1) / perUnit;
    s = s > 0 ? std::min(s, fit) : fit;
  }
  auto figure = std::make_unique<Figure>();
  RecordFigure(figure->picture, found, s > 0 ? s : kTrial1);
  figure->bounds = DrawnBounds(figure->picture);
  return figure;
}

constexpr int kFigureObjectType = QTextFormat::UserObject + 1;
constexpr int kFigureNameProperty = QTextFormat::UserProperty + 1;

class FigureHandler : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  // Null for a name no family's figures hold; stops the tool when a figure draws nothing.
  const Figure* Find(const QString& name) {
    if (const auto it = figures_.find(name); it != figures_.end()) return it->second.get();
    const tavo::FoundFigure found = tavo::FindHelpFigure(tavo::StandardFamilies(), name.toStdString());
    if (!found.figure || !found.family->draw) return nullptr;
    std::unique_ptr<Figure> figure = DrawFigure(found);
    if (figure->bounds.isEmpty()) Fail("figure " + name + " draws nothing");
    return figures_.emplace(name, std::move(figure)).first->second.get();
  }

  QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
    const Figure* figure = Find(format.property(kFigureNameProperty).toString());
    const double pad = PtToDevice(kFigurePaddingPt);
    return figure ? figure->bounds.size() + QSizeF(2 * pad, 2 * pad) : QSizeF();
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
    const Figure* figure = Find(format.property(kFigureNameProperty).toString());
    if (!figure) return;
    const double pad = PtToDevice(kFigurePaddingPt);
    painter->save();
    painter->translate(rect.topLeft() + QPointF(pad, pad) - figure->bounds.topLeft());
    painter->drawPicture(0, 0, figure->picture);
    painter->restore();
  }

 private:
  std::map<QString, std::unique_ptr<Figure>> figures_;
};

// Replaces every <img src="figure:NAME"> of the document by the figure object. Returns the
// names that no figure answers to.
QStringList InstallFigures(QTextDocument& doc, FigureHandler& handler) {
  struct Found {
    int position;
    QTextCharFormat format;
    QString name;
  };
  std::vector<Found> found;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fr = it.fragment();
      const QTextCharFormat cf = fr.charFormat();
      if (!cf.isImageFormat()) continue;
      const QString src = cf.toImageFormat().name();
      if (!src.startsWith("figure:")) continue;
      // One object per character of the fragment (adjacent identical images share one).
      for (int i = 0; i < fr.length(); ++i) found.push_back({fr.position() + i, cf, src.mid(7)});
    }
  }
  QStringList unknown;
  for (const Found& f : found) {
    if (!handler.Find(f.name)) {
      unknown << f.name;
      continue;
    }
    QTextCharFormat object;
    object.setObjectType(kFigureObjectType);
    object.setProperty(kFigureNameProperty, f.name);
    object.setVerticalAlignment(f.format.verticalAlignment());
    QTextCursor c(&doc);
    c.setPosition(f.position);
    c.setPosition(f.position + 1, QTextCursor::KeepAnchor);
    c.setCharFormat(object);
  }
  doc.documentLayout()->registerHandler(kFigureObjectType, &handler);
  return unknown;
}

// The legend the drawing window shows while the constants window is open, drawn by the
// program's own drawing code on its screen palette and cut to the drawn part.
QImage ParameterSketchImage() {
  tavo::ImageRenderOptions options;
  options.width = 1280;
  options.height = 960;
  QImage image = tavo::RenderImage([](tavo::DrawingContext& dc) { tavo::DrawParameterSketch(dc, tavo::StandardFamilies()); }, options);
  const QRect drawn = DrawnPart(image);
  if (drawn.isEmpty()) return {};
  return image.copy(drawn.adjusted(-24, -24, 24, 24));
}

// =========================================================================================
// Contents, anchors and pages
// =========================================================================================

// The HTML importer puts the anchor of <hN id="..."> on the first character of the heading
// only, which splits the heading into two runs; Arabic letters do not join across runs, so a
// heading beginning with a letter would show its first letter cut off. The anchor is spread
// over the whole heading.
void SpreadHeadingAnchors(QTextDocument& doc) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    if (b.blockFormat().headingLevel() == 0 || b.length() <= 2) continue;
    const QTextCharFormat first = b.begin().fragment().charFormat();
    if (!first.isAnchor() || first.anchorNames().isEmpty()) continue;
    QTextCharFormat anchor;
    anchor.setAnchor(true);
    anchor.setAnchorNames(first.anchorNames());
    QTextCursor c(b);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.mergeCharFormat(anchor);
  }
}

struct Heading {
  int level = 0;
  QString id;
  QString title;
};

QString PlainText(const QString& html) {
  return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

std::vector<Heading> HeadingsOf(const QString& html) {
  static const QRegularExpression re(
      R"re(<h([12])\b[^>]*\bid\s*=\s*"([^"]+)"[^>]*>(.*?)</h\1>)re",
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  std::vector<Heading> out;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    out.push_back({m.captured(1).toInt(), m.captured(2), PlainText(m.captured(3))});
  }
  return out;
}

QString ContentsTable(const std::vector<Heading>& headings, const QHash<QString, int>& pages, bool persian) {
  QString t = "<table class=\"contents\" width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">";
  for (const Heading& h : headings) {
    if (h.id == "contents") continue;
    const QString page = LocalDigits(QString::number(pages.value(h.id, 0)), persian);
    const QString cls = h.level == 1 ? "contents1" : "contents2";
    t += QString("<tr><td class=\"%1\">%2</td><td class=\"%1\" width=\"8%\" align=\"%3\" "
                 "style=\"font-family: 'Noto Sans'\">%4</td></tr>")
             .arg(cls, h.title.toHtmlEscaped(), persian ? "left" : "right", page);
  }
  t += "</table>";
  return t;
}

// A short code span is a designation or a keyword: its blanks are made non-breaking so that
// a line never breaks inside it (in the right-to-left edition a broken designation would be
// read in the wrong order). Longer spans, such as a header line, may still wrap.
QString KeepShortCodeTogether(const QString& html) {
  static const QRegularExpression code(R"re((<code\b[^>]*>)(.*?)(</code>))re",
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
  constexpr int kLongest = 32;
  QString out;
  qsizetype last = 0;
  for (auto it = code.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    QString text = m.captured(2);
    if (PlainText(text).size() <= kLongest) text.replace(' ', "&nbsp;");
    out += html.mid(last, m.capturedStart() - last) + m.captured(1) + text + m.captured(3);
    last = m.capturedEnd();
  }
  return out + html.mid(last);
}

// Isolates the left-to-right runs of the Persian edition (see the file comment): the text of
// every <code>, <span class="m"> (a formula) and <span class="l"> (a plain Latin term) is put
// between LRI and PDI. A run that begins with a neutral character (the ± of ±d/2, the
// bracket of (d=12)) also gets a left-to-right mark after the LRI: Qt's bidi resolution would
// otherwise give that character the direction of the Persian text around the run. The mark
// is left out where it is not needed, since PDF text extraction shows it as a letter.
QString IsolateLatinRuns(const QString& html) {
  const QChar lri(0x2066), pdi(0x2069), lrm(0x200E);
  static const QRegularExpression run(R"re((<code\b[^>]*>|<span\s+class="[ml]"[^>]*>)(.*?)(</code>|</span>))re",
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::DotMatchesEverythingOption);
  QString out;
  qsizetype last = 0;
  for (auto it = run.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    const QString text = PlainText(m.captured(2));
    const bool neutralStart = !text.isEmpty() && !text.front().isLetterOrNumber();
    out += html.mid(last, m.capturedStart() - last) + m.captured(1) + lri + (neutralStart ? QString(lrm) : QString()) +
           m.captured(2) + pdi + m.captured(3);
    last = m.capturedEnd();
  }
  out += html.mid(last);
  return out;
}

// Writes the cells of every table row in reverse order. Qt lays table columns out from left
// to right whatever the direction of the text, so the right-to-left edition mirrors its
// tables here and its source keeps the reading order (first column first). A table whose
// tag says dir="ltr" (formulas) keeps its order. Nested tables are mirrored too.
QString MirrorTableRows(const QString& html) {
  static const QRegularExpression tagRe(R"re(<(/?)(table|tr|td|th)\b[^>]*>)re", QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression ltrRe(R"re(\bdir\s*=\s*"ltr")re", QRegularExpression::CaseInsensitiveOption);
  struct Tag {
    qsizetype begin, end;
    bool close;
    QString name;
    bool ltr;
  };
  std::vector<Tag> tags;
  for (auto it = tagRe.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    tags.push_back({m.capturedStart(), m.capturedEnd(), !m.captured(1).isEmpty(), m.captured(2).toLower(),
                    ltrRe.match(m.captured(0)).hasMatch()});
  }
  // The index of the tag that closes the element opened at tags[i] (same name, same depth).
  auto closing = [&](size_t i) {
    int depth = 0;
    for (size_t j = i; j < tags.size(); ++j) {
      if (tags[j].name != tags[i].name) continue;
      depth += tags[j].close ? -1 : 1;
      if (depth == 0) return j;
    }
    return tags.size();
  };
  std::function<QString(qsizetype, qsizetype, size_t, size_t)> mirror;
  // Mirrors html[from, to), whose tags are tags[first, last).
  mirror = [&](qsizetype from, qsizetype to, size_t first, size_t last) {
    QString out;
    qsizetype pos = from;
    for (size_t i = first; i < last; ++i) {
      if (tags[i].close || tags[i].name != "table") continue;
      const size_t end = std::min(closing(i), last);
      if (end >= last) break;  // unbalanced: leave the rest as written
      out += html.mid(pos, tags[i].end - pos);
      pos = tags[i].end;
      for (size_t r = i + 1; r < end; ++r) {
        if (tags[r].close || tags[r].name != "tr") continue;
        const size_t rowEnd = closing(r);
        if (rowEnd >= end) break;
        out += html.mid(pos, tags[r].end - pos);
        QStringList cells;
        for (size_t c = r + 1; c < rowEnd; ++c) {
          if (tags[c].close || (tags[c].name != "td" && tags[c].name != "th")) continue;
          const size_t cellEnd = closing(c);
          if (cellEnd >= rowEnd) break;
          cells << html.mid(tags[c].begin, tags[c].end - tags[c].begin) +
                       mirror(tags[c].end, tags[cellEnd].begin, c + 1, cellEnd) +
                       html.mid(tags[cellEnd].begin, tags[cellEnd].end - tags[cellEnd].begin);
          c = cellEnd;
        }
        if (!tags[i].ltr) std::reverse(cells.begin(), cells.end());
        out += cells.join(QString());
        pos = tags[rowEnd].begin;
        r = rowEnd;
      }
      i = end;
    }
    out += html.mid(pos, to - pos);
    return out;
  };
  return mirror(0, html.size(), 0, tags.size());
}

QString TitleOf(const QString& html) {
  static const QRegularExpression re(R"re(<title>(.*?)</title>)re", QRegularExpression::CaseInsensitiveOption |
                                                                    QRegularExpression::DotMatchesEverythingOption);
  const auto m = re.match(html);
  return m.hasMatch() ? PlainText(m.captured(1)) : QString();
}

// Page (0-based) of the middle of one line of a block (the first by default).
int PageOfBlock(const QTextDocument& doc, const QTextBlock& block, int line = 0) {
  const QRectF r = doc.documentLayout()->blockBoundingRect(block);
  double y = r.center().y();
  if (const QTextLayout* l = block.layout(); l && l->lineCount() > line && line >= 0)
    y = r.top() + l->lineAt(line).rect().center().y() - l->boundingRect().top();
  return static_cast<int>(std::floor(y / doc.pageSize().height()));
}

// Moves to the next page what should not be split: a heading left at the foot of a page
// apart from what follows it, a table shorter than half a page that would straddle two pages,
// a longer table that would leave little more than its header row at the foot of a page, and
// a paragraph of up to ten lines that the foot of a page would split.
// One change at a time, from the top, each followed by a full layout.
constexpr int kWholeParagraphLines = 10;

void KeepTogether(QTextDocument& doc) {
  const double pageHeight = doc.pageSize().height();
  auto pageOf = [&](double y) { return static_cast<int>(std::floor(y / pageHeight)); };
  for (int change = 0; change < 500; ++change) {
    bool changed = false;
    QTextBlock previous;  // the block just before the current item, when it is one
    std::vector<QTextBlock> sinceFrame;  // the blocks since the last table
    for (auto it = doc.rootFrame()->begin(); !it.atEnd() && !changed; ++it) {
      if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
        const QRectF r = doc.documentLayout()->frameBoundingRect(table);
        const bool straddles = pageOf(r.top()) != pageOf(r.bottom() - 1);
        const double onFirstPage = (pageOf(r.top()) + 1) * pageHeight - r.top();
        // A heading right above the table, or above one or two short lines that introduce
        // it, goes with it.
        QTextBlock heading;
        for (size_t k = 0; k < sinceFrame.size() && k < 3; ++k) {
          const QTextBlock& b = sinceFrame[sinceFrame.size() - 1 - k];
          if (b.blockFormat().headingLevel() >= 2) {
            heading = b;
            break;
          }
          if (!b.layout() || b.layout()->lineCount() > 2) break;
        }
        sinceFrame.clear();
        if (straddles && (r.height() < pageHeight / 2 || onFirstPage < pageHeight * 0.15)) {
          if (heading.isValid()) {
            QTextBlockFormat format = heading.blockFormat();
            if (!(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
              format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
              QTextCursor(heading).setBlockFormat(format);
              changed = true;
            }
          } else {
            QTextTableFormat format = table->format();
            if (!(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
              format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
              table->setFormat(format);
              changed = true;
            }
          }
        }
        previous = QTextBlock();
        continue;
      }
      const QTextBlock block = it.currentBlock();
      const QTextBlock before = previous;
      previous = block;
      sinceFrame.push_back(block);
      // A paragraph of a few lines split by the foot of a page moves whole to the next page;
      // the layout draws one line beyond the edge of a page's clip, so the lines of a split
      // paragraph would land in the PDF text of both pages, where a search would find them.
      if (const QTextLayout* l = block.layout(); l && l->lineCount() > 1 && l->lineCount() <= kWholeParagraphLines &&
                                                 PageOfBlock(doc, block, 0) != PageOfBlock(doc, block, l->lineCount() - 1)) {
        const QTextBlock target = before.isValid() && before.blockFormat().headingLevel() >= 2 ? before : block;
        QTextBlockFormat format = target.blockFormat();
        if (!(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
          format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
          QTextCursor(target).setBlockFormat(format);
          changed = true;
          continue;
        }
      }
      const QTextBlock& heading = block;
      if (heading.blockFormat().headingLevel() < 2) continue;
      QTextBlock next = heading.next();
      while (next.isValid() && next.text().trimmed().isEmpty() && next.length() <= 1) next = next.next();
      if (!next.isValid()) continue;
      QTextBlockFormat format = heading.blockFormat();
      if (PageOfBlock(doc, next) != PageOfBlock(doc, heading) &&
          !(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(heading).setBlockFormat(format);
        changed = true;
      }
    }
    if (!changed) return;
    // Format changes inside the flow are laid out again only in part; lay out the whole.
    doc.markContentsDirty(0, doc.characterCount());
  }
}

struct Layout {
  QHash<QString, int> anchorPages;   // 1-based
  QMap<int, QString> chapterStarts;  // 0-based page -> chapter title
};

Layout Measure(const QTextDocument& doc) {
  Layout out;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const int page = PageOfBlock(doc, b);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat cf = it.fragment().charFormat();
      if (cf.isAnchor())
        for (const QString& name : cf.anchorNames())
          if (!out.anchorPages.contains(name)) out.anchorPages.insert(name, page + 1);
    }
    if (b.blockFormat().headingLevel() == 1 && !out.chapterStarts.contains(page))
      out.chapterStarts.insert(page, b.text().simplified());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QString lang = "en";
  QStringList positional;
  const QStringList args = app.arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang" && i + 1 < args.size())
      lang = args[++i];
    else
      positional << args[i];
  }
  if (positional.size() < 2 || (lang != "en" && lang != "fa")) {
    std::fprintf(stderr, "usage: make_help [--lang en|fa] INPUT.html OUTPUT.pdf [ANCHORS.txt]\n");
    return 2;
  }
  const QString inputPath = positional[0], outputPath = positional[1];
  const QString anchorsPath = positional.value(2);
  const Edition edition = EditionFor(lang);

  QFile input(inputPath);
  if (!input.open(QIODevice::ReadOnly)) Fail("cannot read " + inputPath);
  QString source = QString::fromUtf8(input.readAll());
  source = KeepShortCodeTogether(source);
  if (edition.rightToLeft) source = IsolateLatinRuns(source);
  const std::vector<Heading> headings = HeadingsOf(source);
  const QString title = TitleOf(source);
  if (!source.contains("<!--contents-->")) Fail("the document has no <!--contents--> marker");

  QSaveFile pdfFile(outputPath);
  if (!pdfFile.open(QIODevice::WriteOnly)) Fail("cannot write " + outputPath);
  QPdfWriter writer(&pdfFile);
  writer.setResolution(kResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Millimeter));
  writer.setTitle(title);
  writer.setCreator("Tavolin make_help");

  const QRectF body(MmToDevice(kMarginLeftMm), MmToDevice(kMarginTopMm),
                    MmToDevice(kPageWidthMm - kMarginLeftMm - kMarginRightMm),
                    MmToDevice(kPageHeightMm - kMarginTopMm - kMarginBottomMm));

  QTextDocument doc;
  FigureHandler figures;
  doc.documentLayout()->setPaintDevice(&writer);
  doc.setUseDesignMetrics(true);
  doc.setDocumentMargin(0);
  doc.setDefaultFont(MakeFont(edition.bodyFamilies, edition.bodySize));
  if (edition.rightToLeft) {
    QTextOption option = doc.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    doc.setDefaultTextOption(option);
  }

  // Lay out, read the pages of the headings, fill the contents, and again until the
  // numbers no longer change (a longer number can move a line; two rounds are the rule).
  const QImage sketch = ParameterSketchImage();
  if (sketch.isNull()) Fail("the legend of the section families draws nothing");

  QHash<QString, int> pages;
  Layout layout;
  for (int round = 0; round < 5; ++round) {
    QString html = source;
    html.replace("<!--contents-->", ContentsTable(headings, pages, edition.rightToLeft));
    if (edition.rightToLeft) html = MirrorTableRows(html);
    doc.setHtml(html);
    doc.addResource(QTextDocument::ImageResource, QUrl("sketch:parameters"), sketch);
    SpreadHeadingAnchors(doc);
    const QStringList unknown = InstallFigures(doc, figures);
    if (!unknown.isEmpty()) Fail("unknown figure(s): " + unknown.join(", "));
    doc.setPageSize(body.size());
    doc.markContentsDirty(0, doc.characterCount());
    KeepTogether(doc);
    layout = Measure(doc);
    if (layout.anchorPages == pages) break;
    pages = layout.anchorPages;
    if (round == 4) Fail("the page numbers of the contents do not settle");
  }
  for (const Heading& h : headings)
    if (!layout.anchorPages.contains(h.id)) Fail("heading id not found in the layout: " + h.id);

  const int pageCount = doc.pageCount();
  QPainter painter;
  if (!painter.begin(&writer)) Fail("cannot paint on " + outputPath);
  const QFont chrome = MakeFont(edition.chromeFamilies, edition.chromeSize);
  const QColor chromeColour(0x55, 0x5b, 0x66);
  QString chapter;
  for (int page = 0; page < pageCount; ++page) {
    if (page > 0) writer.newPage();
    if (layout.chapterStarts.contains(page)) chapter = layout.chapterStarts.value(page);

    painter.save();
    painter.setClipRect(body);
    painter.translate(body.left(), body.top() - page * body.height());
    QAbstractTextDocumentLayout::PaintContext ctx;
    // Lines are drawn when they touch the clip, and a line drawn outside the page is hidden by
    // the painter's clip but still lands in the PDF's text, where a search would find it on
    // the wrong page; so the clip stops short of the lines that only touch the page's edges.
    ctx.clip = QRectF(0, page * body.height() + 0.5, body.width(), body.height() - 1);
    doc.documentLayout()->draw(&painter, ctx);
    painter.restore();

    if (page == 0) continue;  // the title page has no header and no number
    painter.save();
    painter.setFont(chrome);
    painter.setPen(chromeColour);
    painter.setLayoutDirection(edition.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    const double lineHeight = QFontMetricsF(chrome, &writer).height();
    const QRectF header(body.left(), MmToDevice(kHeaderBaselineMm) - lineHeight, body.width(), lineHeight * 1.3);
    const Qt::Alignment start = edition.rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    const Qt::Alignment end = edition.rightToLeft ? Qt::AlignLeft : Qt::AlignRight;
    painter.drawText(header, start | Qt::AlignVCenter, title);
    painter.drawText(header, end | Qt::AlignVCenter, chapter);
    painter.setPen(QPen(QColor(0xb8, 0xbe, 0xc8), PtToDevice(0.5)));
    painter.drawLine(QPointF(body.left(), header.bottom() + PtToDevice(2)),
                     QPointF(body.right(), header.bottom() + PtToDevice(2)));
    painter.setPen(chromeColour);
    painter.setFont(MakeFont(edition.numberFamilies, edition.numberSize));
    const QRectF footer(body.left(), MmToDevice(kPageHeightMm - kFooterBaselineMm) - lineHeight, body.width(),
                        lineHeight * 1.3);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                     LocalDigits(QString::number(page + 1), edition.rightToLeft));
    painter.restore();
  }
  if (!painter.end()) Fail("painting " + outputPath + " failed");
  if (!pdfFile.commit()) Fail("cannot write " + outputPath);

  if (!anchorsPath.isEmpty()) {
    QSaveFile anchors(anchorsPath);
    if (!anchors.open(QIODevice::WriteOnly)) Fail("cannot write " + anchorsPath);
    QByteArray text;
    for (const Heading& h : headings)
      text += h.id.toUtf8() + '\t' + QByteArray::number(layout.anchorPages.value(h.id)) + '\n';
    anchors.write(text);
    if (!anchors.commit()) Fail("cannot write " + anchorsPath);
  }
  std::printf("make_help: %s, %d pages\n", qPrintable(QFileInfo(outputPath).fileName()), pageCount);
  return 0;
}

#include "make_help.moc"
