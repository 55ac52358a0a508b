// Designations: any bytes go through ComputeSection against the shipped catalogue and then
// through CheckMember as column, beam and bracing at a few lengths, by today's rules and by the
// limit-state code in both methods with and without forces. Every property and every result
// must be finite, and no text may grow beyond a sane bound.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "checks/check_member.h"
#include "core/messages.h"
#include "section_input.h"

namespace {

constexpr size_t kTextBound = 4096;

void Finite(double v) {
  if (!std::isfinite(v)) std::abort();
}
void Finite(const std::optional<double>& v) {
  if (v) Finite(*v);
}
// Texts grow with the input, never beyond it by more than a fixed factor: a number is written
// back in full (1e300 as 301 digits), so each input byte may stand for up to 64 text bytes.
size_t textBound = kTextBound;
void Bounded(const std::string& s) {
  if (s.size() > textBound) std::abort();
}

void CheckSection(const tavo::Section& s) {
  const auto& c = s.cs;
  for (double v : {c.h, c.b, c.tw, c.tf, c.r, c.e, c.Iu, c.Iv, c.heightChange, c.hw, c.bf1, c.tf1, c.bf2, c.tf2,
                   c.h1, c.h2, c.D, c.t, c.d, c.PlateWidth, c.PlateThickness, c.WebPlateHeight,
                   c.WebPlateThickness, c.DPL, c.Sx, c.rmin, c.Lx, c.Ly})
    Finite(v);
  const auto& p = s.props;
  for (double v : {p.A, p.A1, p.A2, p.J, p.I1, p.I2, p.S1, p.S2, p.Z1, p.Z2, p.r1, p.r2, p.rt, p.Af, p.Depth,
                   p.Width})
    Finite(v);
  for (const std::string* t : {&c.family, &c.designation, &c.catalogueName, &c.BaseText, &c.FullText,
                               &c.Arrangement, &s.problem})
    Bounded(*t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavo::NullMessages messages;
  const auto [input, text] = tavo::fuzz::ReadOptionsAndDesignation(data, size, &messages);

  textBound = kTextBound + 64 * size;
  const tavo::Section section = tavo::ComputeSection(text, input);
  CheckSection(section);
  if (!section.usable) return 0;

  for (auto kind : {tavo::MemberKind::Column, tavo::MemberKind::Beam, tavo::MemberKind::Bracing}) {
    for (double length : {0.0, 1.0, 350.0, 1.0e6}) {
      tavo::MemberInput member;
      member.kind = kind;
      member.Lx = length;
      member.lengthFactor = input.dataUnits.lengthFactor;
      const tavo::CheckedMember checked = tavo::CheckMember(section, member);
      CheckSection(checked.section);
      const auto& r = checked.results;
      Bounded(r.cls);
      Finite(r.Lc);
      Finite(r.Fb);
      Finite(r.Mmax);
      Finite(r.Tmax);
      Finite(r.lambda);
      Finite(r.Fa);
      Finite(r.Pmax);
      if (r.weld) {
        Finite(r.weld->awMin);
        Finite(r.weld->awMax);
      }
    }
  }

  // The limit-state code: strengths are finite and not negative, available never above
  // nominal for LRFD (φ ≤ 1), and a ratio exists for every limit state a demand reached.
  tavo::Demand demand;
  demand.combination = "fuzz";
  demand.P = -1000.0, demand.M3 = 1.0e5, demand.M2 = 2.0e4, demand.V2 = 500.0, demand.V3 = 300.0, demand.T = 1.0e3;
  for (auto code : {tavo::DesignCode::Aisc360Lrfd, tavo::DesignCode::Aisc360Asd}) {
    for (double length : {0.0, 350.0, 1.0e5}) {
      for (bool forces : {false, true}) {
        tavo::MemberInput member;
        member.kind = tavo::MemberKind::Column;
        member.Lx = length;
        member.lengthFactor = input.dataUnits.lengthFactor;
        member.code = code;
        if (forces) {
          // A second combination with every force of the other sign (negative M3 included).
          tavo::Demand other = demand;
          other.combination = "fuzz, reversed";
          other.P = 1000.0, other.M3 = -*demand.M3, other.M2 = -*demand.M2, other.T = -*demand.T;
          member.demands = {demand, other};
        }
        const tavo::CheckedMember checked = tavo::CheckMember(section, member);
        if (!checked.aisc) std::abort();
        const tavo::aisc::Result& a = *checked.aisc;
        for (const auto& c : a.classification) {
          Finite(c.ratio), Finite(c.lambdaR), Finite(c.lambdaP), Finite(c.lambdaRf);
          Bounded(c.element);
        }
        for (double v : a.available) {
          Finite(v);
          if (v < 0) std::abort();
        }
        for (const auto& ls : a.limitStates) {
          Finite(ls.nominal), Finite(ls.available), Finite(ls.demand), Finite(ls.ratio);
          if (ls.nominal < 0 || ls.available < 0) std::abort();
          if (code == tavo::DesignCode::Aisc360Lrfd && ls.available > ls.nominal * (1 + 1e-12)) std::abort();
          if (ls.demand && !ls.ratio && ls.available > 0) std::abort();
        }
        Finite(a.governingRatio);
        if (a.covered && forces && !a.governingRatio && !tavo::HasError(a.notes)) std::abort();
      }
    }
  }
  return 0;
}
