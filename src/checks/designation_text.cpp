#include "checks/designation_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/text_util.h"
#include "core/units.h"

namespace tavo {

namespace {

double Round2(double v) { return RoundTo(v, 2); }

// "Exceeds" for spacings: a rounded spacing one ulp above an unrounded threshold built from the
// same catalogue numbers is the default spacing, not a chosen one.
bool Exceeds(double value, double threshold) { return value > threshold + 1e-9; }

std::string Joined(std::initializer_list<double> cms) {
  std::string s;
  for (double v : cms) {
    if (!s.empty()) s += '*';
    s += DimensionText(v);
  }
  return s;
}

}  // namespace

std::string NumberText(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  // Without an exponent, %.15g already is the shortest text of the cleaned value.
  if (std::strpbrk(buf, "eE") == nullptr) return std::string(buf) == "-0" ? "0" : std::string(buf);
  return Trim(ShortestText(std::strtod(buf, nullptr)));
}

std::string DimensionText(double cm) { return NumberText(cm * 10.0); }

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
      if (Round2(cs.d) != Round2(cs.b - cs.tw)) return "(d=" + NumberText(cs.d / lengthFactor) + ")";
      return {};
    case CheckFamily::Angle:
      if (!plate && cs.Count > 1) {
        // h holds the angle's leg length.
        const double threshold = cs.Arrangement == "<>" ? 2 * (cs.h - cs.e) * 0.7071 : 2 * cs.e;
        shown = Exceeds(Round2(cs.d), threshold);
      }
      break;
    case CheckFamily::Channel:
      if (!plate && cs.Count > 1) {
        const double threshold = cs.Arrangement == "[]" ? 2 * cs.b - 2 * cs.e : 2 * cs.e;
        shown = Exceeds(Round2(cs.d), threshold);
      }
      break;
    case CheckFamily::Rolled:
      shown = cs.Count > 1 && Exceeds(cs.d, cs.b);
      break;
    default:
      return {};
  }
  return shown ? "  (d=" + NumberText(Round2(cs.d / lengthFactor)) + ")" : std::string();
}

std::string WebPlateText(const CurrentSection& cs, double lengthFactor) {
  if (!(cs.WebPlateHeight * cs.WebPlateThickness > 0)) return {};
  std::string s = "+WPL" + Joined({cs.WebPlateHeight, cs.WebPlateThickness}) + "  ";
  const double defaultPlace = (cs.Count - 1) * cs.d + cs.tw + cs.WebPlateThickness;
  if (Round2(cs.DPL) != Round2(defaultPlace)) s += "(DPL=" + NumberText(cs.DPL / lengthFactor) + ")";
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
      cs.FullText = cs.BaseText + CoverPlateText(cs, family) + "   " + SpacingText(cs, family, lengthFactor) + "   " +
                    cs.Arrangement;
      break;
    case CheckFamily::Rolled:
      cs.FullText = cs.BaseText + CoverPlateText(cs, family) + WebPlateText(cs, lengthFactor) +
                    SpacingText(cs, family, lengthFactor);
      break;
  }
}

}  // namespace tavo
