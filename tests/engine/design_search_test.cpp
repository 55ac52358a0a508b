#include "engine/design_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <set>

#include "core/messages.h"
#include "core/units.h"
#include "sections/profile_catalogue.h"

namespace tavo {
namespace {

class DesignSearch : public ::testing::Test {
 protected:
  static ModuleContext Context(Messages* messages) {
    ModuleContext ctx;
    ctx.messages = messages;
    ctx.installDir = std::string(TAVO_INSTALL_TREE) + "/";
    return ctx;
  }
  CandidateSet Set(const std::string& name, const DesignRanges& ranges = {}) {
    std::string error;
    CandidateSet set = MakeCandidateSet(engine_, name, ranges, &error, 2);
    EXPECT_FALSE(set.candidates.empty()) << name << ": " << error;
    return set;
  }
  MemberInput Member(MemberKind kind, double lengthCm) const { return engine_.MemberOfDesignation(kind, lengthCm); }

  RecordingMessages messages_;
  ModuleContext ctx_ = Context(&messages_);
  SectionEngine engine_{ctx_};
};

// The lightest passing designation found the plain way: every designation of the set computed
// and checked through the engine, its capacities compared with the demands one by one.
struct Plain {
  std::string designation;
  double weight = 0, ratio = 0;
};
std::vector<Plain> Exhaustive(const SectionEngine& engine, const std::vector<std::string>& texts,
                              const MemberInput& member, double compressionKg, double tensionKg, double m3KgCm) {
  std::vector<Plain> passing;
  for (const std::string& text : texts) {
    const CheckedMember c = engine.Check(engine.Compute(text), member);
    if (c.Status() != ElementStatus::Ok) continue;
    const double pmax = c.results.Pmax * 1000, tmax = c.results.Tmax * 1000;
    const double mmax = c.results.Mmax.value_or(0) * 100000;
    if (compressionKg > pmax || tensionKg > tmax || m3KgCm > mmax) continue;
    double ratio = 0;
    if (compressionKg > 0) ratio = std::max(ratio, compressionKg / pmax);
    if (tensionKg > 0) ratio = std::max(ratio, tensionKg / tmax);
    if (m3KgCm > 0) ratio = std::max(ratio, m3KgCm / mmax);
    passing.push_back({text, c.section.props.A * 7850 / 10000, ratio});
  }
  std::sort(passing.begin(), passing.end(), [](const Plain& a, const Plain& b) {
    if (a.weight != b.weight) return a.weight < b.weight;
    if (a.ratio != b.ratio) return a.ratio < b.ratio;
    return a.designation < b.designation;
  });
  return passing;
}

TEST_F(DesignSearch, ProposesTheLightestPassingCandidateOfAnExhaustiveSearch) {
  struct Case {
    const char* set;
    MemberKind kind;
    double length, compression, tension, m3;
    DesignRanges ranges;
  };
  DesignRanges girders;
  girders.depth = {300, 520};
  girders.width = {150, 250};
  const Case cases[] = {
      {"IPE", MemberKind::Column, 300, 40000, 0, 0, {}},
      {"IPE", MemberKind::Beam, 600, 0, 0, 1.0e6, {}},
      {"IPB", MemberKind::Column, 400, 60000, 0, 1.0e6, {}},
      {"UNP", MemberKind::Bracing, 500, 0, 30000, 0, {}},     // slender light channels are not OK
      {"2UNP ][", MemberKind::Column, 500, 50000, 0, 0, {}},  // spacings change r2, not the weight
      {"IPE+2PL", MemberKind::Beam, 500, 0, 0, 6.0e6, {}},
      {"PG", MemberKind::Beam, 400, 0, 0, 3.0e6, girders},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    const CandidateSet set = Set(c.set, c.ranges);
    std::string error;
    const std::vector<std::string> texts = CandidateDesignations(engine_.catalogue(), c.set, c.ranges, 1.0, &error);
    std::vector<std::string> inRanges;
    for (const std::string& t : texts) {
      const Section s = engine_.Compute(t);
      if (c.ranges.depth.Holds(s.props.Depth * 10) && c.ranges.width.Holds(s.props.Width * 10)) inRanges.push_back(t);
    }
    const MemberInput member = Member(c.kind, c.length);
    const std::vector<Plain> plain = Exhaustive(engine_, inRanges, member, c.compression, c.tension, c.m3);
    ASSERT_GE(plain.size(), 3u) << "the case should have passing candidates";
    DesignDemands demands;
    demands.compression = c.compression, demands.tension = c.tension, demands.M3 = c.m3;
    for (const int jobs : {1, 2}) {
      const std::vector<DesignProposal> found = SearchDesign(engine_, set, member, demands, 3, jobs);
      ASSERT_EQ(found.size(), 3u) << "jobs " << jobs;
      for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(found[i].designation, plain[i].designation) << "jobs " << jobs << ", place " << i;
        EXPECT_NEAR(found[i].weight, plain[i].weight, 1e-9);
        EXPECT_NEAR(found[i].ratio, plain[i].ratio, 1e-12);
        EXPECT_LE(found[i].ratio, 1.0);
      }
    }
  }
}

// Girders of equal weight (the same plate areas shaped differently) are ranked by ratio: however
// many are asked for, the list is the head of the exhaustive ranking, ties at the cut included.
TEST_F(DesignSearch, EqualWeightsAreRankedByRatioWhereverTheListEnds) {
  DesignRanges ranges;
  ranges.depth = {300, 600};
  ranges.width = {150, 300};
  std::string error;
  std::vector<std::string> texts;
  for (const std::string& t : CandidateDesignations(engine_.catalogue(), "PG", ranges, 1.0, &error)) {
    const Section s = engine_.Compute(t);
    if (ranges.depth.Holds(s.props.Depth * 10) && ranges.width.Holds(s.props.Width * 10)) texts.push_back(t);
  }
  const MemberInput member = Member(MemberKind::Beam, 400);
  const std::vector<Plain> plain = Exhaustive(engine_, texts, member, 0, 0, 3.0e6);
  int ties = 0;
  for (size_t i = 1; i < 30 && i < plain.size(); ++i) ties += plain[i].weight == plain[i - 1].weight ? 1 : 0;
  ASSERT_GT(ties, 3) << "the case should hold equal weights";
  DesignDemands demands;
  demands.M3 = 3.0e6;
  const CandidateSet set = Set("PG", ranges);
  for (size_t count = 1; count <= 30; ++count) {
    for (const int jobs : {1, 2}) {
      const std::vector<DesignProposal> found = SearchDesign(engine_, set, member, demands, count, jobs);
      ASSERT_EQ(found.size(), count);
      for (size_t i = 0; i < count; ++i)
        ASSERT_EQ(found[i].designation, plain[i].designation) << count << " asked, jobs " << jobs << ", place " << i;
    }
  }
}

// Under the limit-state code the ratio is the code's governing one for the forces, written here
// with the analysis signs (compression negative).
TEST_F(DesignSearch, LimitStateProposalIsTheLightestOfAnExhaustiveSearch) {
  const struct {
    const char* set;
    DesignCode code;
    MemberKind kind;
    double length, compression, m3, v2;
  } cases[] = {
      {"IPE", DesignCode::Aisc360Lrfd, MemberKind::Beam, 400, 0, 2.0e6, 5000},
      {"IPB", DesignCode::Aisc360Asd, MemberKind::Column, 350, 60000, 5.0e5, 0},
      // Most girders and boxes are far too weak here: what leaves them out early must never
      // leave out one that passes.
      {"PG", DesignCode::Aisc360Lrfd, MemberKind::Beam, 600, 20000, 6.0e6, 30000},
      {"BOX", DesignCode::Aisc360Asd, MemberKind::Column, 500, 250000, 1.0e6, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set);
    ctx_.code = c.code;
    MemberInput member = Member(c.kind, c.length);
    ASSERT_EQ(member.code, c.code);
    Demand force;
    force.combination = "written";
    if (c.compression > 0) force.P = -c.compression;
    force.M3 = c.m3;
    if (c.v2 > 0) force.V2 = c.v2;
    MemberInput plainMember = member;
    plainMember.demands = {force};
    std::string error;
    std::vector<Plain> plain;
    for (const std::string& t : CandidateDesignations(engine_.catalogue(), c.set, {}, 1.0, &error)) {
      const CheckedMember checked = engine_.Check(engine_.Compute(t), plainMember);
      if (checked.Status() != ElementStatus::Ok || !checked.aisc || !checked.aisc->covered) continue;
      if (!checked.aisc->governingRatio || *checked.aisc->governingRatio > 1) continue;
      plain.push_back({t, checked.section.props.A * 0.785, *checked.aisc->governingRatio});
    }
    // Equal weights (a deeper box with thinner walls weighs the same) go by ratio, then name.
    std::sort(plain.begin(), plain.end(), [](const Plain& a, const Plain& b) {
      return std::tie(a.weight, a.ratio, a.designation) < std::tie(b.weight, b.ratio, b.designation);
    });
    ASSERT_GE(plain.size(), 2u);
    DesignDemands demands;
    demands.compression = c.compression, demands.M3 = c.m3, demands.V2 = c.v2;
    const std::vector<DesignProposal> found = SearchDesign(engine_, Set(c.set), member, demands, 2, 2);
    ASSERT_EQ(found.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(found[i].designation, plain[i].designation) << i;
      EXPECT_NEAR(found[i].ratio, plain[i].ratio, 1e-12) << i;
    }
    // The element's own forces are used when no demands are given.
    member.demands = {force};
    const std::vector<DesignProposal> own = SearchDesign(engine_, Set(c.set), member, DesignDemands{}, 1, 1);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].designation, plain[0].designation);
  }
}

// Under today's rules a run proposes the lightest section at least as strong as the current one:
// the current one itself reaches its own capacities exactly, and nothing lighter in its family does.
TEST_F(DesignSearch, CurrentCapacitiesAreReachedByTheSectionItself) {
  for (const char* current : {"IPE300", "IPB200", "INP240"}) {
    SCOPED_TRACE(current);
    const MemberInput member = Member(MemberKind::Column, 350);
    const CheckedMember checked = engine_.Check(engine_.Compute(current), member);
    const DesignDemands demands = CapacitiesOf(checked);
    EXPECT_GT(demands.compression, 0);
    EXPECT_GT(demands.tension, 0);
    EXPECT_GT(demands.M3, 0);
    const std::string family = std::string(current).substr(0, 3);
    const std::vector<DesignProposal> found = SearchDesign(engine_, Set(family), member, demands, 1);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].designation, current);
    EXPECT_DOUBLE_EQ(found[0].ratio, 1.0);
  }
}

TEST_F(DesignSearch, EveryProposalIsInTheSetAndInsideTheRanges) {
  DesignRanges ranges;
  ranges.depth = {400, 600};
  ranges.width = {200, 300};
  ranges.plateT = {10, 15};
  ranges.webT = {8, 10};
  for (const char* name : {"PG", "BOX", "IPB+2PL"}) {
    SCOPED_TRACE(name);
    std::string error;
    const std::vector<std::string> texts = CandidateDesignations(engine_.catalogue(), name, ranges, 1.0, &error);
    const std::set<std::string> all(texts.begin(), texts.end());
    const CandidateSet set = Set(name, ranges);
    DesignDemands demands;
    demands.M3 = 4.0e6;
    const std::vector<DesignProposal> found = SearchDesign(engine_, set, Member(MemberKind::Beam, 400), demands, 10, 2);
    ASSERT_FALSE(found.empty());
    for (size_t i = 0; i < found.size(); ++i) {
      const DesignProposal& p = found[i];
      EXPECT_TRUE(all.count(p.designation)) << p.designation;
      const Section s = engine_.Compute(p.designation);
      EXPECT_TRUE(ranges.depth.Holds(s.props.Depth * 10)) << p.designation << " depth " << s.props.Depth;
      EXPECT_TRUE(ranges.width.Holds(s.props.Width * 10)) << p.designation << " width " << s.props.Width;
      const double plate = s.cs.PlateThickness > 0 ? s.cs.PlateThickness : s.cs.tf > 0 ? s.cs.tf : s.cs.tf1;
      EXPECT_TRUE(ranges.plateT.Holds(plate * 10)) << p.designation;
      if (std::string(name) != "IPB+2PL") {
        EXPECT_TRUE(ranges.webT.Holds(s.cs.tw * 10)) << p.designation;
      }
      if (i > 0) {
        EXPECT_LE(found[i - 1].weight, p.weight);
      }
    }
  }
}

TEST_F(DesignSearch, RangesRestrictTheCandidates) {
  std::string error;
  DesignRanges depth;
  depth.depth = {200, 300};
  std::set<std::string> sizes;
  for (const DesignCandidate& c : Set("IPE", depth).candidates) sizes.insert(c.designation);
  EXPECT_EQ(sizes, (std::set<std::string>{"IPE200", "IPE220", "IPE240", "IPE270", "IPE300"}));

  DesignRanges thin;
  thin.plateT = {8, 12};
  const std::vector<std::string> plated = CandidateDesignations(engine_.catalogue(), "IPE+2PL", thin, 1.0, &error);
  const std::vector<std::string> everyPlate = CandidateDesignations(engine_.catalogue(), "IPE+2PL", {}, 1.0, &error);
  EXPECT_LT(plated.size(), everyPlate.size());
  for (const std::string& t : plated) {
    const Section s = engine_.Compute(t);
    EXPECT_TRUE(s.cs.PlateThickness * 10 >= 8 - 1e-9 && s.cs.PlateThickness * 10 <= 12 + 1e-9) << t;
  }
}

// Two profiles side by side: touching, then apart in steps; never closer than touching (which
// the parser would correct with a warning), and the spacing read back as written.
TEST_F(DesignSearch, DoubledProfilesAreNeverCloserThanTouching) {
  for (const char* name : {"2UNP ][", "2UNP []", "2IPE"}) {
    SCOPED_TRACE(name);
    const CandidateSet set = Set(name);
    std::string error;
    EXPECT_EQ(set.candidates.size(), CandidateDesignations(engine_.catalogue(), name, {}, 1.0, &error).size());
    for (const DesignCandidate& c : set.candidates) EXPECT_TRUE(c.section.diagnostics.empty()) << c.designation;
  }
  // In metres the spacing is written in metres and makes the same section.
  engine_.UseDataUnits(UnitFactors("UNITS=[kg]-[m]", nullptr));
  const CandidateSet metres = Set("2UNP ][");
  engine_.UseDataUnits(UnitSystem{});
  const CandidateSet cm = Set("2UNP ][");
  const auto weakAxis = [](const CandidateSet& set) {
    std::vector<double> i2;
    for (const DesignCandidate& c : set.candidates) i2.push_back(RoundTo(c.section.props.I2, 6));
    std::sort(i2.begin(), i2.end());
    return i2;
  };
  EXPECT_EQ(weakAxis(metres), weakAxis(cm));
  EXPECT_NE(metres.candidates.back().designation.find("(d=0."), std::string::npos) << metres.candidates.back().designation;
}

// The desktop searches the family of the section it shows, and each set's own candidates are
// of that set.
TEST_F(DesignSearch, EverySetHoldsSectionsOfItself) {
  for (const std::string& name : DesignSetNames()) {
    SCOPED_TRACE(name);
    DesignRanges small;  // a few of the large sets are enough
    small.depth = {0, 450};
    small.width = {0, 300};
    for (const DesignCandidate& c : Set(name, small).candidates) {
      ASSERT_EQ(DesignSetOf(c.section), name) << c.designation;
      if (name.starts_with("2")) break;  // spacings do not change the set
    }
  }
  const struct {
    const char* designation;
    const char* set;
  } others[] = {{"HEA200", "IPBL"}, {"2UNP20", "2UNP []"}, {"IPE30+2WPL200*8", ""}, {"TUBE 100*5", ""}, {"2IPE30+2PL200*10", ""}};
  for (const auto& o : others) EXPECT_EQ(DesignSetOf(engine_.Compute(o.designation)), o.set) << o.designation;
}

TEST_F(DesignSearch, BadSetsAndRangesAreSaid) {
  std::string error;
  EXPECT_TRUE(CandidateDesignations(engine_.catalogue(), "HEX", {}, 1.0, &error).empty());
  EXPECT_NE(error.find("unknown set \"HEX\""), std::string::npos) << error;
  EXPECT_NE(error.find("IPE+2PL"), std::string::npos) << "the known sets are listed: " << error;

  const struct {
    const char* text;
    const char* said;
  } bad[] = {{"8..3", "low end is above"}, {"abc", "not a range"}, {"..", "neither end"}, {"-4..5", "not a range"}, {"", "not a range"}};
  for (const auto& b : bad) {
    error.clear();
    EXPECT_FALSE(ParseMmRange(b.text, &error)) << b.text;
    EXPECT_NE(error.find(b.said), std::string::npos) << b.text << ": " << error;
  }
  const auto r = ParseMmRange(" 8..25 ", &error);
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->Holds(8) && r->Holds(25) && !r->Holds(7.9) && !r->Holds(25.1));
  const auto open = ParseMmRange("..12", &error);
  ASSERT_TRUE(open);
  EXPECT_TRUE(open->Holds(0) && !open->Holds(13));

  DesignRanges reversed;
  reversed.webT = {12, 6};
  error.clear();
  EXPECT_TRUE(CandidateDesignations(engine_.catalogue(), "PG", reversed, 1.0, &error).empty());
  EXPECT_NE(error.find("web thickness range"), std::string::npos) << error;

  DesignRanges nothing;
  nothing.depth = {5000, 6000};
  error.clear();
  EXPECT_TRUE(MakeCandidateSet(engine_, "IPE", nothing, &error).candidates.empty());
  EXPECT_NE(error.find("no candidate of IPE"), std::string::npos) << error;
  DesignRanges noStock;
  noStock.plateT = {13, 14};
  error.clear();
  EXPECT_TRUE(CandidateDesignations(engine_.catalogue(), "BOX", noStock, 1.0, &error).empty());
  EXPECT_NE(error.find("no candidate of BOX"), std::string::npos) << error;
}

TEST_F(DesignSearch, DemandsNoCandidateCanMeetGiveNoProposal) {
  DesignDemands demands;
  demands.compression = 1e9;
  EXPECT_TRUE(SearchDesign(engine_, Set("IPE"), Member(MemberKind::Column, 300), demands, 10, 2).empty());
  // A moment with no bending capacity to meet it fails; without the moment the same member passes.
  CheckedMember c = engine_.Check(engine_.Compute("IPE200"), Member(MemberKind::Beam, 300));
  DesignDemands moment;
  moment.M3 = 1;
  ASSERT_TRUE(DesignRatio(c, moment));
  c.results.Mmax.reset();
  EXPECT_FALSE(DesignRatio(c, moment));
  EXPECT_TRUE(DesignRatio(c, DesignDemands{}));
  // Not OK by its own rules: no ratio, however small the demand.
  c.results.ok = false;
  EXPECT_FALSE(DesignRatio(c, DesignDemands{}));
}

// The limit-state code is given forces with its signs: compression negative, tension positive.
TEST(DesignDemandsTest, CombinationsCarryTheAnalysisSigns) {
  DesignDemands d;
  d.compression = 1000, d.tension = 400, d.M3 = 5e5;
  const std::vector<Demand> both = d.Combinations();
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].P, -1000);
  EXPECT_EQ(both[1].P, 400);
  for (const Demand& x : both) EXPECT_EQ(x.M3, 5e5);
  EXPECT_FALSE(both[0].T) << "tension is an axial force, not torsion";

  DesignDemands moments;
  moments.V2 = 300;
  ASSERT_EQ(moments.Combinations().size(), 1u);
  EXPECT_FALSE(moments.Combinations()[0].P);
  EXPECT_EQ(moments.Combinations()[0].V2, 300);

  d.separately = true;  // each strength alone: none of them combined with another
  const std::vector<Demand> alone = d.Combinations();
  ASSERT_EQ(alone.size(), 3u);
  for (const Demand& x : alone) EXPECT_EQ(x.P.has_value() + x.M3.has_value(), 1) << x.combination;
}

}  // namespace
}  // namespace tavo
