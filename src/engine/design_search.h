#pragma once
// Design by search: a family's candidates (catalogue sizes, cover plates, plate girders and
// boxes over the usual plate steps) checked one by one through the engine, the lightest that
// pass proposed first. A set's sections are computed once; a member then only checks them.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checks/check_results.h"
#include "core/demands.h"
#include "engine/section_engine.h"

namespace tavo {

// The set names a search understands, as the command line writes them.
std::vector<std::string> DesignSetNames();

// The set a section belongs to ("IPE+2PL" for an IPE with cover plates, "2UNP ][" for two
// channels back to back); empty when no set holds sections like it.
std::string DesignSetOf(const Section& section);

// A closed range of millimetres; either end may be open.
struct MmRange {
  std::optional<double> low, high;
  bool Holds(double mm) const { return (!low || mm >= *low - 1e-6) && (!high || mm <= *high + 1e-6); }
};

// What the user restricts the candidates to, in mm: the overall depth and width of the
// section, the thickness of cover plates and flange plates, the thickness of web plates.
struct DesignRanges {
  MmRange depth, width, plateT, webT;
};

// "8..25", "8..", "..25" or one number "12" (mm). nullopt, with the reason in error, for text
// that is not such a range or a range whose low end is above its high end.
std::optional<MmRange> ParseMmRange(std::string_view text, std::string* error);
// Every range of the ranges, low end above high end, said in error; empty when they are usable.
std::string RangeProblem(const DesignRanges& ranges);

struct DesignCandidate {
  std::string designation;  // as the parser reads it
  Section section;          // computed once for the set
  double weight = 0;        // kg/m
};

// The candidates of one set, lightest first (ties by designation).
struct CandidateSet {
  std::string name;
  std::vector<DesignCandidate> candidates;
};

// The designations of a set within the ranges, before any section is computed. Spacings of
// doubled profiles are written in the data length unit (cm per unit: lengthFactor). Empty,
// with the reason in error, for an unknown set, an unusable catalogue file or ranges that
// leave nothing.
std::vector<std::string> CandidateDesignations(const ProfileCatalogue& catalogue, std::string_view set,
                                               const DesignRanges& ranges, double lengthFactor, std::string* error);

// The set with every candidate's section computed by the engine (in its data units); those
// the parser refuses and those outside the depth and width ranges are left out. Empty, with
// the reason in error, when nothing is left. jobs: threads (0: one per core).
CandidateSet MakeCandidateSet(const SectionEngine& engine, std::string_view set, const DesignRanges& ranges,
                              std::string* error, int jobs = 0);

// Weight per metre of a section of area A (cm²): steel at 7850 kg/m³.
inline double WeightPerMetre(double areaCm2) { return areaCm2 * 0.785; }

// What a member must carry. Under today's rules the capacities to reach: compression and
// tension (kg) against Pmax and Tmax, M3 (kg·cm) against Mmax; M2, V2 and V3 have no capacity
// there and are not looked at. Under the limit-state code the forces a member gets: one
// combination with the compression, one with the tension (each with the moments and shears),
// or one with the moments and shears alone.
struct DesignDemands {
  double compression = 0, tension = 0;  // kg, ≥ 0
  double M3 = 0, M2 = 0, V2 = 0, V3 = 0;  // kg·cm, kg
  bool separately = false;  // limit-state code: each force a combination of its own
  // The combinations the limit-state code is given.
  std::vector<Demand> Combinations() const;
  bool Any() const { return compression > 0 || tension > 0 || M3 > 0 || M2 > 0 || V2 > 0 || V3 > 0; }
};

// Under today's rules: the capacities of a checked member as demands (the lightest section at
// least as strong as this one in every capacity). Under the limit-state code: its available
// strengths, each alone.
DesignDemands CapacitiesOf(const CheckedMember& member);

// What a member already designed must carry again: under the limit-state code its forces when
// it has any (empty demands: the member's own combinations are used); otherwise CapacitiesOf.
DesignDemands DemandsOfMember(const CheckedMember& member);

// The largest demand / capacity of a checked member; nullopt when it does not pass whatever
// the ratio (an error, not OK by its own rules, not covered by the code, or a demand with no
// capacity to meet it).
std::optional<double> DesignRatio(const CheckedMember& member, const DesignDemands& demands);

struct DesignProposal {
  std::string designation;
  double weight = 0;  // kg/m
  double ratio = 0;
};

// The `count` lightest candidates that pass for the member (its kind, length, Fy, Fu and
// code), ratio ≤ 1, lightest first, ties by ratio then designation. Under the limit-state code
// member.demands (the element's forces) are replaced by the demands' combinations when there
// are any demands. jobs: threads (0: one per
// core; 1 for a search that runs beside others).
std::vector<DesignProposal> SearchDesign(const SectionEngine& engine, const CandidateSet& set, MemberInput member,
                                         const DesignDemands& demands, size_t count, int jobs = 1);

}  // namespace tavo
