#include "sections/designation_parts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "core/text_helpers.h"
#include "core/text_util.h"
#include "core/units.h"

namespace tavo {

namespace {

bool Contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

// The first of the codes, in list order, that the text contains.
ShapeName FirstCodeOf(std::string_view text, std::initializer_list<std::string_view> codes, ShapeKind kind) {
  for (const auto code : codes)
    if (const auto p = text.find(code); p != std::string_view::npos) return {kind, std::string(code), p};
  return {};
}

}  // namespace

ShapeName ShapeOf(std::string_view text) {
  if (StartsWith(text, "PG")) return {ShapeKind::PlateGirder, "", 0};
  if (StartsWith(text, "CROSS")) return {ShapeKind::Cross, "", 0};
  if (StartsWith(text, "BOX")) return {ShapeKind::Box, "", 0};
  if (StartsWith(text, "TUBE")) return {ShapeKind::Tube, "", 0};
  if (StartsWith(text, "2L") && NumericValue(text.substr(2)) > 0) return {ShapeKind::Angle, "L", 1};
  if (StartsWith(text, "L") && NumericValue(text.substr(1)) > 0) return {ShapeKind::Angle, "L", 0};
  if (const auto p = text.find("UNP"); p != std::string_view::npos) return {ShapeKind::Channel, "UNP", p};
  if (Contains(text, "CPB") || Contains(text, "CPE") || Contains(text, "CNP"))
    return FirstCodeOf(text, {"CNP", "CPE", "CPB"}, ShapeKind::Castellated);
  // Shorter texts cannot hold a family code and a size.
  if (text.size() < 5) return {};
  return FirstCodeOf(text, {"INP", "IPE", "IPB", "HPE", "HNP", "HPB"}, ShapeKind::Rolled);
}

int CountBefore(std::string_view text, std::size_t nameAt) {
  if (nameAt == std::string::npos || nameAt == 0) return 0;
  const double v = NumericValue(text.substr(0, std::min(nameAt, text.size())));
  // Clamped before the cast: a count of 1e300 is as wrong as 1000, and must not overflow.
  return static_cast<int>(std::clamp(std::trunc(v), -1000.0, 1000.0));
}

double SizeAfter(std::string_view text, std::size_t nameAt, std::size_t codeLength) {
  if (nameAt == std::string::npos || nameAt + codeLength > text.size()) return 0;
  return NumericValue(text.substr(nameAt + codeLength));
}

bool PlateMarked(std::string_view text, std::size_t nameAt, std::initializer_list<std::string_view> markers) {
  if (nameAt == std::string::npos) return false;
  for (const auto marker : markers) {
    const auto p = text.find(marker);
    if (p != std::string_view::npos && p > nameAt && p - nameAt > 3) return true;
  }
  return false;
}

PlatePair ReadPlatePair(std::string_view text, std::string_view key) {
  return {ExtractItem(text, key, 1, 0) / 10, ExtractItem(text, key, 2, 0) / 10};
}

double WrittenSpacing(std::string_view text, double lengthFactor) {
  // Every spacing key ends in "=": without one there is nothing to read (and no copy to make).
  if (text.find('=') == std::string_view::npos) return 0;
  double d = ExtractSpacing(text, 1, 0) * lengthFactor;
  if (d > 100) d /= 10;
  return d;
}

std::string BaseTextOf(std::string_view text) {
  auto cut = text.find('+');
  if (cut == std::string_view::npos) cut = text.find('(');
  if (cut == std::string_view::npos) cut = text.find("L=");
  return std::string(text.substr(0, cut));
}

std::string MmText(double cm) {
  // Rounded to 6 decimals first so that 10·(x/10) noise never shows as 7.999999999999999.
  const double mm = RoundTo(10 * cm, 6);
  // The shortest round-trip digits without an exponent, as ShortestText writes them, without
  // its trial formatting (names are built for every section of a run).
  char buf[64];
  if (std::isfinite(mm) && std::fabs(mm) < 1e15) {
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, mm == 0 ? 0.0 : mm, std::chars_format::fixed);
    if (ec == std::errc()) return std::string(buf, end);
  }
  return ShortestText(mm);
}

}  // namespace tavo
