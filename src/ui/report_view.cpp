#include "ui/report_view.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/bidi.h"

namespace tavo::ui {

namespace {

QTextCharFormat FormatOf(const ReportRun& run, const QString& fontFamily) {
  QTextCharFormat f;
  const PaletteColour c = ReportColour(run.colour);
  f.setForeground(QColor(c.r, c.g, c.b));
  // White and yellow runs were meant for a dark pane; on paper-white they keep their colour
  // on a dark badge so they stay readable.
  if (run.colour == 15) f.setBackground(QColor(0, 110, 0));
  if (run.colour == 14) f.setBackground(QColor(70, 70, 70));
  f.setFontPointSize(run.size > 0 ? run.size + 1 : 9);
  f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
  f.setFontUnderline(run.underline);
  f.setFontItalic(run.italic);
  if (!run.font.empty())
    f.setFontFamilies({QString::fromStdString(run.font), fontFamily});
  else if (!fontFamily.isEmpty())
    f.setFontFamilies({fontFamily});
  return f;
}

// The UTF-16 position of a code point index.
int Utf16Offset(const std::u32string& text, size_t index) {
  int offset = 0;
  for (size_t i = 0; i < index && i < text.size(); ++i) offset += text[i] > 0xFFFF ? 2 : 1;
  return offset;
}

}  // namespace

void IsolateLtrInRtlBlocks(QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().layoutDirection() != Qt::RightToLeft) continue;
    const std::u32string line = block.text().toStdU32String();
    const auto runs = LtrRuns(line);
    // From the line's end, so the positions still to come stay where they were.
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
      QTextCursor cursor(&document);
      cursor.setPosition(block.position() + Utf16Offset(line, it->second));
      cursor.insertText(QString(QChar(0x2069)));
      cursor.setPosition(block.position() + Utf16Offset(line, it->first));
      cursor.insertText(QString(QChar(0x2066)));
    }
  }
}

void FillReportDocument(QTextDocument& document, const std::vector<ReportRun>& runs, bool rightToLeft,
                        const QString& fontFamily) {
  document.clear();
  QTextCursor cursor(&document);
  QTextBlockFormat block;
  block.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  block.setAlignment(Qt::AlignLeading);
  cursor.setBlockFormat(block);
  bool lineRight = false;
  for (const ReportRun& run : runs) {
    if (run.right && !lineRight) {
      QTextBlockFormat right = block;
      right.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
      cursor.setBlockFormat(right);
      lineRight = true;
    }
    QString text = QString::fromStdString(run.text);
    // Report runs keep their blanks: a run of blanks indents and aligns.
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    cursor.insertText(text, FormatOf(run, fontFamily));
    if (run.lineBreak) {
      cursor.insertBlock(block);
      lineRight = false;
    }
  }
  if (rightToLeft) IsolateLtrInRtlBlocks(document);
}

ReportView::ReportView(QWidget* parent) : QTextBrowser(parent) {
  setObjectName("rtfReport");
  setOpenLinks(false);
  setReadOnly(true);
  setMinimumWidth(300);
  document()->setDocumentMargin(8);
  setWordWrapMode(QTextOption::NoWrap);
  document()->setDefaultStyleSheet({});
  QFont mono = font();
  setFont(mono);
  // Blanks in the runs line the values up, as on the printed page.
  QTextOption option = document()->defaultTextOption();
  option.setWrapMode(QTextOption::NoWrap);
  document()->setDefaultTextOption(option);
}

void ReportView::ShowRuns(const std::vector<ReportRun>& runs, bool rightToLeft) {
  FillReportDocument(*document(), runs, rightToLeft, font().family());
}

}  // namespace tavo::ui
