#include "checks/aisc360_common.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "core/text_helpers.h"

namespace tavo::aisc {

double AvailableStrength(double nominal, Factors f, Method method) {
  return method == Method::LRFD ? f.phi * nominal : nominal / f.omega;
}

LimitState MakeLimitState(Strength strength, std::string_view clause, std::string_view equation,
                          std::string_view name, double nominal, Factors f, Method method) {
  LimitState s;
  s.strength = strength;
  s.clause = clause;
  s.equation = equation;
  s.name = name;
  s.nominal = nominal;
  s.factor = method == Method::LRFD ? f.phi : f.omega;
  s.available = AvailableStrength(nominal, f, method);
  return s;
}

double EulerStress(double slenderness) {
  if (!(slenderness > 0)) return std::numeric_limits<double>::infinity();
  return std::numbers::pi * std::numbers::pi * kE / (slenderness * slenderness);
}

double CriticalStress(double fy, double fe) {
  if (!(fe > 0)) return 0;
  if (fy / fe <= 2.25) return std::pow(0.658, fy / fe) * fy;  // (E3-2)
  return 0.877 * fe;                                          // (E3-3)
}

double EffectiveWidth(double b, double lambda, double lambdaR, double fy, double fcr, EffectiveWidthFactors c) {
  if (!(fcr > 0) || lambda <= lambdaR * std::sqrt(fy / fcr)) return b;  // (E7-2)
  const double fel = std::pow(c.c2 * lambdaR / lambda, 2) * fy;         // (E7-5)
  return b * (1 - c.c1 * std::sqrt(fel / fcr)) * std::sqrt(fel / fcr);  // (E7-3)
}

double RoundEffectiveArea(double ag, double dOverT, double fy) {
  const double ratio = kE / fy;
  if (dOverT <= 0.11 * ratio) return ag;
  return (0.038 * ratio / dOverT + 2.0 / 3.0) * ag;  // (E7-7)
}

void AddTension(double grossArea, const MemberData& member, Result& result) {
  result.limitStates.push_back(MakeLimitState(Strength::Pt, "D2(a)", "D2-1", "Tensile yielding",
                                              member.fy * grossArea, kTensionYieldFactors, member.method));
  double net = grossArea;
  if (member.netArea && *member.netArea > 0) {
    net = *member.netArea;
  } else {
    AddDiagnostic(result.notes, Severity::Warning,
                  "Tensile rupture taken on the gross area (An = Ag, U = 1): no net area was given",
                  "گسیختگی کششی با سطح کل محاسبه شد (An = Ag, U = 1): سطح خالص داده نشده است", "An");
  }
  result.limitStates.push_back(MakeLimitState(Strength::Pt, "D2(b)", "D2-2", "Tensile rupture", member.fu * net,
                                              kTensionRuptureFactors, member.method));
}

void MarkGoverning(Result& result) {
  // An equation taken past the range it was made for (a web far more slender than the code
  // allows, plates of absurd size) can give a negative or unbounded strength: the member has
  // none to count on there, and is not OK.
  for (LimitState& ls : result.limitStates) {
    if (std::isfinite(ls.nominal) && std::isfinite(ls.available) && ls.nominal >= 0 && ls.available >= 0) continue;
    AddDiagnosticPair(result.notes, Severity::Error,
                      Fill("{name} ({equation}) gives no strength: the section is outside the range the code covers"
                           "||{name} ({equation}) مقاومتی نمی‌دهد: مقطع خارج از محدوده آیین‌نامه است",
                           {{"name", ls.name}, {"equation", ls.equation}}),
                      ls.equation);
    ls.nominal = 0;
    ls.available = 0;
  }
  result.available = {};
  result.availableM3Negative.reset();
  for (const Strength s : {Strength::Pc, Strength::Pt, Strength::M3, Strength::M2, Strength::V2, Strength::V3,
                           Strength::M3Negative}) {
    LimitState* least = nullptr;
    for (LimitState& ls : result.limitStates) {
      if (ls.strength != s) continue;
      ls.governing = false;
      if (least == nullptr || ls.available < least->available) least = &ls;
    }
    if (least == nullptr) continue;
    least->governing = true;
    if (s == Strength::M3Negative)
      result.availableM3Negative = least->available;
    else
      result.available[static_cast<int>(s)] = least->available;
  }
}

}  // namespace tavo::aisc
