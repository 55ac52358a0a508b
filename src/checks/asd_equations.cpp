#include "checks/asd_equations.h"

#include <cmath>
#include <numbers>

// The metric constants are the ksi ones times 70.307 (kg/cm² per ksi) or its square root,
// rounded as the rules have always been applied here; they are kept exactly as they are.
namespace tavo::asd {

double CompactFlangeLimit(double fy) { return 545 / std::sqrt(fy); }

double CompactWebLimit(double fy) { return 5365 / std::sqrt(fy); }

double GirderFlangeCoefficient(double webRatio) { return webRatio > 70 ? 4.05 / std::pow(webRatio, 0.46) : 1.0; }

double NoncompactGirderFlangeLimit(double fy, double kc) { return 795 / std::sqrt(fy / kc); }

double NoncompactGirderWebLimit(double fy) { return 6370 / std::sqrt(0.6 * fy); }

double CompactBoxFlangeLimit(double fy) { return 1590 / std::sqrt(fy); }

double CompactTubeLimit(double fy) { return 232000 / fy; }

double LcByFlangeWidth(double flangeWidth, double fy) { return 635 * flangeWidth / std::sqrt(fy); }

double LcByFlangeArea(double flangeArea, double depth, double fy) { return 1400000 * flangeArea / (fy * depth); }

double BoxLc(double width, double fy) { return 53000 * width / fy; }

double CompactBendingStress(double fy) { return 0.66 * fy; }

double NoncompactBendingStress(double fy) { return 0.6 * fy; }

double LateralBucklingLowerRatio(double fy, double Cb) { return std::sqrt(7200000 * Cb / fy); }

double LateralBucklingUpperRatio(double fy, double Cb) { return std::sqrt(36000000 * Cb / fy); }

double InelasticLateralBucklingStress(double q, double fy, double Cb) {
  return (2.0 / 3.0 - fy * q * q / (107500000 * Cb)) * fy;
}

double ElasticLateralBucklingStress(double q, double Cb) { return 12000000 * Cb / (q * q); }

double FlangeLateralBucklingStress(double Lb, double depth, double flangeArea, double Cb) {
  return 840000 * Cb / (Lb * depth / flangeArea);
}

double TensileStress(double fy) { return 0.6 * fy; }

double ColumnSlendernessCc(double fy) { return std::numbers::pi * std::sqrt(2 * kSteelModulus / fy); }

double ColumnSafetyFactor(double q) { return 1.67 + 0.375 * q - 0.125 * q * q * q; }

double InelasticColumnStress(double fy, double q) { return fy * (1 - 0.5 * q * q) / ColumnSafetyFactor(q); }

double ElasticColumnStress(double lambda) {
  return std::numbers::pi * std::numbers::pi * kSteelModulus / (ColumnSafetyFactor(1) * lambda * lambda);
}

}  // namespace tavo::asd
