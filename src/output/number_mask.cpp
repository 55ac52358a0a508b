#include "output/number_mask.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "core/text_util.h"

namespace tavo {

namespace {

struct Field {
  enum Kind { Literal, Number, Text } kind = Literal;
  std::string literal;
  int intDigits = 0;
  bool point = false;
  int decimals = 0;
  bool scientific = false;
};

std::vector<Field> ParseMaskText(std::string_view mask) {
  std::vector<Field> fields;
  auto literal = [&](char c) {
    if (fields.empty() || fields.back().kind != Field::Literal) fields.push_back(Field{});
    fields.back().literal.push_back(c);
  };
  size_t i = 0;
  while (i < mask.size()) {
    const char c = mask[i];
    if (c == '_') {
      if (i + 1 < mask.size()) literal(mask[i + 1]);
      i += 2;
    } else if (c == '&') {
      Field f;
      f.kind = Field::Text;
      fields.push_back(f);
      ++i;
    } else if (c == '#' || (c == '.' && i + 1 < mask.size() && mask[i + 1] == '#')) {
      Field f;
      f.kind = Field::Number;
      while (i < mask.size() && mask[i] == '#') ++f.intDigits, ++i;
      if (i < mask.size() && mask[i] == '.') {
        f.point = true;
        ++i;
        while (i < mask.size() && mask[i] == '#') ++f.decimals, ++i;
      }
      if (mask.substr(i, 4) == "^^^^") {
        f.scientific = true;
        i += 4;
      }
      fields.push_back(f);
    } else {
      literal(c);
      ++i;
    }
  }
  return fields;
}

// A run writes the same dozen masks for every element: each is parsed once.
const std::vector<Field>& ParseMask(std::string_view mask) {
  thread_local std::unordered_map<std::string, std::vector<Field>> cache;
  const std::string key(mask);
  auto it = cache.find(key);
  if (it == cache.end()) {
    if (cache.size() > 256) cache.clear();
    it = cache.emplace(key, ParseMaskText(mask)).first;
  }
  return it->second;
}

std::string PadLeft(const std::string& s, size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

// Fixed-point field. Rounding is that of the exact binary value, halves to even.
std::string FormatFixed(double v, const Field& f) {
  const size_t width = static_cast<size_t>(f.intDigits) + (f.point ? 1 : 0) + static_cast<size_t>(f.decimals);
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, f.decimals);
  std::string digits(buf, res.ec == std::errc() ? res.ptr : buf);
  std::string whole = digits, frac;
  if (const auto dot = digits.find('.'); dot != std::string::npos) {
    whole = digits.substr(0, dot);
    frac = digits.substr(dot + 1);
  }
  const bool zero = digits.find_first_not_of("0.") == std::string::npos;
  const std::string sign = (v < 0 && !zero) ? "-" : "";
  // No integer positions: a value below 1 goes without its leading zero.
  if (whole == "0" && f.intDigits == 0) whole.clear();
  std::string body = sign + whole + (f.point ? "." + frac : "");
  if (body.size() > width && whole == "0") body = sign + (f.point ? "." + frac : "");
  if (body.size() > width) return "%" + sign + (whole.empty() ? "0" : whole) + (f.point ? "." + frac : "");
  return PadLeft(body, width);
}

// Scientific field. The first digit position carries the sign (a blank for a positive value),
// so "###^^^^" keeps two significant digits; a single position "#^^^^" is a digit.
std::string FormatScientific(double v, const Field& f) {
  const int k = f.intDigits >= 2 ? f.intDigits - 1 : f.intDigits;  // integer digits of the mantissa
  const bool signPosition = f.intDigits >= 2;
  const int significant = std::max(1, k + f.decimals);
  std::string mantissaDigits;
  int exponent = 0;
  if (v == 0) {
    mantissaDigits = std::string(static_cast<size_t>(significant), '0');
  } else {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, significant - 1);
    const std::string s(buf, res.ec == std::errc() ? res.ptr : buf);
    const auto e = s.find('e');
    for (size_t i = 0; i < e; ++i)
      if (s[i] != '.') mantissaDigits.push_back(s[i]);
    const int e10 = std::atoi(s.c_str() + e + 1);
    exponent = k > 0 ? e10 - (k - 1) : e10 + 1;
  }
  std::string whole = mantissaDigits.substr(0, static_cast<size_t>(k));
  std::string frac = mantissaDigits.substr(static_cast<size_t>(k));
  if (v == 0 && k > 0) whole = std::string(static_cast<size_t>(k - 1), ' ') + "0";
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  const std::string expText(exp);
  bool overflow = expText.size() > 4;
  std::string sign;
  if (v < 0) {
    sign = "-";
    if (!signPosition) overflow = true;
  } else if (signPosition) {
    sign = " ";
  }
  std::string body = sign + whole + (f.point ? "." + frac : "") + expText;
  return overflow ? "%" + (sign == " " ? std::string() : sign) + whole + (f.point ? "." + frac : "") + expText : body;
}

std::string FormatNumber(double v, const Field& f) {
  if (!std::isfinite(v)) v = 0;  // a record never carries NaN or infinity
  return f.scientific ? FormatScientific(v, f) : FormatFixed(v, f);
}

double AsNumber(const MaskValue& v) {
  if (const double* d = std::get_if<double>(&v)) return *d;
  return NumericValue(std::get<std::string>(v));
}

std::string AsText(const MaskValue& v) {
  if (const std::string* s = std::get_if<std::string>(&v)) return *s;
  return ShortestText(std::get<double>(v));
}

}  // namespace

std::string FormatMask(std::string_view mask, const std::vector<MaskValue>& values) {
  const std::vector<Field>& fields = ParseMask(mask);
  std::string out;
  bool hasField = false;
  for (const auto& f : fields) hasField = hasField || f.kind != Field::Literal;
  if (!hasField) {
    for (const auto& f : fields) out += f.literal;
    return out;
  }
  size_t pos = 0;
  size_t next = 0;
  // Literals up to the next field; after the last value, up to the next field or the end.
  while (true) {
    if (pos == fields.size()) {
      pos = 0;
      if (next >= values.size()) break;
    }
    const Field& f = fields[pos];
    if (f.kind == Field::Literal) {
      out += f.literal;
      ++pos;
      continue;
    }
    if (next >= values.size()) break;
    const MaskValue& v = values[next++];
    out += f.kind == Field::Text ? AsText(v) : FormatNumber(AsNumber(v), f);
    ++pos;
  }
  return out;
}

std::string ShortestFixedText(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (res.ec != std::errc()) return ShortestText(value);
  return std::string(buf, res.ptr);
}

CompactScientific SplitScientific(std::string_view text) {
  CompactScientific r;
  if (const auto pct = text.find('%'); pct != std::string_view::npos) text.remove_prefix(pct + 1);
  const auto e = text.find_first_of("Ee");
  // The digits before the exponent; NumericValue stops at an "E" without exponent digits.
  r.mantissa = NumericValue(e == std::string_view::npos ? text : text.substr(0, e + 1));
  const double exponent = e == std::string_view::npos ? 0.0 : NumericValue(text.substr(e + 1));
  r.exponent = std::to_string(static_cast<long>(exponent));
  if (r.exponent.size() < 3) r.exponent.append(3 - r.exponent.size(), ' ');
  return r;
}

std::vector<CompactScientific> CompactScientificTexts(const std::vector<double>& sevenValues) {
  static constexpr std::string_view kMask =
      "###^^^^_,#####^^^^_,#####^^^^_,#####^^^^_,#####^^^^_,#^^^^_,#^^^^";
  std::vector<MaskValue> values(sevenValues.begin(), sevenValues.end());
  const std::string line = FormatMask(kMask, values);
  std::vector<CompactScientific> parts;
  for (const auto& t : Split(line, ',')) parts.push_back(SplitScientific(t));
  return parts;
}

}  // namespace tavo
