#include "ui/rtf_document.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <gtest/gtest.h>

#include "output/rtf_writer.h"
#include "support/test_support.h"
#include "ui/ui_test_support.h"

namespace tavo::test {
namespace {

// Every table of the document, in order.
std::vector<QTextTable*> Tables(QTextDocument& doc) {
  std::vector<QTextTable*> out;
  for (QTextFrame* f : doc.rootFrame()->childFrames())
    if (auto* t = qobject_cast<QTextTable*>(f)) out.push_back(t);
  return out;
}

QString CellText(QTextTable* t, int row, int column) {
  const QTextTableCell cell = t->cellAt(row, column);
  QTextCursor c = cell.firstCursorPosition();
  c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
  return c.selectedText();
}

QTextCharFormat FormatOf(QTextDocument& doc, const QString& text) {
  QTextCursor c = doc.find(text);
  return c.isNull() ? QTextCharFormat() : c.charFormat();
}

TEST(RtfDocument, TheResultTableKeepsItsCellsHeadingsAndShading) {
  QTextDocument doc;
  ui::RtfToDocument(ReadFile(SourcePath("tests/golden/output/frame_Out.rtf")), doc);
  const auto tables = Tables(doc);
  ASSERT_EQ(tables.size(), 1u);  // the rows of one table stay together
  QTextTable* t = tables[0];
  EXPECT_EQ(t->columns(), 13);
  ASSERT_GE(t->rows(), 4);
  // Row 0: the group captions, merged over their columns (1, 3, 3, 4, 2).
  EXPECT_EQ(CellText(t, 0, 0), QString::fromUtf8("شناسه عضو"));
  EXPECT_EQ(t->cellAt(0, 1).columnSpan(), 3);
  EXPECT_EQ(CellText(t, 0, 1), QString::fromUtf8("مساحت و سطوح برشی"));
  EXPECT_EQ(t->cellAt(0, 11).columnSpan(), 2);
  // Row 1: the headings.
  EXPECT_EQ(CellText(t, 1, 0), "ID");
  EXPECT_EQ(CellText(t, 1, 1), "A");
  EXPECT_EQ(CellText(t, 1, 12), "R2");
  // Header shading from the colour table after the first column only.
  EXPECT_EQ(t->cellAt(1, 1).format().background().color(), QColor(250, 250, 150));
  EXPECT_NE(t->cellAt(1, 0).format().background().color(), QColor(250, 250, 150));
  // The last row is element 9 with its area.
  EXPECT_EQ(CellText(t, t->rows() - 1, 0), "9");
  EXPECT_EQ(CellText(t, t->rows() - 1, 1), "64.4");
  // Column widths: 1000 twips each at 96 dpi, the ID column as wide as the rest.
  const auto widths = t->format().columnWidthConstraints();
  ASSERT_EQ(widths.size(), 13);
  EXPECT_NEAR(widths[0].rawValue(), 1000 / 15.0, 0.01);
  EXPECT_NEAR(widths[1].rawValue(), 1000 / 15.0, 0.01);
}

TEST(RtfDocument, TitleIsBoldNavyAndTheHeaderLinesAreParagraphs) {
  QTextDocument doc;
  ui::RtfToDocument(ReadFile(SourcePath("tests/golden/output/frame_Out.rtf")), doc);
  const QString text = doc.toPlainText();
  EXPECT_TRUE(text.startsWith(QString::fromUtf8("Tavolin \u2013 section properties")));
  EXPECT_TRUE(text.contains("Title: Two-storey office frame on axis B\n"));
  EXPECT_FALSE(text.contains("Arial"));  // the font table is not body text
  EXPECT_FALSE(text.contains("?"));      // \uN fallbacks are dropped
  const QTextCharFormat title = FormatOf(doc, "section properties");
  EXPECT_EQ(title.fontWeight(), QFont::Bold);
  EXPECT_EQ(title.foreground().color(), QColor(0, 0, 128));
  EXPECT_DOUBLE_EQ(title.fontPointSize(), 14.0);
  const QTextCharFormat plain = FormatOf(doc, "Ardekon version");
  EXPECT_NE(plain.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(plain.fontPointSize(), 9.0);
}

TEST(RtfDocument, CharacterFormatsEscapesAndRightToLeftParagraphs) {
  const std::string rtf = std::string("{\\rtf1\\ansi\\uc1{\\colortbl;\\red255\\green0\\blue0;}") +
                          "\\pard\\plain plain {\\b bold} {\\i italic} {\\ul under}\\ulnone  {\\cf1 red} caf\\'e9\\par" +
                          "\\pard\\rtlpar\\qr " + RtfEscape("سلام") + "\\par" +
                          "\\pard\\qc braces \\{x\\} and \\\\ end\\par}";
  QTextDocument doc;
  ui::RtfToDocument(rtf, doc);
  EXPECT_EQ(doc.blockCount(), 3);
  EXPECT_EQ(doc.firstBlock().text(), QString::fromUtf8("plain bold italic under red café"));
  EXPECT_EQ(FormatOf(doc, "bold").fontWeight(), QFont::Bold);
  EXPECT_NE(FormatOf(doc, "plain").fontWeight(), QFont::Bold);
  EXPECT_TRUE(FormatOf(doc, "italic").fontItalic());
  EXPECT_TRUE(FormatOf(doc, "under").fontUnderline());
  EXPECT_EQ(FormatOf(doc, "red").foreground().color(), QColor(255, 0, 0));
  const QTextBlock persian = doc.firstBlock().next();
  EXPECT_EQ(persian.text(), QString::fromUtf8("سلام"));
  EXPECT_EQ(persian.blockFormat().layoutDirection(), Qt::RightToLeft);
  EXPECT_TRUE(persian.blockFormat().alignment() & Qt::AlignRight);
  const QTextBlock last = persian.next();
  EXPECT_EQ(last.text(), "braces {x} and \\ end");
  EXPECT_TRUE(last.blockFormat().alignment() & Qt::AlignHCenter);
}

TEST(RtfDocument, BrokenInputGivesWhatCanBeReadAndNeverFails) {
  for (const std::string& bad : {std::string(""), std::string("{\\rtf1 unclosed \\b text"),
                                std::string("}}}{\\'"), std::string("\\row\\cell\\cellx-5 x\\u"),
                                std::string("{\\rtf1 \\trowd\\cellx99999999999 a\\cell\\row}")}) {
    QTextDocument doc;
    ui::RtfToDocument(bad, doc);  // must come back, whatever the input
  }
  // A row whose cells name no boundary still becomes a table of one column, text and all.
  QTextDocument table;
  ui::RtfToDocument("{\\rtf1 \\trowd first\\cell\\row}", table);
  EXPECT_EQ(table.toPlainText().trimmed(), "first");
  QTextDocument doc;
  ui::RtfToDocument("{\\rtf1 unclosed \\b text", doc);
  EXPECT_EQ(doc.toPlainText(), "unclosed text");
}

}  // namespace
}  // namespace tavo::test
