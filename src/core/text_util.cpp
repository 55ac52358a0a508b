#include "core/text_util.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace tavo {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }
}  // namespace

std::string ToUpper(std::string_view s) {
  std::string r(s);
  for (auto& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

std::string ToLower(std::string_view s) {
  std::string r(s);
  for (auto& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  return ToUpper(haystack).find(ToUpper(needle)) != std::string::npos;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::vector<std::string> Split(std::string_view s, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const auto p = s.find(separator, start);
    if (p == std::string_view::npos) {
      parts.emplace_back(s.substr(start));
      return parts;
    }
    parts.emplace_back(s.substr(start, p - start));
    start = p + 1;
  }
}

namespace {
// Past an optional sign, digits and a decimal part from i; digits says whether any were seen.
size_t MantissaEnd(std::string_view s, size_t i, bool& digits) {
  digits = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, digits = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, digits = true;
  }
  return i;
}
}  // namespace

double NumericValue(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  const size_t begin = i;
  bool digits = false;
  i = MantissaEnd(s, i, digits);
  if (!digits) return 0.0;
  size_t end = i;
  // An exponent counts only when digits follow it ("8E" is just 8).
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
      while (j < s.size() && s[j] >= '0' && s[j] <= '9' && j - i < 6) ++j;
      end = j;
    }
  }
  const std::string token(s.substr(begin, end - begin));
  const double v = std::strtod(token.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

std::optional<double> ParseNumber(std::string_view s) {
  bool digits = false;
  size_t i = MantissaEnd(s, 0, digits);
  if (!digits) return std::nullopt;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool exponent = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, exponent = true;
    if (!exponent) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  // from_chars: no copy, no locale; it takes no leading '+', which the scan above allowed.
  const size_t from = !s.empty() && s[0] == '+' ? 1 : 0;
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data() + from, s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string CompactAround(std::string_view text, std::string_view marks) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (marks.find(c) != std::string_view::npos) {
      while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
      out += c;
      while (i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '\t')) ++i;
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// A "%g" text with an exponent ("-1.25e-20") in plain decimals: its digits with the point
// moved, so no digit is lost however small or large the value is.
std::string WithoutExponent(const std::string& g) {
  const std::size_t e = g.find_first_of("eE");
  std::string mantissa = g.substr(0, e);
  const int exponent = std::atoi(g.c_str() + e + 1);
  std::string sign;
  if (!mantissa.empty() && mantissa[0] == '-') sign = "-", mantissa.erase(0, 1);
  const std::size_t point = mantissa.find('.');
  const int whole = static_cast<int>(point == std::string::npos ? mantissa.size() : point);
  std::string digits = mantissa;
  if (point != std::string::npos) digits.erase(point, 1);
  const int pointAt = whole + exponent;  // where the point stands among the digits
  const int count = static_cast<int>(digits.size());
  std::string plain;
  if (pointAt <= 0)
    plain = "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
  else if (pointAt >= count)
    plain = digits + std::string(static_cast<std::size_t>(pointAt - count), '0');
  else
    plain = digits.substr(0, static_cast<std::size_t>(pointAt)) + "." + digits.substr(static_cast<std::size_t>(pointAt));
  if (plain.find('.') != std::string::npos) {
    while (plain.back() == '0') plain.pop_back();
    if (plain.back() == '.') plain.pop_back();
  }
  return sign + plain;
}

}  // namespace

std::string ShortestText(double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return "0";
  char buf[64];
  // The shortest text that reads back as the same value, written without an exponent.
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, value);
    if (std::strtod(buf, nullptr) == value) break;
  }
  const std::string g(buf);
  if (g.find_first_of("eE") == std::string::npos) return g;
  return WithoutExponent(g);
}

}  // namespace tavo
