#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "checks/aisc360.h"
#include "checks/aisc360_torsion.h"
#include "core/text_helpers.h"

namespace tavo::aisc {

namespace {

constexpr int kFirstSix = 6;  // Pc .. V3, the strengths of result.available

double Magnitude(const std::optional<double>& v) { return v ? std::fabs(*v) : 0.0; }

// Whether the result's M3 holds for positive moment only, with M3Negative for the other sign
// (a singly symmetric girder).
bool SignedM3(const Result& r) { return r.availableM3Negative.has_value(); }

double DemandOn(const Result& r, Strength s, const Demand& d) {
  const bool signedM3 = SignedM3(r);
  switch (s) {
    case Strength::Pc: return d.P && *d.P < 0 ? -*d.P : 0.0;
    case Strength::Pt: return d.P && *d.P > 0 ? *d.P : 0.0;
    case Strength::M3: return signedM3 ? std::max(d.M3.value_or(0.0), 0.0) : Magnitude(d.M3);
    case Strength::M3Negative: return signedM3 ? std::max(-d.M3.value_or(0.0), 0.0) : 0.0;
    case Strength::M2: return Magnitude(d.M2);
    case Strength::V2: return Magnitude(d.V2);
    case Strength::V3: return Magnitude(d.V3);
    case Strength::T: return Magnitude(d.T);
    case Strength::Combined: break;
  }
  return 0.0;
}

bool Carries(const Result& r, Strength s, const Demand& d) {
  const bool signedM3 = SignedM3(r);
  switch (s) {
    case Strength::Pc:
    case Strength::Pt: return d.P.has_value();
    case Strength::M3: return d.M3.has_value();
    case Strength::M3Negative: return signedM3 && d.M3.has_value();
    case Strength::M2: return d.M2.has_value();
    case Strength::V2: return d.V2.has_value();
    case Strength::V3: return d.V3.has_value();
    case Strength::T: return d.T.has_value();
    case Strength::Combined: break;
  }
  return false;
}

// The row that loads a strength most (the first of equals), or none when no row gives it.
const Demand* WorstRow(const Result& r, Strength s, std::span<const Demand> demands) {
  const Demand* worst = nullptr;
  for (const Demand& d : demands)
    if (Carries(r, s, d) && (worst == nullptr || DemandOn(r, s, d) > DemandOn(r, s, *worst))) worst = &d;
  return worst;
}

// Each limit state of the strength gets the worst row's demand and its ratio.
void ApplyStrength(Result& result, Strength s, double available, std::span<const Demand> demands) {
  const Demand* worst = WorstRow(result, s, demands);
  if (worst == nullptr) return;
  const double demand = DemandOn(result, s, *worst);
  for (LimitState& ls : result.limitStates) {
    if (ls.strength != s) continue;
    ls.demand = demand;
    ls.combination = worst->combination;
    if (ls.available > 0) ls.ratio = demand / ls.available;
    else if (demand == 0) ls.ratio = 0.0;
  }
  if (demand > 0 && !(available > 0) && result.covered) {
    const std::string name = StrengthName(s);
    AddDiagnosticPair(result.notes, Severity::Error,
                      Fill("The forces load {strength} ({combination}) but the section has no available strength "
                           "{strength} by this code; that force is not checked||"
                           "نیروها {strength} را بار می‌کنند ({combination}) ولی مقطع در این آیین‌نامه مقاومت "
                           "{strength} ندارد؛ این نیرو کنترل نشد",
                           {{"strength", name}, {"combination", worst->combination}}),
                      name);
  }
}

// One row's share of each strength, or nothing when a force it has meets no strength (said
// elsewhere): an interaction cannot be made of a missing term.
struct RowRatios {
  double axial = 0, strong = 0, weak = 0, shear = 0;
  bool tension = false;
};

std::optional<double> Share(double demand, double available) {
  if (demand == 0) return 0.0;
  if (!(available > 0)) return std::nullopt;
  return demand / available;
}

std::optional<RowRatios> RatiosOf(const Result& r, const Demand& d) {
  RowRatios out;
  out.tension = d.P && *d.P > 0;
  const auto axial = out.tension ? Share(DemandOn(r, Strength::Pt, d), r.Available(Strength::Pt))
                                 : Share(DemandOn(r, Strength::Pc, d), r.Available(Strength::Pc));
  const bool negative = SignedM3(r) && d.M3 && *d.M3 < 0;
  const Strength m3 = negative ? Strength::M3Negative : Strength::M3;
  const auto strong = Share(DemandOn(r, m3, d), r.Available(m3));
  const auto weak = Share(DemandOn(r, Strength::M2, d), r.Available(Strength::M2));
  const auto v2 = Share(DemandOn(r, Strength::V2, d), r.Available(Strength::V2));
  const auto v3 = Share(DemandOn(r, Strength::V3, d), r.Available(Strength::V3));
  if (!axial || !strong || !weak || !v2 || !v3) return std::nullopt;
  out.axial = *axial, out.strong = *strong, out.weak = *weak;
  out.shear = *v2 + *v3;  // both shears added: the walls that carry them may be the same
  return out;
}

// The largest interaction value over the rows of one equation group.
struct Worst {
  std::optional<double> ratio;
  std::string equation, combination;
  void Take(double value, const char* eq, const std::string& combination) {
    if (!ratio || value > *ratio) ratio = value, equation = eq, this->combination = combination;
  }
};

LimitState CombinedLimitState(const char* clause, const char* name, const Worst& w) {
  LimitState ls;
  ls.strength = Strength::Combined;
  ls.clause = clause;
  ls.equation = w.equation;
  ls.name = name;
  ls.ratio = w.ratio;
  ls.combination = w.combination;
  return ls;
}

// Chapter H1: (H1-1a) when Pr/Pc ≥ 0.2, else (H1-1b), per row; H1.1 for compression (and
// flexure alone), H1.2 for tension with Pc the available tensile strength. The Cb increase
// H1.2 allows for tension is left out, which errs on the safe side.
void AddAxialFlexure(Result& result, std::span<const Demand> demands) {
  Worst compression, tension;
  for (const Demand& d : demands) {
    if (Magnitude(d.M3) == 0 && Magnitude(d.M2) == 0) continue;  // axial alone: chapters D and E
    const auto r = RatiosOf(result, d);
    if (!r) continue;
    const double flexure = r->strong + r->weak;
    Worst& w = r->tension ? tension : compression;
    if (r->axial >= 0.2) w.Take(r->axial + 8.0 / 9.0 * flexure, "H1-1a", d.combination);
    else w.Take(r->axial / 2 + flexure, "H1-1b", d.combination);
  }
  constexpr const char* kName = "Combined axial force and flexure";
  if (compression.ratio) result.limitStates.push_back(CombinedLimitState("H1.1", kName, compression));
  if (tension.ratio) result.limitStates.push_back(CombinedLimitState("H1.2", kName, tension));
}

// H3.2: torsion above 20 % of Tc joins the other forces by (H3-6); below it H1 stands alone.
void AddTorsionInteraction(Result& result, double tc, std::span<const Demand> demands) {
  Worst w;
  for (const Demand& d : demands) {
    const double tr = DemandOn(result, Strength::T, d);
    if (tr <= 0.2 * tc) continue;
    const auto r = RatiosOf(result, d);
    if (!r) continue;
    const double twist = r->shear + tr / tc;
    w.Take(r->axial + r->strong + r->weak + twist * twist, "H3-6", d.combination);
  }
  if (w.ratio) result.limitStates.push_back(CombinedLimitState("H3.2", "Combined force and torsion", w));
}

void AddTorsion(Result& result, const Section& section, const MemberData* member, std::span<const Demand> demands) {
  const bool anyTorsion =
      std::any_of(demands.begin(), demands.end(), [&result](const Demand& d) { return Carries(result, Strength::T, d); });
  const bool twisted =
      std::any_of(demands.begin(), demands.end(), [](const Demand& d) { return Magnitude(d.T) > 0; });
  // A section the code does not cover has its reason said already; torsion adds nothing to it.
  if (!anyTorsion || !result.covered) return;
  std::optional<LimitState> torsion;
  if (member != nullptr && HasTorsionalStrength(section))
    torsion = TorsionLimitState(section, *member, result.notes);
  if (!torsion) {
    if (!twisted) return;
    if (member == nullptr && HasTorsionalStrength(section))
      AddDiagnostic(result.notes, Severity::Warning, "Torsion not checked: the member's Fy and length were not given",
                    "پیچش کنترل نشد: Fy و طول عضو داده نشده است", "T");
    else
      AddDiagnostic(result.notes, Severity::Warning,
                    "Torsion not checked: the code gives no torsional strength for this shape",
                    "پیچش کنترل نشد: آیین‌نامه برای این شکل مقاومت پیچشی نمی‌دهد", "T");
    return;
  }
  const double tc = torsion->available;
  result.limitStates.push_back(*torsion);
  ApplyStrength(result, Strength::T, tc, demands);
  AddTorsionInteraction(result, tc, demands);
}

void MarkGoverningCombined(Result& result) {
  LimitState* worst = nullptr;
  for (LimitState& ls : result.limitStates) {
    if (ls.strength != Strength::Combined || !ls.ratio) continue;
    ls.governing = false;
    if (worst == nullptr || *ls.ratio > *worst->ratio) worst = &ls;
  }
  if (worst != nullptr) worst->governing = true;
}

void SetGoverning(Result& result) {
  const LimitState* worst = nullptr;
  for (const LimitState& ls : result.limitStates)
    if (ls.ratio && (worst == nullptr || *ls.ratio > *worst->ratio)) worst = &ls;
  if (worst == nullptr) return;
  result.governingRatio = worst->ratio;
  result.governingEquation = worst->equation;
  result.governingCombination = worst->combination;
}

void Apply(Result& result, const Section& section, const MemberData* member, std::span<const Demand> demands) {
  if (demands.empty()) return;
  for (int s = 0; s < kFirstSix; ++s) {
    const auto strength = static_cast<Strength>(s);
    ApplyStrength(result, strength, result.Available(strength), demands);
  }
  if (SignedM3(result)) ApplyStrength(result, Strength::M3Negative, result.Available(Strength::M3Negative), demands);
  AddAxialFlexure(result, demands);
  AddTorsion(result, section, member, demands);
  MarkGoverningCombined(result);
  SetGoverning(result);
}

}  // namespace

void ApplyDemands(Result& result, const Section& section, std::span<const Demand> demands) {
  Apply(result, section, nullptr, demands);
}

void ApplyDemands(Result& result, const Section& section, const MemberData& member, std::span<const Demand> demands) {
  Apply(result, section, &member, demands);
}

}  // namespace tavo::aisc
