#include "output/number_mask.h"

#include <algorithm>
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

struct MaskKeyHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// A run writes the same dozen masks for every element: each is parsed once.
const std::vector<Field>& ParseMask(std::string_view mask) {
  thread_local std::unordered_map<std::string, std::vector<Field>, MaskKeyHash, std::equal_to<>> cache;
  auto it = cache.find(mask);
  if (it == cache.end()) {
    if (cache.size() > 256) cache.clear();
    it = cache.emplace(std::string(mask), ParseMaskText(mask)).first;
  }
  return it->second;
}

// Fixed-point field. Rounding is that of the exact binary value, halves to even.
void AppendFixed(std::string& out, double v, const Field& f) {
  const size_t width = static_cast<size_t>(f.intDigits) + (f.point ? 1 : 0) + static_cast<size_t>(f.decimals);
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, f.decimals);
  const std::string_view digits(buf, static_cast<size_t>((res.ec == std::errc() ? res.ptr : buf) - buf));
  std::string_view whole = digits, frac;
  if (const auto dot = digits.find('.'); dot != std::string_view::npos) {
    whole = digits.substr(0, dot);
    frac = digits.substr(dot + 1);
  }
  const bool zero = digits.find_first_not_of("0.") == std::string_view::npos;
  const bool negative = v < 0 && !zero;
  // No integer positions: a value below 1 goes without its leading zero.
  if (whole == "0" && f.intDigits == 0) whole = {};
  const size_t fracSize = f.point ? 1 + frac.size() : 0;
  size_t size = (negative ? 1 : 0) + whole.size() + fracSize;
  if (size > width && whole == "0") {
    whole = {};
    size = (negative ? 1 : 0) + fracSize;
  }
  if (size > width) {
    out += '%';
    if (negative) out += '-';
    out += whole.empty() ? std::string_view("0") : whole;
  } else {
    out.append(width - size, ' ');
    if (negative) out += '-';
    out += whole;
  }
  if (f.point) {
    out += '.';
    out += frac;
  }
}

// The digits and power of ten of a scientific field: k integer digits of the mantissa.
// A mask may ask for any number of digits, so they are not held in a fixed buffer.
struct ScientificParts {
  std::string digits;
  int exponent = 0;
};

ScientificParts Scientific(double v, int k, int significant) {
  ScientificParts p;
  if (v == 0) {
    p.digits.assign(static_cast<size_t>(significant), '0');
    return p;
  }
  std::string buf(static_cast<size_t>(significant) + 16, '\0');
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(v), std::chars_format::scientific,
                                 significant - 1);
  const char* end = res.ec == std::errc() ? res.ptr : buf.data();
  const char* e = std::find(static_cast<const char*>(buf.data()), end, 'e');
  p.digits.reserve(static_cast<size_t>(significant));
  for (const char* c = buf.data(); c < e; ++c)
    if (*c != '.') p.digits.push_back(*c);
  int e10 = 0;
  if (e < end) std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), end, e10);
  p.exponent = k > 0 ? e10 - (k - 1) : e10 + 1;
  return p;
}

// Scientific field. The first digit position carries the sign (a blank for a positive value),
// so "###^^^^" keeps two significant digits; a single position "#^^^^" is a digit.
void AppendScientific(std::string& out, double v, const Field& f) {
  const int k = f.intDigits >= 2 ? f.intDigits - 1 : f.intDigits;  // integer digits of the mantissa
  const bool signPosition = f.intDigits >= 2;
  const ScientificParts parts = Scientific(v, k, std::max(1, k + f.decimals));
  const std::string_view digits(parts.digits);
  const size_t split = std::min(static_cast<size_t>(k), digits.size());
  char exp[16];
  const int expSize = std::snprintf(exp, sizeof exp, "E%c%02d", parts.exponent < 0 ? '-' : '+', std::abs(parts.exponent));
  bool overflow = expSize > 4;
  char sign = 0;
  if (v < 0) {
    sign = '-';
    if (!signPosition) overflow = true;
  } else if (signPosition) {
    sign = ' ';
  }
  if (overflow) out += '%';
  if (sign == '-' || (sign == ' ' && !overflow)) out += sign;
  if (v == 0 && k > 0) {
    out.append(static_cast<size_t>(k - 1), ' ');
    out += '0';
  } else {
    out += digits.substr(0, split);
  }
  if (f.point) {
    out += '.';
    out += digits.substr(split);
  }
  out.append(exp, static_cast<size_t>(expSize));
}

void AppendNumber(std::string& out, double v, const Field& f) {
  if (!std::isfinite(v)) v = 0;  // a record never carries NaN or infinity
  if (f.scientific)
    AppendScientific(out, v, f);
  else
    AppendFixed(out, v, f);
}

double AsNumber(const MaskValue& v) {
  if (const double* d = std::get_if<double>(&v)) return *d;
  return NumericValue(std::get<std::string>(v));
}

void AppendText(std::string& out, const MaskValue& v) {
  if (const std::string* s = std::get_if<std::string>(&v))
    out += *s;
  else
    out += ShortestText(std::get<double>(v));
}

}  // namespace

void AppendMask(std::string& out, std::string_view mask, std::span<const MaskValue> values) {
  const std::vector<Field>& fields = ParseMask(mask);
  bool hasField = false;
  for (const auto& f : fields) hasField = hasField || f.kind != Field::Literal;
  if (!hasField) {
    for (const auto& f : fields) out += f.literal;
    return;
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
    if (f.kind == Field::Text)
      AppendText(out, v);
    else
      AppendNumber(out, AsNumber(v), f);
    ++pos;
  }
}

std::string FormatMask(std::string_view mask, std::span<const MaskValue> values) {
  std::string out;
  AppendMask(out, mask, values);
  return out;
}

void AppendMask(std::string& out, std::string_view mask, std::initializer_list<MaskValue> values) {
  AppendMask(out, mask, std::span<const MaskValue>(values.begin(), values.size()));
}

std::string FormatMask(std::string_view mask, std::initializer_list<MaskValue> values) {
  return FormatMask(mask, std::span<const MaskValue>(values.begin(), values.size()));
}

std::string ShortestFixedText(double value) {
  char buf[400];
  return std::string(buf, ShortestFixedText(value, buf, sizeof buf));
}

size_t ShortestFixedText(double value, char* buffer, size_t size) {
  if (!std::isfinite(value) || value == 0) {
    buffer[0] = '0';
    return 1;
  }
  const auto res = std::to_chars(buffer, buffer + size, value, std::chars_format::fixed);
  if (res.ec == std::errc()) return static_cast<size_t>(res.ptr - buffer);
  const std::string text = ShortestText(value);
  const size_t n = std::min(size, text.size());
  text.copy(buffer, n);
  return n;
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
  // What "###^^^^_,#####^^^^_,#####^^^^_,#####^^^^_,#####^^^^_,#^^^^_,#^^^^" prints, split
  // again, without the text in between: the mantissa's integer digits with the value's sign.
  static constexpr int kDigits[7] = {2, 4, 4, 4, 4, 1, 1};
  std::vector<CompactScientific> parts;
  parts.reserve(7);
  for (size_t i = 0; i < sevenValues.size() && i < 7; ++i) {
    double v = sevenValues[i];
    if (!std::isfinite(v)) v = 0;
    const int k = kDigits[i];
    const ScientificParts sci = Scientific(v, k, k);
    CompactScientific c;
    if (v != 0) {
      long digits = 0;
      std::from_chars(sci.digits.data(), sci.digits.data() + std::min(static_cast<size_t>(k), sci.digits.size()), digits);
      c.mantissa = v < 0 ? -static_cast<double>(digits) : static_cast<double>(digits);
    }
    c.exponent = std::to_string(sci.exponent);
    if (c.exponent.size() < 3) c.exponent.append(3 - c.exponent.size(), ' ');
    parts.push_back(std::move(c));
  }
  return parts;
}

}  // namespace tavo
