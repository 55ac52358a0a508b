#include "ui/rtf_document.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace tavo::ui {

namespace {

struct CharState {
  bool bold = false, italic = false, underline = false;
  int colour = 0;       // colour-table index; 0 is "auto"
  int halfPoints = 24;  // \fs
  int uc = 1;           // characters after \uN that are its fallback
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

// Windows-1252 bytes 0x80..0x9F that differ from Latin-1; the rest map straight through.
QChar FromCp1252(unsigned char b) {
  static const char16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  if (b >= 0x80 && b <= 0x9F) return QChar(high[b - 0x80]);
  return QChar(static_cast<char16_t>(b));
}

class Parser {
 public:
  explicit Parser(std::string_view rtf) : s_(rtf) {}

  void Run() {
    std::vector<CharState> stack;
    size_t i = 0;
    bool groupStart = false;  // the next control word opens a destination
    while (i < s_.size()) {
      const char c = s_[i];
      if (c == '{') {
        stack.push_back(cs_);
        groupStart = true;
        ++i;
        continue;
      }
      if (c == '}') {
        if (!stack.empty()) {
          cs_ = stack.back();
          stack.pop_back();
        }
        groupStart = false;
        ++i;
        continue;
      }
      if (c == '\\') {
        i = Control(i, groupStart);
        groupStart = false;
        continue;
      }
      groupStart = false;
      ++i;
      if (c == '\r' || c == '\n') continue;
      if (cs_.colourTable) {
        if (c == ';') {
          colours_.push_back(haveColour_ ? QColor(r_, g_, b_) : QColor());
          haveColour_ = false;
          r_ = g_ = b_ = 0;
        }
        continue;
      }
      Text(QChar(static_cast<char16_t>(static_cast<unsigned char>(c))));
    }
    if (!cur_.frags.empty()) EndParagraph();
  }

  std::vector<Block> blocks;
  std::vector<QColor> colours_{QColor()};

 private:
  size_t Control(size_t i, bool groupStart) {
    ++i;  // the backslash
    if (i >= s_.size()) return i;
    const char c = s_[i];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      switch (c) {
        case '\'': {
          if (i + 2 < s_.size()) {
            const std::string hex(s_.substr(i + 1, 2));
            char* end = nullptr;
            const long v = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2) Text(FromCp1252(static_cast<unsigned char>(v)));
            return i + 3;
          }
          return s_.size();
        }
        case '*':
          cs_.skip = true;
          return i + 1;
        case '~':
          Text(QChar(0x00A0));
          return i + 1;
        case '-':
          return i + 1;
        case '_':
          Text(QChar(0x2011));
          return i + 1;
        case '\r':
        case '\n':
          Word("par", 0, false, false);
          return i + 1;
        default:
          Text(QChar(static_cast<char16_t>(static_cast<unsigned char>(c))));  // \\ \{ \}
          return i + 1;
      }
    }
    size_t j = i;
    while (j < s_.size() && std::isalpha(static_cast<unsigned char>(s_[j]))) ++j;
    const std::string word(s_.substr(i, j - i));
    bool hasNumber = false;
    int number = 0;
    bool negative = false;
    if (j < s_.size() && s_[j] == '-') {
      negative = true;
      ++j;
    }
    long long v = 0;
    while (j < s_.size() && std::isdigit(static_cast<unsigned char>(s_[j]))) {
      hasNumber = true;
      v = std::min<long long>(v * 10 + (s_[j] - '0'), 1LL << 30);
      ++j;
    }
    number = static_cast<int>(negative ? -v : v);
    if (j < s_.size() && s_[j] == ' ') ++j;  // the delimiting space belongs to the word
    Word(word, number, hasNumber, groupStart);
    return j;
  }

  void Word(const std::string& w, int n, bool hasNumber, bool groupStart) {
    static const std::set<std::string> skipped{"fonttbl", "info", "stylesheet", "pict", "header", "footer",
                                               "headerl", "headerr", "footerl", "footerr", "object", "listtable",
                                               "listoverridetable", "generator", "themedata"};
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
    if (w == "u") {
      if (cs_.skip) return;
      const int code = n < 0 ? n + 65536 : n;
      Append(QChar(static_cast<char16_t>(code)));
      ucPending_ = cs_.uc;
      return;
    }
    if (w == "uc") { cs_.uc = std::max(0, n); return; }
    if (cs_.skip) return;
    const bool on = !hasNumber || n != 0;
    if (w == "b") cs_.bold = on;
    else if (w == "i") cs_.italic = on;
    else if (w == "ul") cs_.underline = on;
    else if (w == "ulnone") cs_.underline = false;
    else if (w == "cf") cs_.colour = n;
    else if (w == "fs") cs_.halfPoints = n > 0 ? n : 24;
    else if (w == "plain") {
      const CharState keep = cs_;
      cs_ = CharState{};
      cs_.uc = keep.uc;
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
    else if (w == "line") Text(QChar(QChar::LineSeparator));
    else if (w == "tab") Text(QChar('\t'));
    else if (w == "endash") Text(QChar(0x2013));
    else if (w == "emdash") Text(QChar(0x2014));
    else if (w == "bullet") Text(QChar(0x2022));
    else if (w == "lquote") Text(QChar(0x2018));
    else if (w == "rquote") Text(QChar(0x2019));
    else if (w == "ldblquote") Text(QChar(0x201C));
    else if (w == "rdblquote") Text(QChar(0x201D));
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

  void Text(QChar ch) {
    if (cs_.skip) return;
    if (ucPending_ > 0) {  // the plain-text fallback that follows a \uN character
      --ucPending_;
      return;
    }
    Append(ch);
  }

  void Append(QChar ch) {
    if (!cur_.frags.empty() && SameFormat(cur_.frags.back().fmt, cs_)) {
      cur_.frags.back().text.append(ch);
    } else {
      cur_.frags.push_back({QString(ch), cs_});
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
  int ucPending_ = 0;
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
    const std::vector<int> edges(bounds.begin(), bounds.end());
    const int columns = std::max(1, static_cast<int>(edges.size()) - 1);
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
}

}  // namespace tavo::ui
