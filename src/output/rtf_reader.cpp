#include "output/rtf_reader.h"

#include "core/utf8.h"
#include "output/rtf_tokenizer.h"

namespace tavo {

namespace {

enum class Destination { Body, Skip, FontTable };

struct State {
  Destination dest = Destination::Body;
  int font = -1;
};

bool SkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "colortbl", "stylesheet", "info",      "pict",     "object",    "themedata", "listtable",
      "listoverridetable", "generator", "xmlnstbl", "rsidtbl", "mmathPr", "latentstyles", "datastore",
      "filetbl", "revtbl",    "header",    "footer",   "headerl",   "headerr",   "headerf",
      "footerl", "footerr",   "footerf",   "fldinst",  "pgdsctbl",  "bkmkstart", "bkmkend",
      "nonshppict", "shp", "listpicture", "wgrffmtfilter", "colorschememapping"};
  for (auto w : kSkipped)
    if (w == word) return true;
  return false;
}

}  // namespace

std::string RtfText::Utf8() const { return EncodeUtf8(text); }

std::string RtfText::FontName(size_t index) const {
  if (index >= font.size()) return {};
  const auto it = fonts.find(font[index]);
  return it == fonts.end() ? std::string() : it->second;
}

RtfText ReadRtfText(std::string_view rtf) {
  RtfText out;
  std::vector<State> stack;
  State st;
  int fontEntry = -1;  // font number being read in the font table
  std::string fontName;

  auto emit = [&](char32_t c) {
    if (st.dest == Destination::FontTable) {
      if (c == ';') {
        if (fontEntry >= 0) {
          size_t b = 0;
          while (b < fontName.size() && fontName[b] == ' ') ++b;
          out.fonts[fontEntry] = fontName.substr(b);
        }
        fontName.clear();
      } else {
        AppendUtf8(fontName, c);
      }
      return;
    }
    if (st.dest != Destination::Body) return;
    out.text.push_back(c);
    out.font.push_back(st.font);
  };
  auto emitBreak = [&](char32_t c) {
    if (st.dest != Destination::Body) return;
    out.text.push_back(c);
    out.font.push_back(st.font);
  };

  RtfTokenizer tokens(rtf);
  for (RtfToken t = tokens.Next(); t.kind != RtfToken::Kind::End; t = tokens.Next()) {
    switch (t.kind) {
      case RtfToken::Kind::GroupOpen:
        stack.push_back(st);
        continue;
      case RtfToken::Kind::GroupClose:
        if (!stack.empty()) {
          st = stack.back();
          stack.pop_back();
        }
        continue;
      case RtfToken::Kind::Char:
        emit(t.ch);
        continue;
      default:
        break;
    }
    const std::string_view word = t.word;
    if (word == "*") {
      if (t.groupStart) st.dest = Destination::Skip;
    } else if (word == "par" || word == "line" || word == "row" || word == "sect" || word == "page") {
      emitBreak('\n');
    } else if (word == "tab" || word == "cell") {
      emitBreak('\t');
    } else if (word == "f") {
      if (st.dest == Destination::FontTable) {
        fontEntry = t.param;
        fontName.clear();
      } else {
        st.font = t.param;
      }
    } else if (word == "plain") {
      st.font = -1;
    } else if (word == "fonttbl") {
      st.dest = Destination::FontTable;
    } else if (SkippedDestination(word)) {
      st.dest = Destination::Skip;
    } else if (word == "panose" || word == "falt" || word == "fname") {
      if (st.dest == Destination::FontTable) st.dest = Destination::Skip;
    }
  }
  return out;
}

}  // namespace tavo
