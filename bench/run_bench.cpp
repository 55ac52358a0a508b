// Member check timings: CheckMember alone on a ready section, and the whole batch pass (parser,
// catalogue, check) in process over the generated element mix. The end-to-end command with its
// output is timed by run_bench.sh.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "checks/check_member.h"
#include "families/family_table.h"
#include "checks/element_check.h"
#include "core/messages.h"
#include "engine/batch_run.h"
#include "generated_session.h"
#include "input_mix.h"
#include "sections/profile_catalogue.h"

namespace {

using namespace tavo;

void BM_CheckMember(benchmark::State& state) {
  Section s;
  s.recognised = s.usable = true;
  s.cs.family = "IPE";
  s.cs.BaseText = "IPE300";
  s.cs.h = 30, s.cs.b = 15, s.cs.tw = 0.71, s.cs.tf = 1.07;
  s.props.A = 53.81, s.props.S1 = 557.1, s.props.r1 = 12.46, s.props.r2 = 3.35, s.props.rt = 3.95;
  s.props.Af = 16.05, s.props.Depth = 30;
  MemberInput m;
  m.kind = MemberKind::Beam;
  m.Lx = 600;
  for (auto _ : state) benchmark::DoNotOptimize(CheckMember(s, m));
}
BENCHMARK(BM_CheckMember);

void BM_BatchPass(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("tavo-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir / "temp");
  {
    std::ofstream out(dir / "in.Ardekon", std::ios::binary);
    bench::WriteMixInput(out, state.range(0));
  }
  const ProfileCatalogue catalogue(std::string(TAVO_INSTALL_TREE) + "/cte/");
  NullMessages quiet;
  for (auto _ : state) {
    ModuleContext ctx;
    ctx.messages = &quiet;
    ctx.installDir = dir.string() + "/";
    ctx.tempDir = dir.string() + "/temp/";
    SetInputPath(ctx, dir.string() + "/in.Ardekon");
    InputSession session;
    if (!OpenInput(ctx, session)) {
      state.SkipWithError("input not readable");
      break;
    }
    SectionInput input;
    input.catalogue = &catalogue;
    input.families = tavo::StandardFamilies();
    input.dataUnits = ctx.dataUnitSystem;
    const BatchPassResult r = Main_Continue_Const(ctx, session, MakeElementCheck(ctx, input));
    benchmark::DoNotOptimize(r.N);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::error_code ec;
  fs::remove_all(dir, ec);
}
BENCHMARK(BM_BatchPass)->Arg(10000)->Unit(benchmark::kMillisecond);

// The streaming pass of the engine over 100 000 elements, checks only (nothing formatted), on
// 1, 2 and 4 worker threads: how the checks share the cores.
class Discard final : public BatchFormatter {
 public:
  void Format(BatchChunk&, int, const Element&, const CheckedMember&) const override {}
  bool Write(BatchChunk&) override { return true; }
};

void BM_StreamingPass(benchmark::State& state) {
  constexpr long kElements = 100000;
  const bench::GeneratedInput input("tavo-bench-stream", kElements);
  NullMessages quiet;
  for (auto _ : state) {
    ModuleContext ctx;
    InputSession session;
    if (!input.Open(ctx, session, quiet)) {
      state.SkipWithError("input not readable");
      break;
    }
    SectionEngine engine(ctx);
    Discard discard;
    BatchRunOptions options;
    options.jobs = static_cast<int>(state.range(0));
    benchmark::DoNotOptimize(RunBatch(engine, session, discard, options).N);
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_StreamingPass)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
