#include "core/bidi.h"

#include "core/utf8.h"

namespace tavo {

namespace {

constexpr char32_t kLriCode = 0x2066, kRliCode = 0x2067, kFsiCode = 0x2068, kPdiCode = 0x2069;

bool IsRtl(char32_t c) {
  return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF) ||
         c == 0x200F;
}

// Latin, Greek and Cyrillic letters, ASCII digits and the superscript digits of "cm²".
bool IsLtr(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  if (c == 0xB2 || c == 0xB3 || c == 0xB9) return true;
  if (c >= 0xC0 && c < 0x0590) return c != 0xD7 && c != 0xF7;
  return c >= 0x1E00 && c < 0x2000;
}

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == 0xA0 || (c >= 0x2000 && c <= 0x200B); }
bool IsBreak(char32_t c) { return c == '\n' || c == '\r' || c == 0x2029 || c == 0x2028; }
bool IsControl(char32_t c) { return (c >= 0x2066 && c <= 0x2069) || (c >= 0x202A && c <= 0x202E) || c == 0x200E; }
bool IsClosingPunctuation(char32_t c) {
  return c == '.' || c == ',' || c == ';' || c == ':' || c == '!' || c == '?' || c == 0x060C || c == 0x061B ||
         c == 0x061F;
}

// Runs of one segment [from, to) that holds no right-to-left letter.
void SegmentRuns(std::u32string_view s, std::size_t from, std::size_t to,
                 std::vector<std::pair<std::size_t, std::size_t>>& out) {
  std::size_t first = to, last = to;
  for (std::size_t i = from; i < to; ++i)
    if (IsLtr(s[i])) {
      if (first == to) first = i;
      last = i;
    }
  if (first == to) return;
  std::size_t begin = first, end = last + 1;
  while (begin > from && !IsBlank(s[begin - 1])) --begin;
  while (end < to && !IsBlank(s[end])) ++end;
  while (end > last + 1 && IsClosingPunctuation(s[end - 1])) --end;
  out.emplace_back(begin, end);
}

}  // namespace

std::vector<std::pair<std::size_t, std::size_t>> LtrRuns(std::u32string_view line) {
  std::vector<std::pair<std::size_t, std::size_t>> out;
  bool rtl = false;
  for (char32_t c : line) rtl = rtl || IsRtl(c);
  std::size_t segment = 0;
  int depth = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    const char32_t c = i < line.size() ? line[i] : U'\n';
    // What is isolated already stays as it is, and so do the other explicit marks.
    if (c == kLriCode || c == kRliCode || c == kFsiCode) {
      if (depth == 0 && i > segment) SegmentRuns(line, segment, i, out);
      ++depth;
      continue;
    }
    if (c == kPdiCode) {
      if (depth > 0 && --depth == 0) segment = i + 1;
      continue;
    }
    if (depth > 0) continue;
    if (i == line.size() || IsBreak(c) || IsControl(c) || (rtl && IsRtl(c))) {
      if (i > segment) {
        if (!rtl) {
          // Nothing right-to-left in the line: the whole of it is one island.
          bool any = false;
          for (std::size_t k = segment; k < i; ++k) any = any || IsLtr(line[k]);
          if (any) out.emplace_back(segment, i);
        } else {
          SegmentRuns(line, segment, i, out);
        }
      }
      segment = i + 1;
    }
  }
  return out;
}

bool HasRtl(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Char c = DecodeUtf8Char(text, i);
    if (c.length == 0) {
      ++i;
      continue;
    }
    if (IsRtl(c.code)) return true;
    i += c.length;
  }
  return false;
}

std::string IsolateLtr(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() >= kLri.size() + kPdi.size() && text.substr(0, kLri.size()) == kLri &&
      text.substr(text.size() - kPdi.size()) == kPdi)
    return std::string(text);
  std::string out;
  out.reserve(text.size() + kLri.size() + kPdi.size());
  out.append(kLri).append(text).append(kPdi);
  return out;
}

std::string IsolateLtrRuns(std::string_view text) {
  const std::u32string s = DecodeUtf8(text);
  std::u32string out;
  out.reserve(s.size() + 8);
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && !IsBreak(s[i])) continue;
    const std::u32string_view line(s.data() + lineStart, i - lineStart);
    std::size_t at = 0;
    for (const auto& [begin, end] : LtrRuns(line)) {
      out.append(line.substr(at, begin - at));
      out.push_back(kLriCode);
      out.append(line.substr(begin, end - begin));
      out.push_back(kPdiCode);
      at = end;
    }
    out.append(line.substr(at));
    if (i < s.size()) out.push_back(s[i]);
    lineStart = i + 1;
  }
  return EncodeUtf8(out);
}

}  // namespace tavo
