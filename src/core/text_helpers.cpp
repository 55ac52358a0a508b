#include "core/text_helpers.h"

#include "core/text_util.h"
#include "core/units.h"
#include "core/language.h"

namespace tavo {

std::string Fill(std::string_view pair,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string out;
  out.reserve(pair.size());
  size_t i = 0;
  while (i < pair.size()) {
    const auto open = pair.find('{', i);
    if (open == std::string_view::npos) break;
    const auto close = pair.find('}', open + 1);
    if (close == std::string_view::npos) break;
    const auto name = pair.substr(open + 1, close - open - 1);
    const std::pair<std::string_view, std::string_view>* hit = nullptr;
    for (const auto& v : values) {
      if (v.first == name) {
        hit = &v;
        break;
      }
    }
    out.append(pair.substr(i, open - i));
    if (hit) {
      out.append(hit->second);
      i = close + 1;
    } else {
      // Not a placeholder: keep the brace and look again right after it.
      out.push_back('{');
      i = open + 1;
    }
  }
  out.append(pair.substr(i));
  return out;
}

std::pair<std::string, std::string> FillHalves(
    std::string_view pair, std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  return {Fill(EnglishHalf(pair), values), Fill(PersianHalf(pair), values)};
}

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const auto blank = text.find(' ', i);
  return NumericValue(text.substr(i, blank == std::string_view::npos ? std::string_view::npos : blank - i));
}

namespace {

double ExtractCore(std::string_view text, std::string_view key, int n, double def) {
  if (n < 1) n = 1;
  if (text.find('=') == std::string_view::npos && key == ",") {
    const auto pieces = Split(text, ',');
    if (static_cast<size_t>(n) > pieces.size()) return def;
    return NumericValue(pieces[n - 1]);
  }
  if (key.empty()) {
    const auto pieces = Split(text, ',');
    if (static_cast<size_t>(n) > pieces.size()) return def;
    return NumericValue(pieces[n - 1]);
  }
  std::string S = ToUpper(text);
  if (S.empty() || S[0] != ' ') S.insert(S.begin(), ' ');
  std::string K = ToUpper(key);
  char delimiter = ',';
  std::string mark = "=";
  if (const auto p = K.find("|*|"); p != std::string::npos) {
    K.erase(p, 3);
    delimiter = '*';
  }
  if (K.find("|PL|") != std::string::npos) {
    if (S.find('*') != std::string::npos) {
      K.resize(K.size() >= 4 ? K.size() - 4 : 0);
      mark.clear();
      delimiter = '*';
    } else if (S.find('X') != std::string::npos) {
      K.resize(K.size() >= 4 ? K.size() - 4 : 0);
      mark.clear();
      delimiter = 'X';
    }
  }
  size_t keyAt = std::string::npos;
  if (mark == "=") {
    const std::string spaced = " " + S;
    // In " "+S the pattern's leading blank sits one before the key, so the index maps onto S.
    if (const auto q = spaced.find(" " + K + mark); q != std::string::npos) keyAt = q;
  } else {
    keyAt = S.find(K);
  }
  if (keyAt == std::string::npos) {
    const std::string spaced = " " + S;
    if (const auto q = spaced.find("\t" + K + mark); q != std::string::npos) keyAt = q;
  }
  if (keyAt == std::string::npos) return def;
  const size_t p0 = keyAt + K.size() + mark.size();
  if (p0 > S.size()) return def;
  const size_t eq = S.find('=', p0);
  const size_t listEnd = eq == std::string::npos ? S.size() : eq;
  size_t pos = p0;
  for (int item = 2; item <= n; ++item) {
    const size_t d = S.find(delimiter, pos);
    if (d == std::string::npos) return def;
    pos = d + 1;
    if (pos <= p0 || pos > listEnd) return def;
  }
  return LeadingNumber(std::string_view(S).substr(pos));
}

}  // namespace

double ExtractItem(std::string_view text, std::string_view key, int n, double def) {
  return ExtractCore(text, key, n, def);
}

double ExtractItem(std::string_view text, std::string_view key, int n, double def, std::string_view unit,
                   const UnitSystem& display) {
  if (!unit.empty() && ToUpper(unit) != "BAR") {
    def = UnitLabel(unit, 0, display).FromBase(def);
  }
  return ExtractCore(text, key, n, def);
}

double ExtractSpacing(std::string_view text, int n, double def) {
  const std::string upper = ToUpper(text);
  static constexpr std::pair<const char*, const char*> kKeys[] = {
      {"(E=", "(e"}, {" E=", " e"}, {"(D=", "(d"}, {" D=", " d"}};
  for (const auto& [probe, key] : kKeys)
    if (upper.find(probe) != std::string::npos) return ExtractItem(text, key, n, def);
  return def;
}

std::string KeyValue(std::string_view text, std::string_view key, int mode, std::string_view def) {
  const std::string S = " " + ToUpper(text);
  const std::string pattern = " " + ToUpper(key) + "=";
  std::string value;
  if (const auto p = S.find(pattern); p != std::string::npos) {
    value = S.substr(p + pattern.size());
    if (mode < 1) value = value.substr(0, value.find(' '));
  } else {
    value = ToUpper(def);
  }
  value = TrimRight(value);
  return value.substr(0, value.find(' '));
}

std::vector<Assignment> ScanAssignments(std::string_view textIn) {
  const std::string text = CompactAround(textIn, "=,");
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::vector<Assignment> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && blank(text[i])) ++i;
    if (i >= text.size()) break;
    size_t end = i;
    while (end < text.size() && !blank(text[end]) && text[end] != '=') ++end;
    Assignment a;
    a.key = text.substr(i, end - i);
    if (end < text.size() && text[end] == '=') {
      a.assigns = true;
      const size_t start = end + 1;
      end = start;
      if (start < text.size() && text[start] == '[') {
        const auto first = text.find(']', start);
        const auto second = first == std::string::npos ? std::string::npos : text.find(']', first + 1);
        // A unit text may hold blanks; without its second "]" it ends at the next blank.
        if (second != std::string::npos && text.find('=', start) > second) end = second + 1;
      }
      while (end < text.size() && !blank(text[end])) ++end;
      a.value = text.substr(start, end - start);
    }
    a.text = text.substr(i, end - i);
    words.push_back(std::move(a));
    i = end;
  }
  return words;
}

}  // namespace tavo
