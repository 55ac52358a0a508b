#include "output/rtf_tokenizer.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "core/utf8.h"

namespace tavo {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

RtfToken CharToken(char32_t c) {
  RtfToken t;
  t.kind = RtfToken::Kind::Char;
  t.ch = c;
  return t;
}

// Control words that stand for one character.
char32_t NamedCharacter(std::string_view word) {
  static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
      {"emdash", 0x2014}, {"endash", 0x2013},    {"bullet", 0x2022},   {"lquote", 0x2018},
      {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}};
  for (const auto& [name, c] : kNamed)
    if (name == word) return c;
  return 0;
}

}  // namespace

char32_t FromCp1252(unsigned char c) {
  static constexpr char32_t kHigh[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
}

RtfToken RtfTokenizer::Next() {
  while (i_ < s_.size()) {
    const char c = s_[i_];
    if (c == '{' || c == '}') {
      ++i_;
      RtfToken t;
      if (c == '{') {
        t.kind = RtfToken::Kind::GroupOpen;
        outerUc_.push_back(uc_);
      } else {
        t.kind = RtfToken::Kind::GroupClose;
        if (!outerUc_.empty()) {
          uc_ = outerUc_.back();
          outerUc_.pop_back();
        }
      }
      atGroupStart_ = c == '{';
      pendingSkip_ = 0;  // a fallback never runs past its group
      return t;
    }
    if (c == '\r' || c == '\n') {  // line ends in the file are no text
      ++i_;
      continue;
    }
    RtfToken t;
    bool unicode = false;
    if (c == '\\') {
      t = Control(unicode);
    } else {
      ++i_;
      atGroupStart_ = false;
      t = CharToken(FromCp1252(static_cast<unsigned char>(c)));
    }
    if (unicode) {
      pendingSkip_ = uc_;
    } else if (t.kind == RtfToken::Kind::End) {
      continue;  // a control that gives nothing, such as \- or a cut-off \'
    } else if (pendingSkip_ > 0) {
      --pendingSkip_;  // a fallback character; a control word in it counts as one
      continue;
    } else if (t.kind == RtfToken::Kind::Word && t.word == "uc") {
      uc_ = t.hasParam && t.param >= 0 ? t.param : 1;
      continue;
    } else if (t.kind == RtfToken::Kind::Word && t.word == "bin" && t.param > 0) {
      // Raw bytes of a picture: never text.
      i_ += std::min(static_cast<size_t>(t.param), s_.size() - i_);
      continue;
    }
    if (t.kind != RtfToken::Kind::End) return t;
  }
  return {};
}

RtfToken RtfTokenizer::Control(bool& unicode) {
  RtfToken t;
  ++i_;  // the backslash
  if (i_ >= s_.size()) return t;
  t.groupStart = atGroupStart_;
  atGroupStart_ = false;
  const char c = s_[i_];
  if (!IsLetter(c)) {
    ++i_;
    switch (c) {
      case '\\': case '{': case '}': return CharToken(static_cast<char32_t>(c));
      case '~': return CharToken(0x00A0);
      case '_': return CharToken(0x2011);
      case '-': return t;  // optional hyphen
      case '\'':
        if (i_ + 1 < s_.size() && HexValue(s_[i_]) >= 0 && HexValue(s_[i_ + 1]) >= 0) {
          const int byte = HexValue(s_[i_]) * 16 + HexValue(s_[i_ + 1]);
          i_ += 2;
          return CharToken(FromCp1252(static_cast<unsigned char>(byte)));
        }
        if (i_ < s_.size() && HexValue(s_[i_]) >= 0) ++i_;  // a cut-off escape: its one digit is not text
        return t;
      case '\r': case '\n':
        t.kind = RtfToken::Kind::Word;
        t.word = "par";  // "\<newline>" is a paragraph mark
        return t;
      default:
        t.kind = RtfToken::Kind::Word;
        t.word = s_.substr(i_ - 1, 1);
        return t;
    }
  }
  const size_t start = i_;
  while (i_ < s_.size() && IsLetter(s_[i_])) ++i_;
  t.kind = RtfToken::Kind::Word;
  t.word = s_.substr(start, i_ - start);
  const bool negative = i_ + 1 < s_.size() && s_[i_] == '-' && IsDigit(s_[i_ + 1]);
  if (negative) ++i_;
  long long value = 0;
  while (i_ < s_.size() && IsDigit(s_[i_])) {
    t.hasParam = true;
    value = std::min<long long>(value * 10 + (s_[i_] - '0'), INT_MAX);
    ++i_;
  }
  t.param = static_cast<int>(negative ? -value : value);
  if (i_ < s_.size() && s_[i_] == ' ') ++i_;  // the delimiting blank belongs to the word

  if (t.word == "u" && t.hasParam) {
    unicode = true;
    const auto unit = static_cast<char16_t>((t.param < 0 ? t.param + 65536 : t.param) & 0xFFFF);
    if (unit >= 0xD800 && unit < 0xDC00) {
      highSurrogate_ = unit;
      return RtfToken{};
    }
    char32_t code = unit;
    if (unit >= 0xDC00 && unit < 0xE000)
      code = highSurrogate_ ? 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) + (unit - 0xDC00)
                            : kReplacementCharacter;
    highSurrogate_ = 0;
    return CharToken(code);
  }
  if (const char32_t named = NamedCharacter(t.word)) return CharToken(named);
  return t;
}

}  // namespace tavo
