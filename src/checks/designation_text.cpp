#include "checks/designation_text.h"

#include <cmath>

#include "core/text_util.h"
#include "core/units.h"
#include "sections/designation_parts.h"

namespace tavo {

namespace {

double Round2(double v) { return RoundTo(v, 2); }

// "Exceeds" for spacings: a rounded spacing one ulp above an unrounded threshold built from the
// same catalogue numbers is the default spacing, not a chosen one.
bool Exceeds(double value, double threshold) { return value > threshold + 1e-9; }

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

}  // namespace

std::string CoverPlateText(const CurrentSection& cs, CheckFamily family) {
  if (!(cs.PlateWidth * cs.PlateThickness > 0)) return {};
  const bool single = family == CheckFamily::Channel || family == CheckFamily::Angle;
  return (single ? "+PL" : "+2PL") + Joined({cs.PlateWidth, cs.PlateThickness});
}

std::string SpacingText(const CurrentSection& cs, CheckFamily family, double lengthFactor) {
  const bool plate = cs.PlateWidth * cs.PlateThickness > 0;
  bool shown = false;
  switch (family) {
    case CheckFamily::Box:
      if (Round2(cs.d) != Round2(cs.b - cs.tw)) return "(d=" + InputLengthText(cs.d, lengthFactor) + ")";
      return {};
    case CheckFamily::Angle:
      if (cs.Count > 1) {
        // The spacing the assembly takes when none is written (h holds the leg, tw its thickness);
        // any other spacing must be written for the text to give the same section.
        const double tpl = plate ? cs.PlateThickness : 0;
        const double least =
            cs.Arrangement == "<>" ? std::sqrt(2.0) * (cs.h + cs.tw - 2 * cs.e) + tpl : 2 * cs.e + tpl;
        shown = Exceeds(Round2(cs.d), Round2(least));
      }
      break;
    case CheckFamily::Channel:
      if (cs.Count > 1) {
        const double tpl = plate ? cs.PlateThickness : 0;
        const double least = cs.Arrangement == "][" ? 2 * cs.e + tpl : 2 * (cs.b - cs.e) + tpl;
        shown = Exceeds(Round2(cs.d), Round2(least));
      }
      break;
    case CheckFamily::Rolled:
      shown = cs.Count > 1 && Exceeds(cs.d, cs.b);
      break;
    default:
      return {};
  }
  return shown ? "  (d=" + InputLengthText(Round2(cs.d), lengthFactor) + ")" : std::string();
}

std::string WebPlateText(const CurrentSection& cs) {
  if (!(cs.WebPlateHeight * cs.WebPlateThickness > 0)) return {};
  std::string s = "+WPL" + Joined({cs.WebPlateHeight, cs.WebPlateThickness}) + "  ";
  const double defaultPlace = (cs.Count - 1) * cs.d + cs.tw + cs.WebPlateThickness;
  // The distance is the designation's own length, in cm whatever the input's unit; below 1 cm
  // it is written in metres, since a number below 1 is read as metres.
  if (Round2(cs.DPL) != Round2(defaultPlace))
    s += "(DPL=" + (cs.DPL < 1 ? NumberText(cs.DPL / 100) : NumberText(cs.DPL)) + ")";
  return s;
}

void RebuildDesignationTexts(CurrentSection& cs, CheckFamily family, double lengthFactor) {
  if (!(std::isfinite(lengthFactor) && lengthFactor > 0)) lengthFactor = 1.0;
  switch (family) {
    case CheckFamily::PlateGirder:
      cs.BaseText = "PG" + Joined({cs.hw, cs.tw, cs.bf1, cs.tf1, cs.bf2, cs.tf2});
      cs.FullText = cs.BaseText;
      break;
    case CheckFamily::Cross:
      cs.BaseText = "CROSS" + Joined({cs.h1, cs.h2, cs.tw, cs.bf1, cs.tf1, cs.bf2, cs.tf2});
      cs.FullText = cs.BaseText;
      break;
    case CheckFamily::Box:
      cs.BaseText = "BOX" + Joined({cs.h, cs.tw, cs.b, cs.tf});
      cs.FullText = cs.BaseText + "   " + SpacingText(cs, family, lengthFactor);
      break;
    case CheckFamily::Tube:
      cs.BaseText = "TUBE" + Joined({cs.D, cs.t});
      cs.FullText = cs.BaseText;
      break;
    case CheckFamily::Channel:
    case CheckFamily::Angle:
      cs.FullText = WithoutArrangement(cs.BaseText) + CoverPlateText(cs, family) + "   " +
                    SpacingText(cs, family, lengthFactor) + "   " + cs.Arrangement;
      break;
    case CheckFamily::Rolled:
      cs.FullText = cs.BaseText + CoverPlateText(cs, family) + WebPlateText(cs) + SpacingText(cs, family, lengthFactor);
      break;
  }
}

}  // namespace tavo
