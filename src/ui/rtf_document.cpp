#include "ui/rtf_document.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <set>
#include <string>

#include "output/rtf_tokenizer.h"
#include "ui/report_view.h"

namespace tavo::ui {

namespace {

struct CharState {
  bool bold = false, italic = false, underline = false;
  int colour = 0;       // colour-table index; 0 is "auto"
  int halfPoints = 24;  // \fs
  bool skip = false;    // inside a destination that is not body text
  bool colourTable = false;
};

struct ParaState {
  Qt::Alignment align = Qt::AlignLeft;
  bool rtl = false;
  bool inTable = false;
};

struct Fragment {
  QString text;
  CharState fmt;
};

struct Para {
  std::vector<Fragment> frags;
  ParaState ps;
};

struct Cell {
  std::vector<Para> paras;
  int left = 0, right = 0;  // twips
  int shade = 0;            // colour-table index of the background; 0: none
};

struct Block {
  bool table = false;
  Para para;
  std::vector<std::vector<Cell>> rows;
};

struct CellDef {
  int right = 0, shade = 0;
};

bool SameFormat(const CharState& a, const CharState& b) {
  return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline && a.colour == b.colour &&
         a.halfPoints == b.halfPoints;
}

class Parser {
 public:
  explicit Parser(std::string_view rtf) : s_(rtf) {}

  void Run() {
    std::vector<CharState> stack;
    RtfTokenizer tokens(s_);
    for (RtfToken t = tokens.Next(); t.kind != RtfToken::Kind::End; t = tokens.Next()) {
      switch (t.kind) {
        case RtfToken::Kind::GroupOpen:
          stack.push_back(cs_);
          break;
        case RtfToken::Kind::GroupClose:
          if (!stack.empty()) {
            cs_ = stack.back();
            stack.pop_back();
          }
          break;
        case RtfToken::Kind::Word:
          Word(t.word, t.param, t.hasParam, t.groupStart);
          break;
        case RtfToken::Kind::Char:
          if (!cs_.colourTable) {
            Text(t.ch);
          } else if (t.ch == ';') {
            colours_.push_back(haveColour_ ? QColor(r_, g_, b_) : QColor());
            haveColour_ = false;
            r_ = g_ = b_ = 0;
          }
          break;
        case RtfToken::Kind::End:
          break;
      }
    }
    if (!cur_.frags.empty()) EndParagraph();
  }

  std::vector<Block> blocks;
  std::vector<QColor> colours_{QColor()};

 private:
  void Word(std::string_view w, int n, bool hasNumber, bool groupStart) {
    static const std::set<std::string_view> skipped{"fonttbl", "info", "stylesheet", "pict", "header", "footer",
                                                    "headerl", "headerr", "footerl", "footerr", "object", "listtable",
                                                    "listoverridetable", "generator", "themedata"};
    if (w == "*") {
      cs_.skip = true;
      return;
    }
    if (groupStart && skipped.count(w)) {
      cs_.skip = true;
      return;
    }
    if (w == "colortbl") {
      cs_.colourTable = true;
      cs_.skip = true;
      colours_.clear();
      return;
    }
    if (cs_.colourTable) {
      if (w == "red") r_ = n, haveColour_ = true;
      if (w == "green") g_ = n, haveColour_ = true;
      if (w == "blue") b_ = n, haveColour_ = true;
      return;
    }
    if (cs_.skip) return;
    const bool on = !hasNumber || n != 0;
    if (w == "b") cs_.bold = on;
    else if (w == "i") cs_.italic = on;
    else if (w == "ul") cs_.underline = on;
    else if (w == "ulnone") cs_.underline = false;
    else if (w == "cf") cs_.colour = n;
    else if (w == "fs") cs_.halfPoints = n > 0 ? n : 24;
    else if (w == "plain") {
      cs_ = CharState{};
    } else if (w == "pard") {
      cur_.ps = ParaState{};
    } else if (w == "ql") cur_.ps.align = Qt::AlignLeft;
    else if (w == "qr") cur_.ps.align = Qt::AlignRight;
    else if (w == "qc") cur_.ps.align = Qt::AlignHCenter;
    else if (w == "qj") cur_.ps.align = Qt::AlignJustify;
    else if (w == "rtlpar") cur_.ps.rtl = true;
    else if (w == "ltrpar") cur_.ps.rtl = false;
    else if (w == "intbl") cur_.ps.inTable = true;
    else if (w == "par") EndParagraph();
    else if (w == "line") Text(QChar::LineSeparator);
    else if (w == "tab") Text('\t');
    else if (w == "trowd") {
      rowDef_.clear();
      shade_ = 0;
    } else if (w == "clcbpat") shade_ = n;
    else if (w == "cellx") {
      rowDef_.push_back({n, shade_});
      shade_ = 0;
    } else if (w == "cell") EndCell();
    else if (w == "row") EndRow();
  }

  void Text(char32_t c) {
    if (cs_.skip) return;
    const QString ch = QString::fromUcs4(&c, 1);
    if (!cur_.frags.empty() && SameFormat(cur_.frags.back().fmt, cs_)) {
      cur_.frags.back().text.append(ch);
    } else {
      cur_.frags.push_back({ch, cs_});
    }
  }

  void EndParagraph() {
    if (cur_.ps.inTable) {
      cellParas_.push_back(cur_);
    } else {
      tableOpen_ = false;
      Block b;
      b.para = cur_;
      blocks.push_back(std::move(b));
    }
    cur_.frags.clear();
  }

  void EndCell() {
    cellParas_.push_back(cur_);
    cur_.frags.clear();
    Cell cell;
    cell.paras = std::move(cellParas_);
    cellParas_.clear();
    pendingCells_.push_back(std::move(cell));
  }

  void EndRow() {
    std::vector<Cell> row = std::move(pendingCells_);
    pendingCells_.clear();
    int left = 0;
    for (size_t k = 0; k < row.size(); ++k) {
      const CellDef def = k < rowDef_.size() ? rowDef_[k] : CellDef{left + 1000, 0};
      row[k].left = left;
      row[k].right = std::max(def.right, left + 1);
      row[k].shade = def.shade;
      left = row[k].right;
    }
    if (!tableOpen_ || blocks.empty() || !blocks.back().table) {
      Block b;
      b.table = true;
      blocks.push_back(std::move(b));
      tableOpen_ = true;
    }
    blocks.back().rows.push_back(std::move(row));
  }

  std::string_view s_;
  CharState cs_;
  Para cur_;
  std::vector<Para> cellParas_;
  std::vector<Cell> pendingCells_;
  std::vector<CellDef> rowDef_;
  int shade_ = 0;
  bool tableOpen_ = false;
  int r_ = 0, g_ = 0, b_ = 0;
  bool haveColour_ = false;
};

}  // namespace

void RtfToDocument(std::string_view rtf, QTextDocument& document, double dpi) {
  Parser parser(rtf);
  parser.Run();
  const std::vector<QColor>& colours = parser.colours_;
  const auto colourAt = [&](int index) { return index > 0 && index < static_cast<int>(colours.size()) ? colours[static_cast<size_t>(index)] : QColor(); };
  const auto px = [dpi](int twips) { return twips / 1440.0 * dpi; };

  document.clear();
  QTextCursor cursor(&document);
  bool first = true;
  const auto writePara = [&](QTextCursor& c, const Para& p, bool newBlock) {
    QTextBlockFormat bf;
    bf.setAlignment(p.ps.align);
    bf.setLayoutDirection(p.ps.rtl ? Qt::RightToLeft : Qt::LeftToRight);
    if (newBlock)
      c.insertBlock(bf);
    else
      c.setBlockFormat(bf);
    for (const Fragment& f : p.frags) {
      QTextCharFormat cf;
      cf.setFontWeight(f.fmt.bold ? QFont::Bold : QFont::Normal);
      cf.setFontItalic(f.fmt.italic);
      cf.setFontUnderline(f.fmt.underline);
      cf.setFontPointSize(f.fmt.halfPoints / 2.0);
      const QColor colour = colourAt(f.fmt.colour);
      if (colour.isValid()) cf.setForeground(colour);
      c.insertText(f.text, cf);
    }
  };

  for (const Block& b : parser.blocks) {
    if (!b.table) {
      writePara(cursor, b.para, !first);
      first = false;
      continue;
    }
    // Columns: every cell boundary of every row, so narrower and wider cells line up.
    std::set<int> bounds{0};
    for (const auto& row : b.rows)
      for (const Cell& cell : row) bounds.insert(cell.right);
    std::vector<int> edges(bounds.begin(), bounds.end());
    // Rows without a cell boundary of their own (only "\\cellx0", or none): one column an inch wide.
    if (edges.size() < 2) edges.push_back(edges.back() + 1440);
    const int columns = static_cast<int>(edges.size()) - 1;
    QTextTableFormat tf;
    tf.setBorder(1);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderCollapse(true);
    tf.setCellSpacing(0);
    tf.setCellPadding(2);
    QList<QTextLength> widths;
    for (int k = 0; k < columns; ++k)
      widths.append(QTextLength(QTextLength::FixedLength, px(edges[static_cast<size_t>(k) + 1] - edges[static_cast<size_t>(k)])));
    tf.setColumnWidthConstraints(widths);
    if (first) first = false;
    QTextTable* table = cursor.insertTable(static_cast<int>(b.rows.size()), columns, tf);
    for (size_t r = 0; r < b.rows.size(); ++r) {
      for (const Cell& cell : b.rows[r]) {
        const int c0 = static_cast<int>(std::lower_bound(edges.begin(), edges.end(), cell.left) - edges.begin());
        const int c1 = static_cast<int>(std::lower_bound(edges.begin(), edges.end(), cell.right) - edges.begin());
        if (c0 >= columns) continue;
        const int span = std::max(1, c1 - c0);
        if (span > 1) table->mergeCells(static_cast<int>(r), c0, 1, span);
        QTextTableCell qc = table->cellAt(static_cast<int>(r), c0);
        const QColor shade = colourAt(cell.shade);
        if (shade.isValid()) {
          QTextTableCellFormat cf = qc.format().toTableCellFormat();
          cf.setBackground(shade);
          qc.setFormat(cf);
        }
        QTextCursor cc = qc.firstCursorPosition();
        bool firstPara = true;
        for (const Para& p : cell.paras) {
          if (p.frags.empty() && !firstPara) continue;
          writePara(cc, p, !firstPara);
          firstPara = false;
        }
      }
    }
    cursor.movePosition(QTextCursor::End);
  }
  IsolateLtrInRtlBlocks(document);
}

}  // namespace tavo::ui
