// Number masks: a mask and a list of values (numbers, including NaN and infinities, and
// texts) both taken from the bytes. The text is defined and bounded, and the shortest text
// of any double reads back as the same value (or "0" for NaN and infinities).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <algorithm>
#include <variant>
#include <string>
#include <string_view>
#include <vector>

#include "output/number_mask.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Layout: mask length byte, mask, then values: a tag byte ('s' text of n bytes, 'n' NaN,
  // 'i' +inf, 'j' -inf, anything else 8 raw bytes of a double).
  if (size < 1) return 0;
  size_t pos = 0;
  const size_t maskLength = std::min<size_t>(data[pos++], size - 1);
  const std::string_view mask(reinterpret_cast<const char*>(data) + pos, maskLength);
  pos += maskLength;
  std::vector<tavo::MaskValue> values;
  size_t textBytes = 0;
  while (pos < size && values.size() < 64) {
    const uint8_t tag = data[pos++];
    if (tag == 's') {
      size_t n = 0;
      if (pos < size) {
        const size_t wanted = data[pos++];
        n = std::min(wanted, size - pos);
      }
      values.emplace_back(std::string(reinterpret_cast<const char*>(data) + pos, n));
      textBytes += n;
      pos += n;
    } else if (tag == 'n') {
      values.emplace_back(std::numeric_limits<double>::quiet_NaN());
    } else if (tag == 'i') {
      values.emplace_back(std::numeric_limits<double>::infinity());
    } else if (tag == 'j') {
      values.emplace_back(-std::numeric_limits<double>::infinity());
    } else {
      double v = 0;
      const size_t n = std::min<size_t>(sizeof v, size - pos);
      std::memcpy(&v, data + pos, n);
      pos += n;
      values.emplace_back(v);
    }
  }

  const std::string out = tavo::FormatMask(mask, values);
  // Each value prints at most a full double text (or its own text) plus the mask around it.
  const size_t bound = (mask.size() + 1) * (values.size() + 1) + values.size() * 400 + textBytes;
  if (out.size() > bound) std::abort();
  // Non-finite numbers print as 0: the letters of "nan" or "inf" can only come from the mask
  // or a text value.
  bool lettersGiven = mask.find_first_of("nNiI") != std::string_view::npos;
  for (const auto& v : values)
    if (std::holds_alternative<std::string>(v)) lettersGiven = true;
  if (!lettersGiven && out.find_first_of("nNiI") != std::string::npos) std::abort();

  for (const auto& v : values) {
    const auto* d = std::get_if<double>(&v);
    if (!d) continue;
    const std::string shortest = tavo::ShortestFixedText(*d);
    if (shortest.empty() || shortest.size() > 400) std::abort();
    if (!std::isfinite(*d)) {
      if (shortest != "0") std::abort();
    } else if (std::strtod(shortest.c_str(), nullptr) != *d) {
      std::abort();
    }
  }

  std::vector<double> seven;
  for (const auto& v : values)
    if (const auto* d = std::get_if<double>(&v); d && seven.size() < 7) seven.push_back(*d);
  // The exponent is at least three characters; a double's own range bounds it at four
  // ("-308"), which the mask prints behind "%" as too wide for its two digits.
  if (seven.size() == 7)
    for (const auto& c : tavo::CompactScientificTexts(seven))
      if (!std::isfinite(c.mantissa) || c.exponent.size() < 3 || c.exponent.size() > 4) std::abort();
  return 0;
}
