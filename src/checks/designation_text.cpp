#include "checks/designation_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/text_util.h"
#include "core/units.h"
#include "sections/designation_parts.h"

namespace tavo {

double Round2(double v) { return RoundTo(v, 2); }

// "Exceeds" for spacings: a rounded spacing one ulp above an unrounded threshold built from the
// same catalogue numbers is the default spacing, not a chosen one.
bool Exceeds(double value, double threshold) { return value > threshold + 1e-9; }

bool Departs(double value, double defaultValue) {
  return std::fabs(value - defaultValue) > 1e-12 * std::max(std::fabs(value), std::fabs(defaultValue));
}

// A length in cm written in the input's length unit, to 7 significant digits: the unit factors
// are single precision, so 12 cm in a millimetre input is 119.99999821 before this rounding.
// The parser reads the text back to the same centimetres (it rounds spacings to 2 decimals).
std::string InputLengthText(double cm, double lengthFactor) {
  const double v = cm / lengthFactor;
  if (!(std::isfinite(v) && v != 0)) return NumberText(v);
  const double scale = std::pow(10.0, 6 - static_cast<int>(std::floor(std::log10(std::fabs(v)))));
  return NumberText(std::round(v * scale) / scale);
}

// The arrangement marks are the arrangement's, written once at the end of the full text.
std::string WithoutArrangement(std::string base) {
  for (const char* mark : {"<>", "][", "[]"})
    for (auto p = base.find(mark); p != std::string::npos; p = base.find(mark)) base.erase(p, 2);
  return base;
}

std::string Joined(std::initializer_list<double> cms) {
  std::string s;
  for (double v : cms) {
    if (!s.empty()) s += '*';
    s += MmText(v);
  }
  return s;
}

std::string CoverPlateText(const CurrentSection& cs, bool single) {
  if (!(cs.PlateWidth * cs.PlateThickness > 0)) return {};
  return (single ? "+PL" : "+2PL") + Joined({cs.PlateWidth, cs.PlateThickness});
}

std::string SpacingPart(bool shown, const CurrentSection& cs, double lengthFactor) {
  return shown ? "  (d=" + InputLengthText(Round2(cs.d), lengthFactor) + ")" : std::string();
}

std::string WebPlateText(const CurrentSection& cs) {
  if (!(cs.WebPlateHeight * cs.WebPlateThickness > 0)) return {};
  std::string s = "+WPL" + Joined({cs.WebPlateHeight, cs.WebPlateThickness}) + "  ";
  const double defaultPlace = (cs.Count - 1) * cs.d + cs.tw + cs.WebPlateThickness;
  // The distance is the designation's own length, whatever the input's unit.
  if (Departs(cs.DPL, defaultPlace)) s += "(DPL=" + WebPlateDistanceText(cs.DPL) + ")";
  return s;
}

std::string WebPlateDistanceText(double cm) {
  if (cm < 1) return NumberText(cm / 100);
  const std::string text = NumberText(cm);
  return std::strtod(text.c_str(), nullptr) < 100 ? text : NumberText(cm * 10);
}

void RebuildDesignationTexts(CurrentSection& cs, const SectionFamily* family, double lengthFactor) {
  if (!(std::isfinite(lengthFactor) && lengthFactor > 0)) lengthFactor = 1.0;
  if (family != nullptr && family->rebuildText != nullptr) family->rebuildText(cs, lengthFactor);
}

}  // namespace tavo
