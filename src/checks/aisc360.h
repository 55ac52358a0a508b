#pragma once
// Member strengths by the limit-state code (AISC 360-16), in LRFD or ASD: the classification of
// each plate element, and per limit state its nominal and available strength. Units: kg, cm,
// kg/cm², kg·cm. The section's properties are taken as computed for its family.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/demands.h"
#include "core/design_defaults.h"
#include "core/diagnostics.h"
#include "sections/section.h"

namespace tavo::aisc {

enum class Method { LRFD, ASD };

// The strengths every member gets, whatever it is used as. M3 is about the strong axis and V2
// the shear along the web that goes with it. Combined is the interaction of chapter H; T the
// torsional strength of hollow sections (H3.1), given only where the forces carry torsion.
// M3Negative: a singly symmetric girder under negative M3 (flange 1 in compression), whose
// strength differs from the positive one; for every other section M3 holds for both signs.
enum class Strength { Pc, Pt, M3, M2, V2, V3, Combined, T, M3Negative };
inline constexpr std::array<const char*, 9> kStrengthNames{"Pc", "Pt", "M3", "M2", "V2", "V3", "H1", "T", "M3-"};
inline const char* StrengthName(Strength s) { return kStrengthNames[static_cast<int>(s)]; }

// The moduli of the code, MPa, and the factor that turns MPa into kg/cm².
inline constexpr double kElasticModulusMPa = 200000.0;
inline constexpr double kShearModulusMPa = 77200.0;
inline constexpr double kKgCm2PerMPa = 100.0 / 9.80665;
inline constexpr double kE = kElasticModulusMPa * kKgCm2PerMPa;  // kg/cm²
inline constexpr double kG = kShearModulusMPa * kKgCm2PerMPa;    // kg/cm²


// A plate element's class: for axial compression (Table B4.1a) nonslender or slender; in
// flexure (Table B4.1b) compact, noncompact or slender; NotApplicable when the table gives
// the element no row for that action.
enum class ElementClass { NotApplicable, Nonslender, Slender, Compact, Noncompact };
const char* ElementClassName(ElementClass c);  // "", "nonslender", "slender", "compact", "noncompact"

struct ElementClassification {
  std::string element;       // "flange 1", "flange 2", "web", "wall", "leg", "stem", ...
  double ratio = 0;          // b/t, h/tw or D/t as the table measures it
  int compressionCase = 0;   // row of Table B4.1a, 0 when none
  double lambdaR = 0;        // its limit, 0 when none
  ElementClass compression = ElementClass::NotApplicable;
  int flexureCase = 0;       // row of Table B4.1b, 0 when none
  double lambdaP = 0, lambdaRf = 0;  // its limits, 0 when none
  ElementClass flexure = ElementClass::NotApplicable;
};

struct LimitState {
  Strength strength = Strength::Pc;
  std::string clause;    // "E3", "F2.2", "G2.1", "H1.1"
  std::string equation;  // the equation that gives the nominal strength, "E3-1"
  std::string name;      // "Flexural buckling", in English
  double nominal = 0;    // Rn (kg or kg·cm); for Combined, 0
  double available = 0;  // φRn or Rn/Ω; for Combined, 0
  double factor = 0;     // φ (LRFD) or Ω (ASD) applied
  bool governing = false;  // the least available of its strength (the largest ratio with demands)
  // With forces: the worst combination's demand on this limit state and demand / available.
  std::optional<double> demand, ratio;
  std::string combination;
};

// What the member is and how it is braced. L is the buckling length about both axes and in
// torsion (K = 1); Lb the unbraced length of the compression flange (0: L).
struct MemberData {
  Method method = Method::LRFD;
  double fy = kDefaultFy, fu = kDefaultFu;  // kg/cm²
  double L = 0, Lb = 0;               // cm
  double Cb = 1.0;
  std::optional<double> netArea;      // An, cm²; absent: An = Ag (a note says so)
};

struct Result {
  Method method = Method::LRFD;
  bool covered = false;  // false: the code has no rule for this section (notes say why)
  std::vector<ElementClassification> classification;
  // Available strengths by Strength (the first six), kg and kg·cm; 0 when not covered.
  std::array<double, 6> available{};
  std::vector<LimitState> limitStates;
  // With forces: the largest ratio over every limit state and combination, and where.
  std::optional<double> governingRatio;
  std::string governingEquation, governingCombination;
  Diagnostics notes;  // assumptions made (An = Ag, Cb = 1, connectors) and what is not covered

  // Under negative M3, where it differs from M3 (kg·cm).
  std::optional<double> availableM3Negative;

  double Available(Strength s) const {
    if (s == Strength::M3Negative) return availableM3Negative.value_or(available[static_cast<int>(Strength::M3)]);
    const auto i = static_cast<std::size_t>(s);
    return i < available.size() ? available[i] : 0.0;
  }
  // OK: covered, nothing it could not check (an error note), and with forces every ratio ≤ 1.
  bool Ok() const { return covered && !HasError(notes) && (!governingRatio || *governingRatio <= 1.0); }
};

// Every limit state of the section as a member, for the method given.
Result CheckAisc360(const Section& section, const MemberData& member);

// Demands applied to the limit states: each gets the largest demand of its strength over the
// combinations and its ratio; the chapter H interaction is added as limit states of Combined;
// governingRatio is set. Forces the section cannot take (torsion where no rule covers it) are
// said in notes.
void ApplyDemands(Result& result, const Section& section, std::span<const Demand> demands);
// The same for the member as checked: its Fy and length give tubes and boxes their torsional
// strength (H3.1); without them torsion is said not checked.
void ApplyDemands(Result& result, const Section& section, const MemberData& member, std::span<const Demand> demands);

}  // namespace tavo::aisc
