#include "engine/design_search.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <thread>

#include "core/language.h"
#include "core/ordered_pipeline.h"
#include "core/text_util.h"
#include "core/units.h"

namespace tavo {

namespace {

// Plate thicknesses stocked (mm): cover plates and flange plates, and web plates.
constexpr double kPlateThicknesses[] = {8, 10, 12, 15, 20, 25, 30, 35, 40};
constexpr double kWebThicknesses[] = {6, 8, 10, 12, 15, 20};
// Rolled families of the catalogue, single, doubled or with cover plates.
constexpr std::string_view kRolledI[] = {"IPE", "IPB", "INP", "IPBL", "IPBV"};
// Doubled profiles: spacings in 1 cm steps from touching up to this much further apart.
constexpr int kSpacingSteps = 30;

enum class Shape { Single, DoubleI, DoubleChannelFacing, DoubleChannelBacks, CoverPlates, PlateGirder, Box };

struct SetKind {
  Shape shape = Shape::Single;
  std::string code;  // catalogue family
};

std::optional<SetKind> KindOfSet(std::string_view raw) {
  std::string set = ToUpper(Trim(raw));
  std::erase(set, ' ');
  if (set == "PG") return SetKind{Shape::PlateGirder, ""};
  if (set == "BOX") return SetKind{Shape::Box, ""};
  if (set == "UNP" || set == "L") return SetKind{Shape::Single, set};
  if (set == "2UNP" || set == "2UNP[]") return SetKind{Shape::DoubleChannelFacing, "UNP"};
  if (set == "2UNP][") return SetKind{Shape::DoubleChannelBacks, "UNP"};
  for (std::string_view code : kRolledI) {
    if (set == code) return SetKind{Shape::Single, std::string(code)};
    if (set == "2" + std::string(code)) return SetKind{Shape::DoubleI, std::string(code)};
    if (set == std::string(code) + "+2PL") return SetKind{Shape::CoverPlates, std::string(code)};
  }
  return std::nullopt;
}

std::string Mm(double mm) { return ShortestText(RoundTo(mm, 3)); }

bool ParseNumber(std::string_view text, double& value) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  return ec == std::errc() && end == t.data() + t.size() && std::isfinite(value) && value >= 0;
}

// Spacings of two profiles side by side: none written (touching), then whole centimetres
// beyond touching, written in the data length unit.
void AddSpacings(std::vector<std::string>& out, const std::string& base, const std::string& arrangement,
                 double touchingCm, double lengthFactor) {
  out.push_back(base + arrangement);
  const int first = static_cast<int>(std::floor(touchingCm + 1e-9)) + 1;
  for (int cm = first; cm <= first + kSpacingSteps - 1; ++cm)
    out.push_back(base + arrangement + "  (d=" + ShortestText(RoundTo(cm / lengthFactor, 6)) + ")");
}

}  // namespace

std::vector<std::string> DesignSetNames() {
  std::vector<std::string> names{"L", "UNP", "2UNP []", "2UNP ]["};
  for (std::string_view code : kRolledI) names.push_back(std::string(code));
  for (std::string_view code : kRolledI) names.push_back("2" + std::string(code));
  for (std::string_view code : kRolledI) names.push_back(std::string(code) + "+2PL");
  names.push_back("PG");
  names.push_back("BOX");
  return names;
}

std::string DesignSetOf(const Section& section) {
  const CurrentSection& cs = section.cs;
  std::string set = cs.family;
  if (set == "UNP" && cs.Count == 2) set = cs.Arrangement == "][" ? "2UNP ][" : "2UNP []";
  else if (cs.Count != 1 && !(cs.Count == 2 && set.starts_with('2'))) return {};
  // Web plates, or plates on a doubled profile, are no set's.
  if (cs.WebPlateThickness > 0 || (cs.PlateThickness > 0 && cs.Count != 1)) return {};
  if (cs.PlateThickness > 0) set += "+2PL";
  const std::vector<std::string> names = DesignSetNames();
  return std::find(names.begin(), names.end(), set) != names.end() ? set : std::string();
}

std::optional<MmRange> ParseMmRange(std::string_view text, std::string* error) {
  const auto fail = [&](const std::string& why) -> std::optional<MmRange> {
    if (error) *error = why;
    return std::nullopt;
  };
  const std::string t = Trim(text);
  MmRange r;
  const size_t dots = t.find("..");
  double low = 0, high = 0;
  if (dots == std::string::npos) {
    if (!ParseNumber(t, low)) return fail("\"" + t + "\" is not a range of millimetres such as 8..25");
    r.low = r.high = low;
    return r;
  }
  const std::string a = t.substr(0, dots), b = t.substr(dots + 2);
  if (!Trim(a).empty()) {
    if (!ParseNumber(a, low)) return fail("\"" + t + "\" is not a range of millimetres such as 8..25");
    r.low = low;
  }
  if (!Trim(b).empty()) {
    if (!ParseNumber(b, high)) return fail("\"" + t + "\" is not a range of millimetres such as 8..25");
    r.high = high;
  }
  if (!r.low && !r.high) return fail("\"" + t + "\" gives neither end of the range");
  if (r.low && r.high && *r.low > *r.high)
    return fail("the range " + t + " is empty: its low end is above its high end");
  return r;
}

std::string RangeProblem(const DesignRanges& ranges) {
  const std::pair<const char*, const MmRange*> named[] = {
      {"depth", &ranges.depth}, {"width", &ranges.width}, {"plate thickness", &ranges.plateT}, {"web thickness", &ranges.webT}};
  for (const auto& [name, r] : named)
    if (r->low && r->high && *r->low > *r->high)
      return std::string("the ") + name + " range " + Mm(*r->low) + ".." + Mm(*r->high) +
             " mm is empty: its low end is above its high end";
  return {};
}

std::vector<std::string> CandidateDesignations(const ProfileCatalogue& catalogue, std::string_view set,
                                               const DesignRanges& ranges, double lengthFactor, std::string* error) {
  const auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::vector<std::string>{};
  };
  const std::optional<SetKind> kind = KindOfSet(set);
  if (!kind) {
    std::string known;
    for (const std::string& n : DesignSetNames()) known += (known.empty() ? "" : ", ") + n;
    return fail("unknown set \"" + std::string(set) + "\"; the sets are " + known);
  }
  if (const std::string problem = RangeProblem(ranges); !problem.empty()) return fail(problem);
  if (lengthFactor <= 0) lengthFactor = 1;
  std::vector<double> plates, webs;
  for (double t : kPlateThicknesses)
    if (ranges.plateT.Holds(t)) plates.push_back(t);
  for (double t : kWebThicknesses)
    if (ranges.webT.Holds(t)) webs.push_back(t);

  std::vector<std::string> out;
  const bool rolled = !kind->code.empty();
  if (rolled) {
    const CatalogueFamily& family = catalogue.Family(kind->code);
    if (!family.loaded) return fail(PickLanguage(family.problem, 'E'));
    for (size_t i = 0; i < family.records.size(); ++i) {
      const CatalogueRecord& r = family.records[i];
      const std::string name = RecordName(family, static_cast<int>(i));
      if (name.empty() || r.size() < 2) continue;
      const double b = r[1] * 10;  // flange width, mm
      switch (kind->shape) {
        case Shape::Single:
          out.push_back(name);
          break;
        case Shape::DoubleI:
          AddSpacings(out, "2" + name, "", r[1], lengthFactor);
          break;
        case Shape::DoubleChannelFacing:
          if (r.size() > 7) AddSpacings(out, "2" + name, "", 2 * (r[1] - r[7]), lengthFactor);
          break;
        case Shape::DoubleChannelBacks:
          if (r.size() > 7) AddSpacings(out, "2" + name, " ][", 2 * r[7], lengthFactor);
          break;
        case Shape::CoverPlates: {
          // Plates from a little narrower than the flange to 100 mm wider, in 10 mm steps.
          const double from = std::max(100.0, std::floor(b / 10) * 10 - 50), to = b + 100;
          for (double t : plates) {
            for (double w = from; w <= to + 1e-9; w += 10) out.push_back(name + "+2PL" + Mm(w) + "*" + Mm(t));
          }
          break;
        }
        default: break;
      }
    }
    if (out.empty()) return fail("the catalogue file of " + kind->code + " holds no sizes");
  } else if (kind->shape == Shape::PlateGirder || kind->shape == Shape::Box) {
    const bool girder = kind->shape == Shape::PlateGirder;
    const double hwFrom = girder ? 200 : 150, hwTo = girder ? 1500 : 800;
    const double bfFrom = 150, bfTo = girder ? 500 : 600;
    const std::string prefix = girder ? "PG " : "BOX ";
    for (double hw = hwFrom; hw <= hwTo; hw += 50)
      for (double tw : webs)
        for (double bf = bfFrom; bf <= bfTo; bf += 50)
          for (double tf : plates) {
            // Overall depth and width known here: the computed section is checked again later.
            if (!ranges.depth.Holds(hw + 2 * tf) || !ranges.width.Holds(bf)) continue;
            out.push_back(prefix + Mm(hw) + "*" + Mm(tw) + "*" + Mm(bf) + "*" + Mm(tf));
          }
  }
  if (out.empty()) return fail("no candidate of " + std::string(set) + " lies within the given ranges");
  return out;
}

CandidateSet MakeCandidateSet(const SectionEngine& engine, std::string_view set, const DesignRanges& ranges,
                              std::string* error, int jobs) {
  CandidateSet result;
  result.name = std::string(set);
  const std::vector<std::string> texts =
      CandidateDesignations(engine.catalogue(), set, ranges, engine.input().dataUnits.lengthFactor, error);
  if (texts.empty()) return result;
  std::vector<std::optional<DesignCandidate>> made(texts.size());
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i; (i = next.fetch_add(1)) < texts.size();) {
      Section s = engine.ComputeQuietly(texts[i]);
      if (!s.usable || HasError(s.diagnostics)) continue;
      if (!ranges.depth.Holds(s.props.Depth * 10) || !ranges.width.Holds(s.props.Width * 10)) continue;
      const double weight = WeightPerMetre(s.props.A);
      made[i] = DesignCandidate{texts[i], std::move(s), weight};
    }
  };
  const int threads = std::min<int>(PipelineJobs(jobs), static_cast<int>(texts.size() / 64) + 1);
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  for (auto& m : made)
    if (m) result.candidates.push_back(std::move(*m));
  std::sort(result.candidates.begin(), result.candidates.end(), [](const DesignCandidate& a, const DesignCandidate& b) {
    return a.weight != b.weight ? a.weight < b.weight : a.designation < b.designation;
  });
  if (result.candidates.empty() && error)
    *error = "no candidate of " + std::string(set) + " lies within the given ranges";
  return result;
}

std::vector<Demand> DesignDemands::Combinations() const {
  std::vector<Demand> out;
  const auto with = [&](const char* name, std::optional<double> p) {
    Demand d;
    d.combination = name;
    d.P = p;
    if (M3 > 0) d.M3 = M3;
    if (M2 > 0) d.M2 = M2;
    if (V2 > 0) d.V2 = V2;
    if (V3 > 0) d.V3 = V3;
    out.push_back(d);
  };
  if (separately) {
    // Each force alone: a section that reaches each of another's strengths, not all at once.
    const std::pair<const char*, double> forces[] = {{"P compression", -compression}, {"P tension", tension}};
    for (const auto& [name, p] : forces)
      if (p != 0) out.push_back(Demand{name, "", p, {}, {}, {}, {}, {}});
    if (M3 > 0) out.push_back(Demand{"M3", "", {}, {}, {}, {}, {}, M3});
    if (M2 > 0) out.push_back(Demand{"M2", "", {}, {}, {}, {}, M2, {}});
    if (V2 > 0) out.push_back(Demand{"V2", "", {}, V2, {}, {}, {}, {}});
    if (V3 > 0) out.push_back(Demand{"V3", "", {}, {}, V3, {}, {}, {}});
    return out;
  }
  if (compression > 0) with("compression", -compression);
  if (tension > 0) with("tension", tension);
  if (out.empty() && Any()) with("forces", std::nullopt);
  return out;
}

DesignDemands CapacitiesOf(const CheckedMember& member) {
  DesignDemands d;
  if (IsLimitStateCode(member.member.code)) {
    if (!member.aisc || !member.aisc->covered) return d;
    using aisc::Strength;
    d.compression = member.aisc->Available(Strength::Pc);
    d.tension = member.aisc->Available(Strength::Pt);
    d.M3 = member.aisc->Available(Strength::M3);
    d.M2 = member.aisc->Available(Strength::M2);
    d.V2 = member.aisc->Available(Strength::V2);
    d.V3 = member.aisc->Available(Strength::V3);
    d.separately = true;
    return d;
  }
  const CheckResults& r = member.results;
  d.compression = r.Pmax * 1000;
  d.tension = r.Tmax * 1000;
  d.M3 = r.Mmax ? *r.Mmax * 1e5 : 0;
  return d;
}

DesignDemands DemandsOfMember(const CheckedMember& member) {
  if (IsLimitStateCode(member.member.code) && !member.member.demands.empty()) return {};
  return CapacitiesOf(member);
}

std::optional<double> DesignRatio(const CheckedMember& member, const DesignDemands& demands) {
  if (member.Status() != ElementStatus::Ok) return std::nullopt;
  if (IsLimitStateCode(member.member.code)) {
    if (!member.aisc || !member.aisc->Ok()) return std::nullopt;
    if (member.aisc->governingRatio) return member.aisc->governingRatio;
    return member.member.demands.empty() ? std::optional<double>(0.0) : std::nullopt;
  }
  const CheckResults& r = member.results;
  double ratio = 0;
  // A demand with nothing to meet it fails; a demand of 0 asks nothing.
  const auto against = [&ratio](double demand, double capacity) {
    if (demand <= 0) return true;
    if (!(capacity > 0)) return false;
    ratio = std::max(ratio, demand / capacity);
    return true;
  };
  if (!against(demands.compression, r.Pmax * 1000) || !against(demands.tension, r.Tmax * 1000) ||
      !against(demands.M3, r.Mmax ? *r.Mmax * 1e5 : 0))
    return std::nullopt;
  return ratio;
}

namespace {

// Under the limit-state code no strength exceeds what the whole section yields: Pn ≤ Fy·A,
// tension ≤ Fu·A, Mn ≤ Fy·max(Z, 1.6·S) in every chapter. A candidate whose demand is beyond a
// quarter more than that cannot pass, so it is left out without its full check; every
// candidate that can pass is checked (and proposed) through the normal path.
bool BeyondAnyStrength(const Section& s, const MemberInput& m, const DesignDemands& d) {
  if (!IsLimitStateCode(m.code) || !(m.fy > 0)) return false;
  constexpr double margin = 1.25;
  const SectionProperties& p = s.props;
  const auto beyond = [](double demand, double bound) { return demand > 0 && bound > 0 && demand > margin * bound; };
  return beyond(d.compression, m.fy * p.A) || beyond(d.tension, std::max(m.fy, m.fu) * p.A) ||
         beyond(d.M3, m.fy * std::max(p.Z1, 1.6 * p.S1)) || beyond(d.M2, m.fy * std::max(p.Z2, 1.6 * p.S2));
}

}  // namespace

std::vector<DesignProposal> SearchDesign(const SectionEngine& engine, const CandidateSet& set, MemberInput member,
                                         const DesignDemands& demands, size_t count, int jobs) {
  std::vector<DesignProposal> found;
  if (count == 0 || set.candidates.empty()) return found;
  if (IsLimitStateCode(member.code) && demands.Any()) member.demands = demands.Combinations();
  const std::vector<DesignCandidate>& all = set.candidates;

  // Candidates go lightest first, in blocks; once `count` passed, a block that starts heavier
  // than the last of them cannot add one, and the search stops there.
  struct Block {
    size_t begin = 0, end = 0;
    std::vector<std::optional<double>> ratios;
  };
  constexpr size_t blockSize = 128;
  size_t nextBegin = 0;
  bool enough = false;
  const auto lastWeight = [&found, count] {
    return found.size() >= count ? std::optional<double>(found[count - 1].weight) : std::nullopt;
  };
  const auto produce = [&](Block& b) {
    if (enough || nextBegin >= all.size()) return false;
    b.begin = nextBegin;
    b.end = std::min(all.size(), nextBegin + blockSize);
    nextBegin = b.end;
    return true;
  };
  // One thread: checked in order, stopping at the first candidate too heavy to be proposed.
  const auto checkInOrder = [&] {
    for (const DesignCandidate& c : all) {
      if (const auto w = lastWeight(); w && c.weight > *w) return;
      if (BeyondAnyStrength(c.section, member, demands)) continue;
      const std::optional<double> ratio = DesignRatio(engine.Check(c.section, member), demands);
      if (!ratio || *ratio > 1.0) continue;
      found.push_back({c.designation, c.weight, *ratio});  // in weight order, as checked
    }
  };
  if (PipelineJobs(jobs) == 1) {
    checkInOrder();
  } else {
    const std::function<bool(Block&)> produceFn = produce;
    const std::function<void(Block&)> workFn = [&](Block& b) {
      b.ratios.resize(b.end - b.begin);
      for (size_t i = b.begin; i < b.end; ++i)
        if (!BeyondAnyStrength(all[i].section, member, demands))
          b.ratios[i - b.begin] = DesignRatio(engine.Check(all[i].section, member), demands);
    };
    const std::function<bool(Block&)> consumeFn = [&](Block& b) {
      for (size_t i = b.begin; i < b.end; ++i)
        if (const auto& r = b.ratios[i - b.begin]; r && *r <= 1.0) found.push_back({all[i].designation, all[i].weight, *r});
      const auto w = lastWeight();
      enough = w && (b.end >= all.size() || all[b.end].weight > *w);
      return !enough;
    };
    RunOrdered<Block>(jobs, produceFn, workFn, consumeFn);
  }
  std::sort(found.begin(), found.end(), [](const DesignProposal& a, const DesignProposal& b) {
    if (a.weight != b.weight) return a.weight < b.weight;
    if (a.ratio != b.ratio) return a.ratio < b.ratio;
    return a.designation < b.designation;
  });
  if (found.size() > count) found.resize(count);
  return found;
}

}  // namespace tavo
