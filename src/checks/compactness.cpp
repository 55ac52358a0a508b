#include "checks/compactness.h"

#include "sections/section_family.h"

#include <cmath>
#include <string_view>

#include "checks/asd_equations.h"
#include "core/text_helpers.h"

namespace tavo {

namespace {

// Degenerate plates (a zero thickness or depth) give infinite ratios, which simply fail the
// tests; an Lc that is not a number becomes 0 so no step downstream sees it.
double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

// The smaller of the flange-width limit and the flange-area limit of a beam.
double FlangeLc(double flangeWidth, double flangeArea, double depth, double fy) {
  const double byWidth = asd::LcByFlangeWidth(flangeWidth, fy);
  const double byArea = asd::LcByFlangeArea(flangeArea, depth, fy);
  if (std::isnan(byArea)) return Finite(byWidth);
  return Finite(VMin(byWidth, byArea));
}

}  // namespace

Compactness PlateGirderCompactness(const CurrentSection& cs, const SectionProperties& p, double fy) {
  Compactness c;
  const double k = 0.5 * VMax(cs.bf1 / cs.tf1, cs.bf2 / cs.tf2);
  const double webRatio = cs.hw / cs.tw;
  if (k <= asd::CompactFlangeLimit(fy) && p.Depth / cs.tw <= asd::CompactWebLimit(fy)) {
    c.cls = "C";
  } else {
    const double kc = asd::GirderFlangeCoefficient(webRatio);
    const bool noncompact = k <= asd::NoncompactGirderFlangeLimit(fy, kc) && webRatio <= asd::NoncompactGirderWebLimit(fy);
    c.cls = noncompact ? "N" : "S";
  }
  // Flange 2 is the compression flange.
  c.Lc = FlangeLc(cs.bf2, cs.bf2 * cs.tf2, p.Depth, fy);
  return c;
}

Compactness CrossCompactness(const CurrentSection& cs, const SectionProperties& p, double fy) {
  Compactness c;
  const double flangeLimit = asd::CompactFlangeLimit(fy), webLimit = asd::CompactWebLimit(fy);
  const bool compact = 0.5 * cs.bf1 / cs.tf1 < flangeLimit && 0.5 * cs.bf2 / cs.tf2 < flangeLimit &&
                       p.Depth / cs.tw < webLimit && p.Width / cs.tw < webLimit;
  c.cls = compact ? "C" : "N";
  c.Lc = FlangeLc(cs.bf1, cs.bf1 * cs.tf1, p.Depth, fy);
  return c;
}

Compactness BoxCompactness(const CurrentSection& cs, const SectionProperties& p, double fy) {
  Compactness c;
  const bool compact = cs.d / cs.tf < asd::CompactBoxFlangeLimit(fy) && p.Depth / cs.tw < asd::CompactWebLimit(fy) &&
                       cs.h / cs.b < asd::kBoxDepthToWidthLimit && cs.tf < asd::kBoxFlangeToWebThicknessLimit * cs.tw;
  c.cls = compact ? "C" : "N";
  c.Lc = Finite(asd::BoxLc(cs.b, fy));
  return c;
}

Compactness TubeCompactness(const CurrentSection& cs, double fy) {
  Compactness c;
  c.cls = cs.D / cs.t <= asd::CompactTubeLimit(fy) ? "C" : "N";
  c.Lc = 0;  // a tube does not buckle laterally
  return c;
}

Compactness ChannelCompactness(const CurrentSection& cs, double fy) {
  Compactness c;
  // The channel's flange ratio is b/tf, without the half used for I-type flanges.
  c.cls = (cs.b / cs.tf < asd::CompactFlangeLimit(fy) && cs.h / cs.tw < asd::CompactWebLimit(fy)) ? "C" : "N";
  c.Lc = 0;  // no rule gives a channel an Lc
  return c;
}

Compactness RolledCompactness(const CurrentSection& cs, const SectionProperties& p, double fy) {
  Compactness c;
  const std::string_view code = cs.family;
  const bool castellated = code.find("CNP") != std::string_view::npos || code.find("CPE") != std::string_view::npos ||
                           code.find("CPB") != std::string_view::npos;
  if (castellated)
    c.cls = "N";
  else
    c.cls = (0.5 * cs.b / cs.tf < asd::CompactFlangeLimit(fy) && cs.h / cs.tw < asd::CompactWebLimit(fy)) ? "C" : "N";
  const double af = cs.Count * cs.b * cs.tf + cs.PlateWidth * cs.PlateThickness;
  if (cs.Count <= 1) {
    c.Lc = FlangeLc(cs.b, af, p.Depth, fy);
  } else {
    c.Lc = Finite(asd::LcByFlangeArea(af, p.Depth, fy));
  }
  return c;
}

Compactness ClassifySection(const Section& s, double fy) {
  // A family without a rule (angles) has no class and Lc 0.
  if (s.family == nullptr || s.family->compactness == nullptr) return {};
  return s.family->compactness(s, fy);
}

}  // namespace tavo
