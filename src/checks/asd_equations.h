#pragma once
// The equations of the allowable-stress design rules, one function or constant each, so that
// another design code can sit beside them in its own namespace. Metric constants: stresses and
// Fy in kg/cm², lengths cm, areas cm². The comments name the clause in the numbering of the
// 1989 allowable-stress design rules (AISC ASD) and, in parentheses, the ksi form the metric
// constant comes from; where the clause is not known for certain, they say so.
// Keep each expression's order of operations as it is: the results must stay bit for bit
// the same from one version to the next.

namespace tavo {

// Young's modulus of steel, kg/cm²: the one value behind the column curve (Cc and the elastic
// range), the same the analysis section records carry.
inline constexpr double kSteelModulus = 2100000;

namespace asd {

// --- Limiting width-to-thickness ratios (Table B5.1) -----------------------------------------

// b/2tf of a compact unstiffened flange: 545/√Fy (65/√Fy in ksi).
double CompactFlangeLimit(double fy);
// d/tw of a compact web in bending: 5365/√Fy (640/√Fy).
double CompactWebLimit(double fy);
// kc of a built-up girder's flange from its web ratio h/tw (footnote to Table B5.1):
// 4.05/(h/tw)^0.46 above 70, else 1.
double GirderFlangeCoefficient(double webRatio);
// b/2tf of a non-compact flange of a built-up girder: 795/√(Fy/kc) (95/√(Fy/kc)).
double NoncompactGirderFlangeLimit(double fy, double kc);
// h/tw of a non-compact web in bending: 6370/√(0.6·Fy) (760/√Fb with Fb = 0.60·Fy).
double NoncompactGirderWebLimit(double fy);
// b/tf of a compact box flange between the webs: 1590/√Fy (190/√Fy).
double CompactBoxFlangeLimit(double fy);
// D/t of a compact tube: 232000/Fy (3300/Fy).
double CompactTubeLimit(double fy);

// Proportions a box needs besides its plate ratios to count as compact: depth below six times
// the width, flange thickness below twice the web thickness (clause not confirmed).
inline constexpr double kBoxDepthToWidthLimit = 6;
inline constexpr double kBoxFlangeToWebThicknessLimit = 2;

// --- Limiting unbraced length Lc -------------------------------------------------------------

// Lc of an I-shaped member from its compression flange width bf (F1.1): 635·bf/√Fy
// (76·bf/√Fy).
double LcByFlangeWidth(double flangeWidth, double fy);
// Lc of an I-shaped member from its compression flange area Af and depth d (F1.1):
// 1400000·Af/(Fy·d) (20000/((d/Af)·Fy)).
double LcByFlangeArea(double flangeArea, double depth, double fy);
// Lc of a box from its width b: 53000·b/Fy (clause not confirmed).
double BoxLc(double width, double fy);

// --- Allowable bending stress ----------------------------------------------------------------

// A compact section braced within Lc (F1-1): 0.66·Fy.
double CompactBendingStress(double fy);
// A non-compact section, and the ceiling of the lateral-buckling stresses (F1-5): 0.60·Fy.
double NoncompactBendingStress(double fy);
// Lb/rT below which lateral buckling leaves 0.60·Fy (F1.3, where F1-6 starts):
// √(7200000·Cb/Fy) (√(102000·Cb/Fy)).
double LateralBucklingLowerRatio(double fy, double Cb);
// Lb/rT from which elastic lateral buckling applies (F1.3, where F1-7 starts):
// √(36000000·Cb/Fy) (√(510000·Cb/Fy)).
double LateralBucklingUpperRatio(double fy, double Cb);
// Inelastic lateral buckling, q = Lb/rT (F1-6): [2/3 − Fy·q²/(107500000·Cb)]·Fy
// (1530000·Cb in ksi).
double InelasticLateralBucklingStress(double q, double fy, double Cb);
// Elastic lateral buckling, q = Lb/rT (F1-7): 12000000·Cb/q² (170000·Cb/q²).
double ElasticLateralBucklingStress(double q, double Cb);
// Lateral buckling resisted by the compression flange alone (F1-8): 840000·Cb/(Lb·d/Af)
// (12000·Cb/(Lb·d/Af)).
double FlangeLateralBucklingStress(double Lb, double depth, double flangeArea, double Cb);

// --- Tension and compression -----------------------------------------------------------------

// Allowable tensile stress on the gross area (D1): 0.60·Fy.
double TensileStress(double fy);

// Slenderness limits (B7): KL/r of a member in compression at most 200, L/r of a member in
// tension below 300.
inline constexpr double kCompressionSlendernessLimit = 200;
inline constexpr double kTensionSlendernessLimit = 300;
// Fa beyond the compression limit: practically no compression (the program's own value).
inline constexpr double kNoCompressionStress = 0.01;

// Slenderness dividing inelastic from elastic column buckling (E2): Cc = π·√(2E/Fy).
double ColumnSlendernessCc(double fy);
// Factor of safety of the column curve at q = (KL/r)/Cc (E2-1), starting at 1.67 (not 5/3):
// 1.67 + 0.375·q − 0.125·q³.
double ColumnSafetyFactor(double q);
// Inelastic column buckling, q ≤ 1 (E2-1): Fy·(1 − q²/2)/FS.
double InelasticColumnStress(double fy, double q);
// Elastic column buckling, KL/r above Cc (E2-2), with the factor of safety E2-1 reaches at Cc
// (1.92, not 23/12) so that the curve is continuous: π²·E/(1.92·λ²).
double ElasticColumnStress(double lambda);

}  // namespace asd
}  // namespace tavo
