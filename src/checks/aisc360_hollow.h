#pragma once
// Hollow sections by the limit-state code: rectangular boxes (walls as stiffened elements) and
// round tubes. Each fills the result's classification and limit states of all six strengths.
#include <functional>
#include <string_view>

#include "checks/aisc360.h"

namespace tavo::aisc {

void CheckBox(const Section& section, const MemberData& member, Result& result);
void CheckRound(const Section& section, const MemberData& member, Result& result);

// Pieces the angle and tee chapters share with the hollow ones.

// When `bad` (a zero dimension, area or Fy), marks the result not covered with a note naming
// `what`, and says so.
bool Unusable(Result& result, bool bad, std::string_view what);

// One element's row of Tables B4.1a and B4.1b; a case of 0 leaves that table's class empty.
ElementClassification ClassifyElement(std::string_view element, double ratio, int compressionCase, double lambdaR,
                                      int flexureCase, double lambdaP, double lambdaRf);

// (G2-9), (G2-10), (G2-11) The web shear buckling coefficient Cv2 at h/t and kv; `equation`
// receives the one that applied.
double ShearBucklingCv2(double hOverT, double kv, double fy, std::string* equation = nullptr);

// Compressive strength at the elastic buckling stress fe (E3-2/E3-3 for Fcr): Pn = Fcr·Ag
// (equation `plain`, "E3-1" or "E4-1"), or, when `effectiveArea` is given (slender elements),
// Pn = Fcr·Ae(Fcr) (E7-1). The name says which Fcr branch applied.
LimitState CompressionLimitState(const MemberData& member, std::string_view clause, std::string_view plain,
                                 std::string_view name, double fe, double ag,
                                 const std::function<double(double)>& effectiveArea);

// Fe of flexural-torsional buckling of a singly symmetric member (E4-3) from the flexural
// stress about the symmetry axis, the torsional stress Fez (E4-7 form) and H (E4-8).
double FlexuralTorsionalStress(double fey, double fez, double h);
// (E4-7) Fez with the shear centre at (0, y0) from the centroid; r0² is returned too.
double TorsionalStress(double lcz, double cw, double j, double ag, double ix, double iy, double y0, double* r0sq);

}  // namespace tavo::aisc
