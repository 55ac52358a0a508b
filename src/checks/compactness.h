#pragma once
// Compactness class ("C", "N", "S") from the plates' width-to-thickness ratios and the limiting
// unbraced length Lc, one rule per family. Fy in kg/cm², lengths in cm.
#include <string>

#include "sections/section.h"

namespace tavo {

struct Compactness {
  std::string cls;  // empty for angles, which have no class
  double Lc = 0;    // 0 where no rule gives one (angles, channels, tubes)
};

Compactness PlateGirderCompactness(const CurrentSection& cs, const SectionProperties& p, double fy);
Compactness CrossCompactness(const CurrentSection& cs, const SectionProperties& p, double fy);
Compactness BoxCompactness(const CurrentSection& cs, const SectionProperties& p, double fy);
Compactness TubeCompactness(const CurrentSection& cs, double fy);
Compactness ChannelCompactness(const CurrentSection& cs, double fy);
Compactness RolledCompactness(const CurrentSection& cs, const SectionProperties& p, double fy);

// The class and Lc by the rule of the section's family.
Compactness ClassifySection(const Section& section, double fy);

}  // namespace tavo
