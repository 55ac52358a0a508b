#include "output/rtf_reader.h"

#include <cstdlib>

namespace tavo {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80];
  return c;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

enum class Destination { Body, Skip, FontTable };

struct State {
  Destination dest = Destination::Body;
  int font = -1;
  int ucSkip = 1;
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

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F, extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F, extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07, extra = 3;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    bool good = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
        good = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    if (!good) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x110000) {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    AppendUtf8(out, 0xFFFD);
  }
}

std::string EncodeUtf8(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) AppendUtf8(out, c);
  return out;
}

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
  int pendingSkip = 0;           // fallback characters still to drop after a \uN
  char16_t highSurrogate = 0;    // first half of a \uN pair
  int fontEntry = -1;            // font number being read in the font table
  std::string fontName;

  auto emit = [&](char32_t c) {
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
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
    pendingSkip = 0;
    if (st.dest != Destination::Body) return;
    out.text.push_back(c);
    out.font.push_back(st.font);
  };

  size_t i = 0;
  bool atGroupStart = false;
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      stack.push_back(st);
      pendingSkip = 0;
      atGroupStart = true;
      ++i;
      continue;
    }
    if (c == '}') {
      if (!stack.empty()) {
        st = stack.back();
        stack.pop_back();
      }
      pendingSkip = 0;
      atGroupStart = false;
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      atGroupStart = false;
      emit(static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(c) : FromCp1252(static_cast<unsigned char>(c)));
      ++i;
      continue;
    }
    // A control word or symbol.
    const bool groupStart = atGroupStart;
    atGroupStart = false;
    ++i;
    if (i >= rtf.size()) break;
    const char s = rtf[i];
    if (!IsLetter(s)) {
      ++i;
      switch (s) {
        case '\\': case '{': case '}': emit(static_cast<char32_t>(s)); break;
        case '~': emit(0x00A0); break;
        case '_': emit(0x2011); break;
        case '-': break;  // optional hyphen
        case '*':
          if (groupStart) st.dest = Destination::Skip;
          break;
        case '\'': {
          if (i + 1 < rtf.size() && HexValue(rtf[i]) >= 0 && HexValue(rtf[i + 1]) >= 0) {
            emit(FromCp1252(static_cast<unsigned char>(HexValue(rtf[i]) * 16 + HexValue(rtf[i + 1]))));
            i += 2;
          } else if (i < rtf.size() && HexValue(rtf[i]) >= 0) {
            ++i;  // a cut-off escape: its one digit is not text
          }
          break;
        }
        case '\r': case '\n': emitBreak('\n'); break;  // "\<newline>" is a paragraph mark
        default: break;
      }
      continue;
    }
    const size_t wordStart = i;
    while (i < rtf.size() && IsLetter(rtf[i])) ++i;
    const std::string_view word = rtf.substr(wordStart, i - wordStart);
    bool hasParam = false;
    long param = 0;
    if (i < rtf.size() && (rtf[i] == '-' || (rtf[i] >= '0' && rtf[i] <= '9'))) {
      const size_t numStart = i;
      ++i;
      while (i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9' && i - numStart < 11) ++i;
      param = std::strtol(std::string(rtf.substr(numStart, i - numStart)).c_str(), nullptr, 10);
      hasParam = true;
    }
    if (i < rtf.size() && rtf[i] == ' ') ++i;  // the delimiting blank belongs to the word

    if (word == "u" && hasParam) {
      long v = param;
      if (v < 0) v += 65536;
      const char16_t unit = static_cast<char16_t>(v & 0xFFFF);
      const int skip = st.ucSkip;
      if (unit >= 0xD800 && unit < 0xDC00) {
        highSurrogate = unit;
      } else if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate) {
        emit(0x10000 + ((static_cast<char32_t>(highSurrogate) - 0xD800) << 10) + (unit - 0xDC00));
        highSurrogate = 0;
      } else {
        highSurrogate = 0;
        emit(unit);
      }
      pendingSkip = skip;
      continue;
    }
    if (pendingSkip > 0) {
      // A control word inside the fallback counts as one skipped character.
      --pendingSkip;
      continue;
    }
    if (word == "uc") {
      st.ucSkip = hasParam && param >= 0 ? static_cast<int>(param) : 1;
    } else if (word == "par" || word == "line" || word == "row" || word == "sect" || word == "page") {
      emitBreak('\n');
    } else if (word == "tab" || word == "cell") {
      emitBreak('\t');
    } else if (word == "f") {
      if (st.dest == Destination::FontTable) {
        fontEntry = static_cast<int>(param);
        fontName.clear();
      } else {
        st.font = static_cast<int>(param);
      }
    } else if (word == "plain") {
      st.font = -1;
    } else if (word == "fonttbl") {
      st.dest = Destination::FontTable;
    } else if (word == "emdash") {
      emit(0x2014);
    } else if (word == "endash") {
      emit(0x2013);
    } else if (word == "bullet") {
      emit(0x2022);
    } else if (word == "lquote") {
      emit(0x2018);
    } else if (word == "rquote") {
      emit(0x2019);
    } else if (word == "ldblquote") {
      emit(0x201C);
    } else if (word == "rdblquote") {
      emit(0x201D);
    } else if (word == "bin" && hasParam && param > 0) {
      i += static_cast<size_t>(param);  // raw bytes of a picture: never text
    } else if (SkippedDestination(word)) {
      st.dest = Destination::Skip;
    } else if (word == "panose" || word == "falt" || word == "fname") {
      if (st.dest == Destination::FontTable) st.dest = Destination::Skip;
    }
  }
  return out;
}

}  // namespace tavo
