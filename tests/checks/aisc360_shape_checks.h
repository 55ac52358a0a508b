#pragma once
// What the tests of the shape chapters share: a member, a chapter run with its governing
// strengths marked, and a limit state found by its equation. E and G in kg/cm² written out
// from the moduli in MPa, so that a slip in the program's constants shows.
#include <cmath>
#include <numbers>
#include <string>

#include "checks/aisc360_common.h"

namespace tavo::aisc::shapetest {

inline constexpr double kPi = std::numbers::pi;
inline const double E = 200000.0 * 100 / 9.80665;
inline const double G = 77200.0 * 100 / 9.80665;

inline MemberData Member(double L, Method method = Method::LRFD, double fy = 2400) {
  MemberData m;
  m.method = method, m.fy = fy, m.L = L;
  return m;
}

inline Result Checked(void (*check)(const Section&, const MemberData&, Result&), const Section& s,
                      const MemberData& m) {
  Result r;
  check(s, m, r);
  MarkGoverning(r);
  return r;
}

// The nominal strength of the limit state given by its equation, NaN when absent.
inline double Nominal(const Result& r, Strength st, const std::string& eq) {
  for (const LimitState& ls : r.limitStates)
    if (ls.strength == st && ls.equation == eq) return ls.nominal;
  return std::nan("");
}

// Fcr of a column by hand at Fy: 0.658^(Fy/Fe)·Fy up to Fy/Fe = 2.25, 0.877·Fe beyond.
inline double ColumnFcr(double fy, double fe) { return fy / fe <= 2.25 ? std::pow(0.658, fy / fe) * fy : 0.877 * fe; }

}  // namespace tavo::aisc::shapetest
