// Design search timings: one member's search over a set of about 10 000 candidates (the plate
// girders) on one core, and a whole generated input of 10 000 elements, each searched over a
// set of about 1 000 candidates on every core. The command itself is timed by design_bench.sh.
#include <benchmark/benchmark.h>

#include <string>

#include <algorithm>
#include <map>
#include <memory>

#include "core/messages.h"
#include "engine/batch_run.h"
#include "engine/design_search.h"
#include "generated_session.h"

namespace {

using namespace tavo;

struct Fixture {
  NullMessages quiet;
  ModuleContext ctx;
  std::unique_ptr<SectionEngine> engine;
  Fixture() {
    ctx.messages = &quiet;
    ctx.installDir = std::string(TAVO_INSTALL_TREE) + "/";
    engine = std::make_unique<SectionEngine>(ctx);
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

const CandidateSet& Girders(const DesignRanges& ranges = {}) {
  static std::map<std::pair<double, double>, CandidateSet> made;
  const std::pair<double, double> key{ranges.depth.high.value_or(0), ranges.width.high.value_or(0)};
  auto it = made.find(key);
  if (it == made.end()) it = made.emplace(key, MakeCandidateSet(*Shared().engine, "PG", ranges, nullptr)).first;
  return it->second;
}

// The set is made once per run: what making it costs (every candidate computed).
void BM_MakeGirderSet(benchmark::State& state) {
  for (auto _ : state) {
    const CandidateSet set = MakeCandidateSet(*Shared().engine, "PG", {}, nullptr, 1);
    state.counters["candidates"] = static_cast<double>(set.candidates.size());
  }
}
BENCHMARK(BM_MakeGirderSet)->Unit(benchmark::kMillisecond);

// One member, one core. A demand nothing meets checks every candidate (the worst case); a
// usual one stops once ten have passed and no lighter one can follow.
void BM_SearchOneMember(benchmark::State& state) {
  const CandidateSet& set = Girders();
  const SectionEngine& engine = *Shared().engine;
  MemberInput member = engine.MemberOfDesignation(MemberKind::Beam, 600);
  // Arguments 2 and 3: the same under the limit-state code (LRFD), every limit state checked.
  const bool lrfd = state.range(0) >= 2;
  if (lrfd) member.code = DesignCode::Aisc360Lrfd;
  DesignDemands demands;
  demands.M3 = state.range(0) % 2 == 0 ? 1e12 : 4.0e6;
  for (auto _ : state) benchmark::DoNotOptimize(SearchDesign(engine, set, member, demands, 10, 1));
  state.counters["candidates"] = static_cast<double>(set.candidates.size());
  state.SetLabel(std::string(state.range(0) % 2 == 0 ? "none passes" : "40 t.m beam") + (lrfd ? ", LRFD" : ""));
}
BENCHMARK(BM_SearchOneMember)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// The whole input: each element's lightest girder at least as strong as its section, on every core.
class Proposals final : public BatchFormatter {
 public:
  Proposals(const SectionEngine& engine, const CandidateSet& set) : engine_(engine), set_(set) {}
  void Format(BatchChunk& chunk, int, const Element&, const CheckedMember& m) const override {
    if (m.Status() == ElementStatus::Error) return;
    const auto found = SearchDesign(engine_, set_, m.member, DemandsOfMember(m), 1, 1);
    chunk.text += found.empty() ? std::string("-\n") : found[0].designation + "\n";
  }
  bool Write(BatchChunk& chunk) override {
    proposed += std::count(chunk.text.begin(), chunk.text.end(), '\n');
    return true;
  }
  long proposed = 0;

 private:
  const SectionEngine& engine_;
  const CandidateSet& set_;
};

void BM_WholeInput(benchmark::State& state) {
  const bench::GeneratedInput input("tavo-design-bench", state.range(0));
  DesignRanges ranges;
  ranges.depth.high = 400;  // about 1 000 of the girders
  ranges.width.high = 350;
  const CandidateSet& set = Girders(ranges);
  for (auto _ : state) {
    NullMessages quiet;
    ModuleContext ctx;
    InputSession session;
    if (!input.Open(ctx, session, quiet)) {
      state.SkipWithError("input not readable");
      break;
    }
    SectionEngine engine(ctx);
    Proposals formatter(engine, set);
    RunBatch(engine, session, formatter);
    state.counters["elements"] = static_cast<double>(formatter.proposed);
  }
  state.counters["candidates"] = static_cast<double>(set.candidates.size());
}
BENCHMARK(BM_WholeInput)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
